#include "program/Program.h"

namespace program {

ControlHandle MAINFORM;
ControlHandle TEXT1, TEXT2, TEXT3, TEXT4, TEXT5, TEXT6, TEXT7;
ControlHandle BUTTON1, BUTTON2, BUTTON3, BUTTON4, BUTTON5, BUTTON6, BUTTON7, BUTTON8, BUTTON9;
ControlHandle LIST1, CHECK1, EDIT1;

rt::Int16 textSize;
std::string titleText;
rt::Int16 formWidth;
rt::Int16 formHeight;
rt::Int16 listWidth;
rt::Int16 listHeight;
std::string startDir;
rt::Int16 quitFlag;

rt::Single folderCount;
rt::Array<std::string> folderNames(kLastEntry);
rt::Array<rt::Int16> folderMarks(kLastEntry);
std::string sourceBase;
std::string scanFolder;

rt::Single excludedCount;
std::string firstExcluded;
rt::Single unlistedCount;
std::string firstUnlisted;

std::string destinationPath;
std::string copiedParentName;
rt::Int16 parentExisted;
rt::Array<rt::Int16> preexistingMarks(kLastEntry);

void ClearVariables() {
    for (ControlHandle* handle : {&MAINFORM, &TEXT1, &TEXT2, &TEXT3, &TEXT4, &TEXT5, &TEXT6, &TEXT7,
                                  &BUTTON1, &BUTTON2, &BUTTON3, &BUTTON4, &BUTTON5, &BUTTON6,
                                  &BUTTON7, &BUTTON8, &BUTTON9, &LIST1, &CHECK1, &EDIT1}) {
        *handle = ControlHandle{};
    }
    textSize = formWidth = formHeight = listWidth = listHeight = quitFlag = parentExisted = 0;
    titleText = startDir = sourceBase = scanFolder = destinationPath = copiedParentName = "";
    folderCount = excludedCount = unlistedCount = 0;
    firstExcluded = firstUnlisted = "";
    folderNames = rt::Array<std::string>(kLastEntry);
    folderMarks = rt::Array<rt::Int16>(kLastEntry);
    preexistingMarks = rt::Array<rt::Int16>(kLastEntry);
}

}  // namespace program
