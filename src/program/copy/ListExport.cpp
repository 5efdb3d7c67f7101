#include "program/Program.h"
#include "runtime/dialogs/Reports.h"
#include "runtime/files/FileStatements.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/lang/SplitPath.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"
#include "shell/ListOperations.h"

namespace program {

using rt::Line;

// "リストをテキスト出力": writes the selected folders, after the parent folder
// name when CHECK1 is checked, to a text file the user names.
void BUTTON8_ON(ControlHandle& form) {
    std::string result;
    std::string filePath;
    std::string parentName;
    rt::PathParts parts;
    rt::Single i = 0;
    Line(3300); result = shell::FileDialog(form, "リストを保存する場所は？", "フォルダーリスト.TXT", "(*.*)", 0);
    Line(3301); if (result == rt::Chr({27})) return;
    Line(3302); parts = rt::SplitPath(result);
    Line(3303); if (parts.extension == "") {
        Line(3304); parts.extension = ".TXT";
    }
    Line(3305); filePath = parts.drive + parts.folder + parts.name + parts.extension;
    // The dialog asked about the name as typed; a file of the completed name
    // is not replaced without a question either: buttons 4 (Yes and No), icon
    // 2 (exclamation), and 5 is the answer Yes.
    Line(3306); if (filePath != result && rt::FileExists(filePath)) {
        Line(3307); if (rt::MessageBoxService("リストを保存する場所は？",
                                              filePath + " は既に存在します。" + rt::Chr({13, 10}) + "上書きしますか？",
                                              4, 2) != 5) {
            return;
        }
    }
    Line(3308); rt::OpenForOutput(filePath, 1);
    Line(3309); if (shell::CheckState(CHECK1) == 1) {
        Line(3310); parentName = shell::ReadText(EDIT1);
        Line(3311); ファイル名修正_SUB(parentName);
        Line(3312); shell::SetCaption(EDIT1, parentName);
    }
    Line(3313); if (parentName != "") {
        Line(3314); rt::WriteLine(1, parentName);
    }
    Line(3315); rt::CountingLoop entries(i, 0, folderCount - 1);
    do {
        Line(3316); if (folderMarks[i] == 1) {
            Line(3317); rt::WriteLine(1, folderNames[i]);
        }
    } while (entries.Next());
    Line(3318); rt::CloseFiles();
}

}  // namespace program
