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
    Line(3006); TAKE_DESTINATION_SUB(result);
}

// A folder dropped on BUTTON6 or TEXT7 becomes the destination, as if it had
// been confirmed in BUTTON6's dialog.
void BUTTON6_DROPFILES(ControlHandle&, rt::Single count, const std::string& path) {
    std::string result;
    Line(3010); DROPPED_FOLDER_SUB(count, path, result);
    Line(3011); if (result == "") return;
    Line(3012); EnableControl(BUTTON9, 0);
    Line(3013); TAKE_DESTINATION_SUB(result);
}

void TEXT7_DROPFILES(ControlHandle& form, rt::Single count, const std::string& path) {
    Line(3014); BUTTON6_DROPFILES(form, count, path);
}

// Everything after the destination's dialog.
void TAKE_DESTINATION_SUB(const std::string& result) {
    Line(3002); if (result != rt::Chr({27})) {
        Line(3003); destinationPath = rt::FolderOfDialogResult(result);
        Line(3004); shell::SetCaption(TEXT7, destinationPath);
    }
    Line(3005); SET_BUTTON7_SUB();
}

}  // namespace program
