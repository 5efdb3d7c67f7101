#include "program/Program.h"
#include "runtime/files/DirectorySearch.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/files/Run.h"
#include "runtime/lang/FolderName.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/SystemPath.h"

namespace program {

using rt::Line;

// Lists the folder scanFolder: one scan log line, then every subfolder
// appended to the table. Stops at the table's limit. A subfolder whose name
// Windows cannot hold or open as read is left out with all it holds, and a
// folder whose listing pattern the system would not take is not looked into;
// both are counted for the notice at the end of the scan.
void フォルダー名取得_SUB(rt::Single& subfolderCount) {
    std::string fullPath;
    std::string pattern;
    std::string name;
    Line(1000); subfolderCount = 0;
    Line(1001); fullPath = sourceBase + scanFolder;
    Line(1003); if (scanFolder == "") {
        Line(1004); pattern = sourceBase + "*.*";
    } else {
        Line(1005); pattern = sourceBase + scanFolder + "\\*.*";
    }
    Line(1021); if (rt::PathTooLong(pattern)) {
        Line(1022); unlistedCount = rt::StoreSingle(rt::Add(unlistedCount, 1));
        Line(1023); if (unlistedCount == 1) {
            Line(1024); firstUnlisted = fullPath;
        }
        return;
    }
    Line(1002); rt::WriteLine(2, "(" + rt::MidBytes(rt::NumText(rt::ByteLen(rt::WrittenForm(fullPath))), 2) + ") " + fullPath);
    Line(1025); rt::SearchOpen(pattern, 1);
    for (;;) {
        Line(1006); rt::SearchNext(1);
        Line(1007); if (rt::SearchAtEnd(1)) break;
        Line(1008); if (rt::LeftBytes(rt::SearchField(1, rt::kFieldAttributes), 1) == "D") {
            Line(1009); name = rt::SearchField(1, rt::kFieldName);
            Line(1010); if (name != "." && name != "..") {
                // A name that does not open as read holds "?", so it is left
                // out here too.
                Line(1026); if (!rt::IsExactFolderName(name)) {
                    Line(1027); excludedCount = rt::StoreSingle(rt::Add(excludedCount, 1));
                    Line(1028); if (excludedCount == 1) {
                        Line(1029); firstExcluded = sourceBase + (scanFolder == "" ? name : scanFolder + "\\" + name);
                    }
                } else {
                    Line(1011); if (scanFolder == "") {
                        Line(1012); folderNames[folderCount] = name;
                    } else {
                        Line(1013); folderNames[folderCount] = scanFolder + "\\" + name;
                    }
                    Line(1014); folderCount = rt::StoreSingle(rt::Add(folderCount, 1));
                    Line(1015); if (folderCount > kLastEntry) {
                        Line(1016); STOP_SUB("フォルダー数に関するエラー",
                                             "フォルダー数が限界の３２７６７を越えたので処理できません" +
                                                 rt::Chr({13, 10}) + "階層を一つ下げると対応できるかもしれません");
                    }
                    Line(1017); shell::SetCaption(TEXT1, rt::NumText(folderCount));
                    Line(1018); subfolderCount = rt::StoreSingle(rt::Add(subfolderCount, 1));
                }
            }
        }
        Line(1019); if (folderCount > kLastEntry) break;
    }
    Line(1020); rt::SearchClose(1);
}

// Lists every folder of the table in turn, breadth-first, until all are
// listed or the table is full. Marks turn to 1 in index order, so the search
// for the next waiting folder goes on from the one listed last, and the
// folders after it in the table are the ones listed next: the runtime lists
// them ahead while the walk lists this one.
void CONTINUE_WALK_SUB() {
    rt::Single next = 0;
    rt::Single from = 0;
    rt::Single subfolderCount = 0;
    const rt::ReadAhead::Walk readAhead(rt::TheRun().readAhead);
    for (;;) {
        Line(1040); next = from;
        for (;;) {
            Line(1041); if (next > kLastEntry) {
                Line(1042); next = -1;
                break;
            }
            Line(1043); if (folderMarks[next] == 0) break;
            Line(1044); next = rt::StoreSingle(rt::Add(next, 1));
        }
        Line(1045); if (next == folderCount || next < 0) return;
        Line(1046); folderMarks[next] = 1;
        Line(1047); scanFolder = folderNames[next];
        Line(1048); from = rt::StoreSingle(rt::Add(next, 1));
        Line(1051); rt::TheRun().readAhead.Ask(folderNames, from, folderCount, sourceBase, "\\*.*");
        Line(1049); フォルダー名取得_SUB(subfolderCount);
        Line(1050); if (folderCount > kLastEntry) return;
    }
}

}  // namespace program
