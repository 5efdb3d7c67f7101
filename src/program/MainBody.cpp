#include "program/Program.h"
#include "runtime/files/FileStatements.h"
#include "runtime/run/StatementPoll.h"

namespace program {

using shell::BindHandle;
using shell::FindControl;
using rt::Line;

void MainBody() {
    Line(100); textSize = 14;
    Line(101); titleText = "　　　　　　＜＜　ソラタナ　Ver.２ L20　＞＞";
    Line(102); BindHandle(MAINFORM, FindControl(nullptr, "MAINFORM"));
    Line(103); shell::SetCaption(MAINFORM, titleText);
    Line(104); BindHandle(TEXT1, FindControl(&MAINFORM, "TEXT1"));
    Line(105); shell::SetTextSize(TEXT1, 14);
    Line(106); BindHandle(TEXT2, FindControl(&MAINFORM, "TEXT2"));
    Line(107); shell::SetTextSize(TEXT2, 14);
    Line(108); BindHandle(TEXT3, FindControl(&MAINFORM, "TEXT3"));
    Line(109); shell::SetTextSize(TEXT3, 14);
    Line(110); BindHandle(TEXT4, FindControl(&MAINFORM, "TEXT4"));
    Line(111); shell::SetTextSize(TEXT4, 14);
    Line(112); BindHandle(TEXT5, FindControl(&MAINFORM, "TEXT5"));
    Line(113); shell::SetTextSize(TEXT5, 14);
    Line(114); BindHandle(TEXT6, FindControl(&MAINFORM, "TEXT6"));
    Line(115); shell::SetTextSize(TEXT6, 14);
    Line(116); BindHandle(TEXT7, FindControl(&MAINFORM, "TEXT7"));
    Line(117); shell::SetTextSize(TEXT7, 14);
    Line(118); BindHandle(BUTTON1, FindControl(&MAINFORM, "BUTTON1"));
    Line(119); shell::SetTextSize(BUTTON1, 14);
    Line(120); BindHandle(BUTTON2, FindControl(&MAINFORM, "BUTTON2"));
    Line(121); shell::SetTextSize(BUTTON2, 14);
    Line(122); BindHandle(BUTTON3, FindControl(&MAINFORM, "BUTTON3"));
    Line(123); shell::SetTextSize(BUTTON3, 14);
    Line(124); BindHandle(BUTTON4, FindControl(&MAINFORM, "BUTTON4"));
    Line(125); shell::SetTextSize(BUTTON4, 14);
    Line(126); BindHandle(BUTTON5, FindControl(&MAINFORM, "BUTTON5"));
    Line(127); shell::SetTextSize(BUTTON5, 14);
    Line(128); BindHandle(BUTTON6, FindControl(&MAINFORM, "BUTTON6"));
    Line(129); shell::SetTextSize(BUTTON6, 14);
    Line(130); BindHandle(BUTTON7, FindControl(&MAINFORM, "BUTTON7"));
    Line(131); shell::SetTextSize(BUTTON7, 14);
    Line(132); BindHandle(BUTTON8, FindControl(&MAINFORM, "BUTTON8"));
    Line(133); shell::SetTextSize(BUTTON8, 14);
    Line(134); BindHandle(BUTTON9, FindControl(&MAINFORM, "BUTTON9"));
    Line(135); shell::SetTextSize(BUTTON9, 14);
    Line(136); BindHandle(LIST1, FindControl(&MAINFORM, "LIST1"));
    Line(137); shell::SetTextSize(LIST1, textSize);
    Line(138); BindHandle(CHECK1, FindControl(&MAINFORM, "CHECK1"));
    Line(139); shell::SetTextSize(CHECK1, 14);
    Line(140); BindHandle(EDIT1, FindControl(&MAINFORM, "EDIT1"));
    Line(141); shell::SetTextSize(EDIT1, 14);
    Line(142); formWidth = rt::StoreInt16(shell::WindowWidth(MAINFORM));
    Line(143); formHeight = rt::StoreInt16(shell::WindowHeight(MAINFORM));
    Line(144); SET_BUTTON(0);
    Line(145); startDir = rt::CurrentFolder("");
    Line(146); quitFlag = 0;
    for (;;) {
        Line(147); if (quitFlag != 0) break;
        Line(148); rt::WaitForEvents();
    }
}

}  // namespace program
