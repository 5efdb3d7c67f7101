#include "program/Program.h"
#include "runtime/dialogs/Reports.h"
#include "runtime/run/StatementPoll.h"
#include "shell/ListOperations.h"

namespace program {

using shell::EnableControl;
using rt::Line;

void SET_BUTTON(rt::Single flag) {
    Line(200); EnableControl(BUTTON1, flag);
    Line(201); EnableControl(BUTTON2, flag);
    Line(202); EnableControl(BUTTON3, flag);
    Line(203); EnableControl(BUTTON4, flag);
    Line(204); EnableControl(LIST1, flag);
    Line(205); EnableControl(BUTTON8, flag);
    Line(206); if (flag == 0) {
        Line(207); EnableControl(BUTTON7, 0);
    }
}

// "コピー実行" is offered once there is a source, a destination and a list.
// Without a confirmed destination a copy would build paths relative to the
// current folder, the source itself.
void SET_BUTTON7_SUB() {
    Line(210); if (shell::ReadText(TEXT6) == "" || shell::ReadText(TEXT7) == "" || destinationPath == "" ||
                   shell::ItemCount(LIST1) == 0) {
        Line(211); EnableControl(BUTTON7, 0);
    } else {
        Line(212); EnableControl(BUTTON7, -1);
    }
}

void STOP_SUB(const std::string& title, const std::string& message) {
    Line(300); rt::MessageBoxService(title, message, 0, 2);
}

}  // namespace program
