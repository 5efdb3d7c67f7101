#include "program/Program.h"
#include "runtime/run/StatementPoll.h"

namespace program {

using shell::EnableControl;
using shell::SetTextSize;
using shell::SetWindowSize;
using rt::Line;
using rt::StoreInt16;

void MAINFORM_RESIZE(ControlHandle&) {
    Line(400); formWidth = StoreInt16(shell::WindowWidth(MAINFORM));
    Line(401); formHeight = StoreInt16(shell::WindowHeight(MAINFORM));
    Line(402); if (formWidth < 700) {
        Line(403); formWidth = 700;
        Line(404); SetWindowSize(MAINFORM, formWidth, formHeight);
    }
    Line(405); if (formHeight < 550) {
        Line(406); formHeight = 550;
        Line(407); SetWindowSize(MAINFORM, formWidth, formHeight);
    }
    Line(408); SET_LIST1W();
    Line(409); SetTextSize(LIST1, textSize);
}

void SET_LIST1W() {
    Line(420); formWidth = StoreInt16(shell::WindowWidth(MAINFORM));
    Line(421); formHeight = StoreInt16(shell::WindowHeight(MAINFORM));
    Line(422); listWidth = StoreInt16(formWidth - 50);
    Line(423); listHeight = StoreInt16(formHeight - 210);
    Line(424); SetWindowSize(LIST1, listWidth, listHeight);
    Line(425); SetWindowSize(TEXT6, formWidth - 160, 18);
    Line(426); SetWindowSize(TEXT7, formWidth - 160, 18);
}

void BUTTON1_ON(ControlHandle&) {
    Line(440); textSize = StoreInt16(textSize - 1);
    Line(441); if (textSize < 10) {
        Line(442); textSize = 10;
    }
    Line(443); EnableControl(BUTTON2, -1);
    Line(444); SetTextSize(LIST1, textSize);
    Line(445); if (textSize == 10) {
        Line(446); EnableControl(BUTTON1, 0);
    }
    Line(447); SET_LIST1W();
}

void BUTTON2_ON(ControlHandle&) {
    Line(460); textSize = StoreInt16(textSize + 1);
    Line(461); if (textSize > 24) {
        Line(462); textSize = 24;
    }
    Line(463); EnableControl(BUTTON1, -1);
    Line(464); SetTextSize(LIST1, textSize);
    Line(465); if (textSize == 24) {
        Line(466); EnableControl(BUTTON2, 0);
    }
    Line(467); SET_LIST1W();
}

}  // namespace program
