#include "program/Program.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"
#include "shell/ListOperations.h"

namespace program {

using shell::EnableControl;
using shell::SetSelection;
using rt::Line;

// "全部選択"
void BUTTON3_ON(ControlHandle&) {
    Line(2100); SET_LIST1_SUB();
    Line(2101); EnableControl(BUTTON9, 0);
}

// "全部解除"
void BUTTON4_ON(ControlHandle&) {
    rt::Single i = 0;
    Line(2110); EnableControl(BUTTON9, 0);
    Line(2111); rt::CountingLoop clear(i, 0, folderCount - 1);
    do {
        Line(2112); folderMarks[i] = 0;
        Line(2113); SetSelection(LIST1, i, 0);
    } while (clear.Next());
}

// The check mark is read by the copy run and the export; a change of it
// withdraws the undo of the last copy.
void CHECK1_ON(ControlHandle&) {
    Line(2120); EnableControl(BUTTON9, 0);
}

// The user toggled one item: deselecting a folder deselects the folders
// below it, selecting one selects the folders above it.
void LIST1_CLICK(ControlHandle&) {
    rt::Single i = 0;
    rt::Single j = 0;
    rt::Single k = 0;
    rt::Single limit = 0;
    rt::Int16 state = 0;
    std::string prefix;
    std::string text;
    rt::Array<rt::Int16> positions;
    Line(2130); EnableControl(BUTTON9, 0);
    Line(2131); rt::CountingLoop find(i, 0, folderCount - 1);
    do {
        Line(2132); state = shell::GetSelection(LIST1, i) != 0 ? 1 : 0;
        Line(2133); if (state != folderMarks[i]) break;
    } while (find.Next());
    Line(2134); if (i > folderCount - 1) return;
    Line(2135); if (state == 0) {
        Line(2136); folderMarks[i] = 0;
        Line(2137); prefix = folderNames[i] + "\\";
        Line(2138); if (i < folderCount - 1) {
            Line(2139); rt::CountingLoop below(j, i + 1, folderCount - 1);
            do {
                Line(2140); if (rt::LeftBytes(folderNames[j], rt::ByteLen(prefix)) == prefix) {
                    Line(2141); SetSelection(LIST1, j, 0);
                    Line(2142); folderMarks[j] = 0;
                }
            } while (below.Next());
        }
        return;
    }
    Line(2150); folderMarks[i] = 1;
    Line(2151); text = folderNames[i];
    Line(2152); positions.Dim(rt::ByteLen(text));
    Line(2153); INSTR_SUB(text, "\\", positions);
    Line(2154); if (positions[0] == 0) return;
    Line(2155); limit = i - 1;
    Line(2156); rt::CountingLoop levels(k, 0, positions[0] - 1);
    do {
        // From the parent up: each ancestor lies before the one found last.
        Line(2157); prefix = rt::LeftBytes(text, positions[positions[0] - k]);
        Line(2158); rt::CountingLoop above(j, 0, limit);
        do {
            Line(2159); if (folderNames[j] + "\\" == prefix) {
                Line(2160); SetSelection(LIST1, j, -1);
                Line(2161); folderMarks[j] = 1;
                Line(2162); limit = j - 1;
            }
        } while (above.Next());
    } while (levels.Next());
}

}  // namespace program
