#include "app/ListOperations.h"
#include "app/Program.h"
#include "runtime/FileDialog.h"
#include "runtime/StatementPoll.h"
#include "runtime/Strings.h"

namespace program {

using app::EnableControl;
using rt::Line;

// "コピー先": the user points at the folder below which the copy is made.
void BUTTON6_ON(ControlHandle& form) {
    std::string result;
    Line(3000); EnableControl(BUTTON9, 0);
    Line(3001); result = app::FileDialog(form, "コピー先になる場所は？", "DUMMY", "", 1);
    Line(3002); if (result != rt::Chr({27})) {
        Line(3003); destinationPath = rt::FolderOfDialogResult(result);
        Line(3004); app::SetCaption(TEXT7, destinationPath);
    }
    // Without a confirmed destination a copy would build paths relative to
    // the current folder, the source itself.
    Line(3005); if (app::ReadText(TEXT6) == "" || destinationPath == "" || app::ItemCount(LIST1) == 0) {
        Line(3006); EnableControl(BUTTON7, 0);
    } else {
        Line(3007); EnableControl(BUTTON7, -1);
    }
}

}  // namespace program
