#include "program/Program.h"
#include "runtime/Reports.h"
#include "runtime/StatementPoll.h"

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

void STOP_SUB(const std::string& title, const std::string& message) {
    Line(300); rt::MessageBoxService(title, message, 0, 2);
}

}  // namespace program
