#include "app/Program.h"
#include "runtime/FileStatements.h"
#include "runtime/StatementPoll.h"

namespace program {

using app::BindHandle;
using app::FindControl;
using rt::Line;

void MainBody() {
    Line(100); textSize = 14;
    Line(101); titleText = "　　　　　　＜＜　ソラタナ　Ver.２ L20　＞＞";
    Line(102); BindHandle(MAINFORM, FindControl(nullptr, "MAINFORM"));
    Line(103); app::SetCaption(MAINFORM, titleText);
    Line(104); BindHandle(TEXT1, FindControl(&MAINFORM, "TEXT1"));
    Line(105); app::SetTextSize(TEXT1, 14);
    Line(106); BindHandle(TEXT2, FindControl(&MAINFORM, "TEXT2"));
    Line(107); app::SetTextSize(TEXT2, 14);
    Line(108); BindHandle(TEXT3, FindControl(&MAINFORM, "TEXT3"));
    Line(109); app::SetTextSize(TEXT3, 14);
    Line(110); BindHandle(TEXT4, FindControl(&MAINFORM, "TEXT4"));
    Line(111); app::SetTextSize(TEXT4, 14);
    Line(112); BindHandle(TEXT5, FindControl(&MAINFORM, "TEXT5"));
    Line(113); app::SetTextSize(TEXT5, 14);
    Line(114); BindHandle(TEXT6, FindControl(&MAINFORM, "TEXT6"));
    Line(115); app::SetTextSize(TEXT6, 14);
    Line(116); BindHandle(TEXT7, FindControl(&MAINFORM, "TEXT7"));
    Line(117); app::SetTextSize(TEXT7, 14);
    Line(118); BindHandle(BUTTON1, FindControl(&MAINFORM, "BUTTON1"));
    Line(119); app::SetTextSize(BUTTON1, 14);
    Line(120); BindHandle(BUTTON2, FindControl(&MAINFORM, "BUTTON2"));
    Line(121); app::SetTextSize(BUTTON2, 14);
    Line(122); BindHandle(BUTTON3, FindControl(&MAINFORM, "BUTTON3"));
    Line(123); app::SetTextSize(BUTTON3, 14);
    Line(124); BindHandle(BUTTON4, FindControl(&MAINFORM, "BUTTON4"));
    Line(125); app::SetTextSize(BUTTON4, 14);
    Line(126); BindHandle(BUTTON5, FindControl(&MAINFORM, "BUTTON5"));
    Line(127); app::SetTextSize(BUTTON5, 14);
    Line(128); BindHandle(BUTTON6, FindControl(&MAINFORM, "BUTTON6"));
    Line(129); app::SetTextSize(BUTTON6, 14);
    Line(130); BindHandle(BUTTON7, FindControl(&MAINFORM, "BUTTON7"));
    Line(131); app::SetTextSize(BUTTON7, 14);
    Line(132); BindHandle(BUTTON8, FindControl(&MAINFORM, "BUTTON8"));
    Line(133); app::SetTextSize(BUTTON8, 14);
    Line(134); BindHandle(BUTTON9, FindControl(&MAINFORM, "BUTTON9"));
    Line(135); app::SetTextSize(BUTTON9, 14);
    Line(136); BindHandle(LIST1, FindControl(&MAINFORM, "LIST1"));
    Line(137); app::SetTextSize(LIST1, textSize);
    Line(138); BindHandle(CHECK1, FindControl(&MAINFORM, "CHECK1"));
    Line(139); app::SetTextSize(CHECK1, 14);
    Line(140); BindHandle(EDIT1, FindControl(&MAINFORM, "EDIT1"));
    Line(141); app::SetTextSize(EDIT1, 14);
    Line(142); formWidth = rt::StoreInt16(app::WindowWidth(MAINFORM));
    Line(143); formHeight = rt::StoreInt16(app::WindowHeight(MAINFORM));
    Line(144); SET_BUTTON(0);
    Line(145); startDir = rt::CurrentFolder("");
    Line(146); quitFlag = 0;
    for (;;) {
        Line(147); if (quitFlag != 0) break;
        Line(148); rt::WaitForEvents();
    }
}

}  // namespace program
