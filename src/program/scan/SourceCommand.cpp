#include "program/Program.h"
#include "runtime/dialogs/FileDialog.h"
#include "runtime/files/FileStatements.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"
#include "shell/ListOperations.h"

namespace program {

using shell::EnableControl;
using shell::SetCaption;
using rt::Line;

// "コピー元": the user points at the source folder; every folder below it is
// walked into the table and shown in LIST1, all selected.
void BUTTON5_ON(ControlHandle& form) {
    std::string result;
    Line(1110); CLEAR_SOURCE_SUB();
    Line(1105); result = shell::FileDialog(form, "コピー元になる場所は？", "DUMMY", "", 1);
    Line(1111); TAKE_SOURCE_SUB(result);
}

// The old table's list and marks gone, before a new source is taken.
void CLEAR_SOURCE_SUB() {
    rt::Single i = 0;
    Line(1100); EnableControl(BUTTON9, 0);
    Line(1101); shell::ClearList(LIST1);
    Line(1102); rt::CountingLoop clear(i, 0, folderCount);
    do {
        Line(1103); if (i > kLastEntry) break;
        Line(1104); folderMarks[i] = 0;
    } while (clear.Next());
    Line(1112); excludedCount = 0;
    Line(1113); unlistedCount = 0;
}

// Everything after the source's dialog, whether the user confirmed a name in
// it or dropped a folder on the window.
void TAKE_SOURCE_SUB(const std::string& result) {
    Line(1106); if (result == rt::Chr({27})) {
        // The list is gone with the old table: nothing is left for the list
        // commands to act on.
        Line(1107); SET_BUTTON(0);
    } else {
        Line(1108); READ_SOURCE_SUB(result);
    }
    Line(1109); SET_BUTTON7_SUB();
    Line(1114); SCAN_NOTICE_SUB();
}

// From the confirmed dialog result to the filled list: the source folder,
// its own name, the walk with its scan log, and the sorted, selected list.
void READ_SOURCE_SUB(const std::string& dialogResult) {
    std::string folder;
    std::string sourceName;
    rt::Array<rt::Int16> positions;
    rt::Single subfolderCount = 0;
    rt::Single i = 0;
    Line(1120); sourceBase = rt::FolderOfDialogResult(dialogResult);
    Line(1121); rt::ChangeFolder(sourceBase);
    Line(1122); SetCaption(TEXT6, rt::CurrentFolder(""));
    Line(1123); folder = rt::LeftBytes(sourceBase, rt::ByteLen(sourceBase) - 1);
    Line(1124); positions.Dim(rt::ByteLen(folder));
    Line(1125); INSTR_SUB(folder, "\\", positions);
    Line(1126); if (positions[0] > 0) {
        Line(1127); sourceName = rt::MidBytes(folder, positions[positions[0]] + 1);
    } else {
        Line(1128); sourceName = rt::LeftBytes(folder, 1) + "_DRIVE";
    }
    Line(1129); SetCaption(EDIT1, sourceName);
    Line(1130); textSize = 14;
    Line(1131); shell::SetTextSize(LIST1, 14);
    Line(1132); SetCaption(TEXT2, "抽出フォルダー数");
    Line(1133); SetCaption(TEXT1, "");
    Line(1134); scanFolder = "";
    Line(1135); folderCount = 0;
    Line(1136); if (rt::FileExists(startDir + "\\TEST_FOL.TXT")) {
        Line(1137); rt::EraseFile(startDir + "\\TEST_FOL.TXT");
    }
    Line(1138); rt::OpenForOutput(startDir + "\\TEST_FOL.TXT", 2);
    Line(1139); フォルダー名取得_SUB(subfolderCount);
    Line(1140); if (folderCount > kLastEntry || subfolderCount == 0) {
        Line(1141); rt::CloseFiles({2});
        Line(1142); SET_BUTTON(0);
        return;
    }
    Line(1143); SET_BUTTON(-1);
    Line(1144); CONTINUE_WALK_SUB();
    Line(1145); if (folderCount > kLastEntry) {
        Line(1146); rt::CloseFiles({2});
        Line(1147); SET_BUTTON(0);
        return;
    }
    Line(1148); rt::CloseFiles({2});
    Line(1149); ADD_LIST1_SUB();
    Line(1150); rt::CountingLoop reread(i, 0, folderCount - 1);
    do {
        Line(1151); folderNames[i] = shell::ItemText(LIST1, i);
    } while (reread.Next());
    Line(1152); SET_LIST1_SUB();
}

// Tells the user what the scan could not take: folders left out for their
// names, and folders too deep to be looked into. Nothing when there were none.
void SCAN_NOTICE_SUB() {
    std::string message;
    Line(1160); if (excludedCount > 0) {
        Line(1161); message = "扱えない名前のフォルダーが" + rt::NumText(excludedCount) +
                              " 個あったので、その中も含めて除外しました" + rt::Chr({13, 10}) + firstExcluded;
    }
    Line(1162); if (unlistedCount > 0) {
        Line(1163); if (message != "") {
            Line(1164); message = message + rt::Chr({13, 10});
        }
        Line(1165); message = message + "パスが長すぎて中を調べられないフォルダーが" + rt::NumText(unlistedCount) +
                              " 個ありました" + rt::Chr({13, 10}) + firstUnlisted;
    }
    Line(1166); if (message != "") {
        Line(1167); STOP_SUB("抽出に関するお知らせ", message);
    }
}

}  // namespace program
