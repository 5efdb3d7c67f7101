#include "program/Program.h"
#include "runtime/files/FileStatements.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"

namespace program {

using shell::SetCaption;
using rt::Line;

// "元に戻す": removes, deepest first, exactly the folders the last copy run
// made; folders that were there before it are never touched. One already
// gone, or with a file standing in its place, is passed over.
void BUTTON9_ON(ControlHandle&) {
    std::string targetPath;
    rt::Single removedCount = 0;
    rt::Single k = 0;
    rt::Single i = 0;
    Line(3200); SetCaption(TEXT4, "削除数");
    Line(3201); SetCaption(TEXT3, "");
    Line(3202); removedCount = 0;
    Line(3203); rt::CountingLoop entries(k, 0, folderCount - 1);
    do {
        Line(3204); i = folderCount - 1 - k;
        // A name merged with another that differs in letter case alone (mark
        // 2) is no folder of its own: the entry that made it removes it.
        Line(3205); if (folderMarks[i] == 1 && preexistingMarks[i] == 0) {
            Line(3206); TARGET_PATH_SUB(i, copiedParentName, targetPath);
            Line(3208); if (rt::RemoveFolderIfThere(targetPath) == -1) {
                Line(3209); removedCount = rt::StoreSingle(rt::Add(removedCount, 1));
                Line(3210); SetCaption(TEXT3, rt::NumText(removedCount));
            }
        }
    } while (entries.Next());
    Line(3211); if (copiedParentName != "" && parentExisted == 0) {
        Line(3213); rt::RemoveFolderIfThere(destinationPath + copiedParentName);
    }
    Line(3214); STOP_SUB("作業終了のお知らせ", "コピーしたフォルダーを削除しました。");
    Line(3215); SetCaption(TEXT4, "コピー数");
    Line(3216); SetCaption(TEXT3, "");
    Line(3217); shell::EnableControl(BUTTON9, 0);
}

}  // namespace program
