#include "program/Program.h"
#include "runtime/files/FileStatements.h"
#include "runtime/files/OpenFiles.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/Cp932.h"
#include "runtime/system/PathsIgnoringCase.h"
#include "shell/ListOperations.h"

namespace program {

using shell::SetCaption;
using rt::Line;

namespace {

// Puts into `made` the targets of the selected entries before `entry` that
// the copy run has made (mark 0 once the run has passed them).
void RECORD_MADE_SUB(rt::Single entry, const std::string& parentName, rt::PathsIgnoringCase& made) {
    std::string targetPath;
    rt::Single k = 0;
    Line(3150); if (entry == 0) return;
    Line(3151); rt::CountingLoop entries(k, 0, entry - 1);
    do {
        Line(3152); if (folderMarks[k] == 1 && preexistingMarks[k] == 0) {
            Line(3153); TARGET_PATH_SUB(k, parentName, targetPath);
            Line(3154); made.Add(targetPath);
        }
    } while (entries.Next());
}

}  // namespace

// "コピー実行": makes an empty folder below the destination for every selected
// folder, in table order, parents first; logs every target and records what
// it made for the undo. A folder it made itself a moment before for a name
// that differs in letter case alone is no folder that was there before.
void BUTTON7_ON(ControlHandle&) {
    std::string parentName;
    std::string targetPath;
    std::string message;
    rt::Single createdCount = 0;
    rt::Single existingCount = 0;
    rt::Single mergedCount = 0;
    rt::Single i = 0;
    rt::Int16 fits = 0;
    // The targets this run made, kept from the first target found already
    // there: only such a target can be one the run made a moment before for
    // a name that differs in letter case alone. A run into an empty
    // destination, the usual one, keeps no names at all. The undo needs only
    // the marks, so the record goes with the run.
    rt::PathsIgnoringCase madeFolders;
    rt::Int16 recording = 0;
    Line(3020); if (shell::CheckState(CHECK1) == 1) {
        Line(3021); parentName = shell::ReadText(EDIT1);
    }
    Line(3022); if (parentName != "") {
        Line(3023); ファイル名修正_SUB(parentName);
    }
    Line(3024); CHECK_TARGETS_SUB(parentName, fits);
    Line(3025); if (fits == 0) return;
    Line(3026); SetCaption(TEXT4, "コピー数");
    Line(3027); SetCaption(TEXT3, "");
    Line(3028); if (rt::FileExists(startDir + "\\TEST_FOL2.TXT")) {
        Line(3029); rt::EraseFile(startDir + "\\TEST_FOL2.TXT");
    }
    Line(3030); rt::OpenForOutput(startDir + "\\TEST_FOL2.TXT", 2);
    Line(3031); if (parentName != "") {
        Line(3032); SetCaption(EDIT1, parentName);
        Line(3034); if (rt::MakeFolderIfMissing(destinationPath + parentName) == -1) {
            Line(3035); parentExisted = 0;
        } else {
            Line(3036); parentExisted = 1;
        }
    }
    Line(3037); copiedParentName = parentName;
    Line(3038); createdCount = 0;
    Line(3039); existingCount = 0;
    Line(3057); mergedCount = 0;
    Line(3040); rt::CountingLoop entries(i, 0, folderCount - 1);
    do {
        Line(3041); preexistingMarks[i] = 0;
        Line(3042); if (folderMarks[i] == 1) {
            Line(3043); TARGET_PATH_SUB(i, parentName, targetPath);
            Line(3044); rt::WriteLine(2, "(" + rt::MidBytes(rt::NumText(rt::ByteLen(rt::WrittenForm(targetPath))), 2) + ") " +
                                    targetPath);
            Line(3046); if (rt::MakeFolderIfMissing(targetPath) == -1) {
                Line(3047); createdCount = rt::StoreSingle(rt::Add(createdCount, 1));
                Line(3048); SetCaption(TEXT3, rt::NumText(createdCount));
                Line(3058); if (recording == 1) madeFolders.Add(targetPath);
            } else {
                Line(3064); if (recording == 0) {
                    Line(3065); RECORD_MADE_SUB(i, parentName, madeFolders);
                    Line(3066); recording = 1;
                }
                // A name from a server that tells letter case apart ("A" and
                // "a"): Windows holds one folder for both, and this run made
                // it for the entry before. The undo removes it through that
                // entry, after all that is below either name.
                Line(3067); if (madeFolders.Holds(targetPath)) {
                    Line(3059); preexistingMarks[i] = 2;
                    Line(3060); mergedCount = rt::StoreSingle(rt::Add(mergedCount, 1));
                } else {
                    Line(3049); preexistingMarks[i] = 1;
                    Line(3050); existingCount = rt::StoreSingle(rt::Add(existingCount, 1));
                }
            }
        }
    } while (entries.Next());
    Line(3051); rt::CloseFiles({2});
    Line(3052); shell::EnableControl(BUTTON9, -1);
    Line(3053); message = "フォルダーのコピーを終了しました。";
    Line(3054); if (existingCount > 0) {
        Line(3055); message = message + rt::Chr({13, 10}) + "なお、コピーする前に存在していたフォルダーが" +
                              rt::NumText(existingCount) + " あります。";
    }
    Line(3062); if (mergedCount > 0) {
        Line(3063); message = message + rt::Chr({13, 10}) + "なお、大文字と小文字だけが違う名前を一つにまとめたフォルダーが" +
                              rt::NumText(mergedCount) + " あります。";
    }
    Line(3056); STOP_SUB("作業終了のお知らせ", message);
}

}  // namespace program
