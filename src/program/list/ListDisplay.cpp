#include "program/Program.h"
#include "runtime/run/StatementPoll.h"
#include "shell/ListOperations.h"

namespace program {

using rt::Line;

// Fills LIST1 from the table; the list puts the items in its sorted order.
void ADD_LIST1_SUB() {
    rt::Single i = 0;
    Line(2000); shell::ClearList(LIST1);
    Line(2001); rt::CountingLoop add(i, 0, folderCount - 1);
    do {
        Line(2002); shell::AddItem(LIST1, folderNames[i]);
    } while (add.Next());
}

// Marks and highlights every folder.
void SET_LIST1_SUB() {
    rt::Single i = 0;
    Line(2010); rt::CountingLoop select(i, 0, folderCount - 1);
    do {
        Line(2011); folderMarks[i] = 1;
        Line(2012); shell::SetSelection(LIST1, i, -1);
    } while (select.Next());
}

}  // namespace program
