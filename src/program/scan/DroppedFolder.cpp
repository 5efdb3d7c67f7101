#include "program/Program.h"
#include "runtime/files/FileStatements.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"

namespace program {

using rt::Line;

// A folder dropped on the window anywhere but on BUTTON6 and TEXT7 is the
// new source, as if it had been confirmed in BUTTON5's dialog.
void MAINFORM_DROPFILES(ControlHandle&, rt::Single count, const std::string& path) {
    std::string result;
    Line(1170); DROPPED_FOLDER_SUB(count, path, result);
    Line(1171); if (result == "") return;
    Line(1172); CLEAR_SOURCE_SUB();
    Line(1173); TAKE_SOURCE_SUB(result);
}

// The dialog result a dropped folder stands for: a name confirmed inside it
// (C:\DATA\DUMMY, C:\DUMMY for a drive). A drop that is not one folder that
// is there gets a notice and gives "", and nothing else happens.
void DROPPED_FOLDER_SUB(rt::Single count, const std::string& path, std::string& result) {
    std::string message;
    Line(1180); result = "";
    Line(1181); if (count != 1) {
        Line(1182); message = "フォルダーを一つだけドロップしてください";
    }
    Line(1183); if (message == "" && path == "") {
        Line(1184); message = "扱えない名前のフォルダーです";
    }
    Line(1192); if (message == "") {
        Line(1193); if (rt::FolderOrDriveExists(path) == 0) {
            Line(1194); if (rt::FileExists(path) != 0) {
                Line(1185); message = "ファイルではなくフォルダーをドロップしてください" + rt::Chr({13, 10}) + path;
            } else {
                Line(1186); message = "ドロップされたフォルダーが見つかりません" + rt::Chr({13, 10}) + path;
            }
        }
    }
    Line(1187); if (message != "") {
        Line(1188); STOP_SUB("ドロップに関するお知らせ", message);
        return;
    }
    // By characters: the second byte of ソ is the byte of "\".
    Line(1189); if (rt::MidChars(path, rt::CharLen(path)) == "\\") {
        Line(1190); result = path + "DUMMY";
    } else {
        Line(1191); result = path + "\\DUMMY";
    }
}

}  // namespace program
