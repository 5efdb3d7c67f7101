#include "program/Program.h"
#include "runtime/dialogs/FileDialog.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"

namespace program {

using shell::EnableControl;
using rt::Line;

// "コピー先": the user points at the folder below which the copy is made.
void BUTTON6_ON(ControlHandle& form) {
    std::string result;
    Line(3000); EnableControl(BUTTON9, 0);
    Line(3001); result = shell::FileDialog(form, "コピー先になる場所は？", "DUMMY", "", 1);
    Line(3002); if (result != rt::Chr({27})) {
        Line(3003); destinationPath = rt::FolderOfDialogResult(result);
        Line(3004); shell::SetCaption(TEXT7, destinationPath);
    }
    Line(3005); SET_BUTTON7_SUB();
}

}  // namespace program
