#include "program/Program.h"
#include "runtime/files/FileStatements.h"
#include "runtime/lang/FolderName.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/SystemPath.h"

namespace program {

using rt::Line;

// The folder that a copy run makes for table entry `entry`: below the
// destination, inside the parent folder when there is one.
void TARGET_PATH_SUB(rt::Single entry, const std::string& parentName, std::string& targetPath) {
    Line(3100); targetPath = destinationPath;
    Line(3101); if (parentName != "") {
        Line(3102); targetPath = targetPath + parentName + "\\";
    }
    Line(3103); targetPath = targetPath + folderNames[entry];
}

// Whether every folder the copy run must make can be made: none longer than
// the system takes, none where a file of the same name stands. Finding out
// half-way would leave folders behind that no undo could take back, so the
// run asks first and, on the first that cannot be made, says which and why.
// Below a folder that is not there nothing can stand in the way, so the
// folders inside the one found missing last are not asked about.
void CHECK_TARGETS_SUB(const std::string& parentName, rt::Int16& fits) {
    std::string targetPath;
    std::string offending;
    std::string missing;
    rt::Single i = 0;
    Line(3120); fits = 1;
    Line(3121); if (parentName != "") {
        // Windows would make "..", "a." or "CON" as another folder, or not
        // at all: the tree would land beside the destination or stop half-way.
        Line(3140); if (!rt::IsExactFolderName(parentName)) {
            Line(3141); fits = 0;
            Line(3142); STOP_SUB("コピー先に関するエラー", "親フォルダーの名前がフォルダー名として使えないので処理できません" +
                                                         rt::Chr({13, 10}) + parentName);
            return;
        }
        Line(3122); targetPath = destinationPath + parentName;
        Line(3123); if (rt::PathTooLong(targetPath) || rt::FileExists(targetPath)) {
            Line(3124); offending = targetPath;
        }
    }
    Line(3125); rt::CountingLoop entries(i, 0, folderCount - 1);
    do {
        Line(3126); if (offending != "") break;
        Line(3127); if (folderMarks[i] == 1) {
            Line(3128); TARGET_PATH_SUB(i, parentName, targetPath);
            Line(3129); if (rt::PathTooLong(targetPath)) {
                Line(3130); offending = targetPath;
            } else if (missing == "" || rt::LeftBytes(targetPath, rt::ByteLen(missing) + 1) != missing + "\\") {
                Line(3131); if (rt::FolderExists(targetPath) == 0) {
                    Line(3132); if (rt::FileExists(targetPath)) {
                        Line(3133); offending = targetPath;
                    } else {
                        Line(3134); missing = targetPath;
                    }
                }
            }
        }
    } while (entries.Next());
    Line(3135); if (offending == "") return;
    Line(3136); fits = 0;
    Line(3137); if (rt::PathTooLong(offending)) {
        Line(3138); STOP_SUB("コピー先に関するエラー",
                             "コピー先のパスが長すぎるフォルダーがあるので処理できません" + rt::Chr({13, 10}) + offending);
    } else {
        Line(3139); STOP_SUB("コピー先に関するエラー",
                             "コピー先に同じ名前のファイルがあるので処理できません" + rt::Chr({13, 10}) + offending);
    }
}

}  // namespace program
