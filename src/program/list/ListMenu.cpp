#include "program/Program.h"
#include "runtime/lang/Strings.h"
#include "runtime/run/StatementPoll.h"
#include "runtime/system/PathsIgnoringCase.h"
#include "shell/ListMenu.h"
#include "shell/ListOperations.h"

namespace program {

using shell::SetSelection;
using rt::Line;

// The menu of an item of LIST1 (a right click, the menu key or Shift+F10):
// three ways to narrow the selection by that folder's name, its depth or its
// branch, each keeping the tree rule. Choosing none changes nothing at all.
void LIST1_MENU(ControlHandle&, rt::Single item) {
    std::string name;
    rt::Single choice = 0;
    Line(2200); if (item < 0 || item > shell::ItemCount(LIST1) - 1) return;
    Line(2201); FOLDER_NAME_SUB(folderNames[item], name);
    Line(2202); choice = shell::ListMenu(LIST1, item, {"「" + name + "」という名前のフォルダーをすべて選択しない",
                                                       "この深さより下を選択しない", "ここから下だけを選択する"});
    Line(2203); if (choice == 0) return;
    Line(2204); shell::EnableControl(BUTTON9, 0);
    Line(2205); if (choice == 1) {
        Line(2206); NAME_OFF_SUB(name);
    }
    Line(2207); if (choice == 2) {
        Line(2208); DEPTH_OFF_SUB(item);
    }
    Line(2209); if (choice == 3) {
        Line(2215); BRANCH_ONLY_SUB(item);
    }
}

// Every folder of that name, and so every folder below one, deselected: a
// folder is below one when a folder of its path carries the name. Names are
// told apart as Windows tells them apart, letter case aside.
void NAME_OFF_SUB(const std::string& name) {
    rt::Single j = 0;
    rt::Int16 found = 0;
    Line(2210); rt::CountingLoop entries(j, 0, folderCount - 1);
    do {
        Line(2211); if (folderMarks[j] == 1) {
            Line(2212); PATH_HAS_NAME_SUB(folderNames[j], name, found);
            Line(2213); if (found == 1) {
                Line(2214); DESELECT_SUB(j);
            }
        }
    } while (entries.Next());
}

// Every folder deeper than the item's deselected; those above it and beside
// it keep their state, so the tree rule holds.
void DEPTH_OFF_SUB(rt::Single item) {
    rt::Single j = 0;
    rt::Single limit = 0;
    rt::Single depth = 0;
    Line(2220); DEPTH_SUB(folderNames[item], limit);
    Line(2221); rt::CountingLoop entries(j, 0, folderCount - 1);
    do {
        Line(2222); if (folderMarks[j] == 1) {
            Line(2223); DEPTH_SUB(folderNames[j], depth);
            Line(2224); if (depth > limit) {
                Line(2225); DESELECT_SUB(j);
            }
        }
    } while (entries.Next());
}

// The item's folder, its ancestors and every folder below it selected, every
// other folder deselected.
void BRANCH_ONLY_SUB(rt::Single item) {
    rt::Single j = 0;
    rt::Int16 wanted = 0;
    std::string branch;
    std::string below;
    std::string text;
    Line(2230); branch = folderNames[item];
    Line(2231); below = branch + "\\";
    Line(2232); rt::CountingLoop entries(j, 0, folderCount - 1);
    do {
        Line(2233); text = folderNames[j];
        Line(2234); wanted = 0;
        Line(2235); if (text == branch || rt::LeftBytes(text, rt::ByteLen(below)) == below ||
                        rt::LeftBytes(branch, rt::ByteLen(text) + 1) == text + "\\") {
            Line(2236); wanted = 1;
        }
        Line(2237); if (folderMarks[j] != wanted) {
            Line(2238); folderMarks[j] = wanted;
            Line(2239); SetSelection(LIST1, j, wanted == 1 ? -1 : 0);
        }
    } while (entries.Next());
}

void DESELECT_SUB(rt::Single entry) {
    Line(2240); folderMarks[entry] = 0;
    Line(2241); SetSelection(LIST1, entry, 0);
}

// The folder's own name: the part of its relative path after the last "\".
void FOLDER_NAME_SUB(const std::string& path, std::string& name) {
    rt::Array<rt::Int16> positions;
    Line(2250); positions.Dim(rt::ByteLen(path));
    Line(2251); INSTR_SUB(path, "\\", positions);
    Line(2252); if (positions[0] == 0) {
        Line(2253); name = path;
    } else {
        Line(2254); name = rt::MidBytes(path, positions[positions[0]] + 1);
    }
}

// 1 for a folder directly below the source, one more for each level below.
void DEPTH_SUB(const std::string& path, rt::Single& depth) {
    rt::Array<rt::Int16> positions;
    Line(2260); positions.Dim(rt::ByteLen(path));
    Line(2261); INSTR_SUB(path, "\\", positions);
    Line(2262); depth = positions[0] + 1;
}

// found = 1 when one of the folders the relative path names is called `name`.
void PATH_HAS_NAME_SUB(const std::string& path, const std::string& name, rt::Int16& found) {
    rt::Array<rt::Int16> positions;
    rt::Single k = 0;
    rt::Single start = 0;
    rt::Single end = 0;
    Line(2270); found = 0;
    Line(2271); positions.Dim(rt::ByteLen(path));
    Line(2272); INSTR_SUB(path, "\\", positions);
    Line(2273); start = 1;
    Line(2274); rt::CountingLoop parts(k, 1, positions[0] + 1);
    do {
        Line(2275); end = k <= positions[0] ? positions[k] : rt::ByteLen(path) + 1;
        Line(2276); if (rt::SameNameIgnoringCase(rt::MidBytes(path, start, end - start), name)) {
            Line(2277); found = 1;
            return;
        }
        Line(2278); start = end + 1;
    } while (parts.Next());
}

}  // namespace program
