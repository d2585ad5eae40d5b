// Pictures of the main window with each of its four pages, for a person to
// look at; each must show the whole window drawn.

#include "Screenshot.h"

#include "TarvekWindow.h"
#include "TestArtifacts.h"
#include "WindowDriver.h"

namespace {

using Screenshots = TarvekWindow;

TEST_F(Screenshots, OfTheFourPages)
{
    const char* const names[] = {"page_1_einstellungen.png", "page_2_komparatoren.png",
                                 "page_3_offsetabgleich.png", "page_4_fehlerbehandlung.png"};
    for (int page = 0; page < 4; ++page) {
        ShowPage(page);
        RedrawWindow(Main(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        PumpWaitingMessages();
        EXPECT_TRUE(PhotographsPaintedWindow(Main(), names[page]));
    }
}

}  // namespace
