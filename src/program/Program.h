#pragma once

#include <string>

#include "program/scan/NameUtilities.h"
#include "runtime/lang/Array.h"
#include "runtime/lang/Numbers.h"
#include "shell/Controls.h"

// The program: its variables, which live for the whole run, its subroutines
// and its event procedures. Every statement starts with its line marker.
namespace program {

using shell::ControlHandle;

// The main window and its controls, bound by name at start-up.
extern ControlHandle MAINFORM;
extern ControlHandle TEXT1, TEXT2, TEXT3, TEXT4, TEXT5, TEXT6, TEXT7;
extern ControlHandle BUTTON1, BUTTON2, BUTTON3, BUTTON4, BUTTON5, BUTTON6, BUTTON7, BUTTON8, BUTTON9;
extern ControlHandle LIST1, CHECK1, EDIT1;

extern rt::Int16 textSize;     // character size of LIST1's font, 10 to 24
extern std::string titleText;  // the window title
extern rt::Int16 formWidth;    // outer width of MAINFORM as last read
extern rt::Int16 formHeight;   // outer height of MAINFORM as last read
extern rt::Int16 listWidth;    // width last given to LIST1
extern rt::Int16 listHeight;   // height last given to LIST1
extern std::string startDir;   // current folder at start-up; the logs are written there
extern rt::Int16 quitFlag;     // condition of the main loop, never changed

// The folder table: every folder below the source, as paths relative to it.
inline constexpr int kFolderLimit = 32767;        // entries the table can hold
inline constexpr int kLastEntry = kFolderLimit - 1;  // the table's last index, 32766
extern rt::Single folderCount;                    // entries in use, 0 to 32767
extern rt::Array<std::string> folderNames;        // entry i: "A", "A\B", ...
extern rt::Array<rt::Int16> folderMarks;          // entry i: 1 listed (walk), 1 selected (after it)
extern std::string sourceBase;                    // the source folder, ending in "\"
extern std::string scanFolder;                    // folder to list next, relative; "" the source

// What the last scan could not take, for its notice.
extern rt::Single excludedCount;                  // folders left out for their names
extern std::string firstExcluded;                 // the full path of the first of them
extern rt::Single unlistedCount;                  // folders too deep to be looked into
extern std::string firstUnlisted;                 // the full path of the first of them

// The destination and what the last copy run did there, for its undo.
extern std::string destinationPath;               // the destination folder, ending in "\"; "" until chosen
extern std::string copiedParentName;              // parent folder name the last run used, or ""
extern rt::Int16 parentExisted;                   // 1 when that parent folder was there before the run
extern rt::Array<rt::Int16> preexistingMarks;     // entry i: 1 when its target was there before the run,
                                                  // 2 when the run made it for another entry first
                                                  // (names that differ in letter case alone)

// Every variable back to 0 or "", as before the first statement of a run.
void ClearVariables();

void MainBody();

// Enables (-1) or disables (0) the commands that need a scanned folder list.
void SET_BUTTON(rt::Single flag);
void SET_LIST1W();
void SET_BUTTON7_SUB();
void STOP_SUB(const std::string& title, const std::string& message);

void フォルダー名取得_SUB(rt::Single& subfolderCount);
void CONTINUE_WALK_SUB();
void SCAN_NOTICE_SUB();
void CLEAR_SOURCE_SUB();
void TAKE_SOURCE_SUB(const std::string& result);
void READ_SOURCE_SUB(const std::string& dialogResult);
void DROPPED_FOLDER_SUB(rt::Single count, const std::string& path, std::string& result);
void TAKE_DESTINATION_SUB(const std::string& result);
void ADD_LIST1_SUB();
void SET_LIST1_SUB();
void TARGET_PATH_SUB(rt::Single entry, const std::string& parentName, std::string& targetPath);
void CHECK_TARGETS_SUB(const std::string& parentName, rt::Int16& fits);
void NAME_OFF_SUB(const std::string& name);
void DEPTH_OFF_SUB(rt::Single item);
void BRANCH_ONLY_SUB(rt::Single item);
void DESELECT_SUB(rt::Single entry);
void FOLDER_NAME_SUB(const std::string& path, std::string& name);
void DEPTH_SUB(const std::string& path, rt::Single& depth);
void PATH_HAS_NAME_SUB(const std::string& path, const std::string& name, rt::Int16& found);

void MAINFORM_RESIZE(ControlHandle& form);
void BUTTON1_ON(ControlHandle& form);
void BUTTON2_ON(ControlHandle& form);
void BUTTON3_ON(ControlHandle& form);
void BUTTON4_ON(ControlHandle& form);
void BUTTON5_ON(ControlHandle& form);
void BUTTON6_ON(ControlHandle& form);
void BUTTON7_ON(ControlHandle& form);
void BUTTON8_ON(ControlHandle& form);
void BUTTON9_ON(ControlHandle& form);
void CHECK1_ON(ControlHandle& form);
void LIST1_CLICK(ControlHandle& form);

// The events that carry what the user pointed at: the item the list's menu
// was asked for on; how many items were dropped, and the first one's path
// ("" when it has no program form).
void LIST1_MENU(ControlHandle& form, rt::Single item);
void MAINFORM_DROPFILES(ControlHandle& form, rt::Single count, const std::string& path);
void BUTTON6_DROPFILES(ControlHandle& form, rt::Single count, const std::string& path);
void TEXT7_DROPFILES(ControlHandle& form, rt::Single count, const std::string& path);

}  // namespace program
