// What a drop-down list of choices makes of each notification, in the orders Wine and Windows send them.
#include <gtest/gtest.h>

#include <tuple>

#include "ui/droplist.h"

namespace {

TEST(DropList, ChoosesOnceAsItClosesOnARowAndShowsTheStoredRowWhenLeftWithoutAChoice) {
    using S = ListStep;
    // The notification, whether the list is open as it comes, and what it means.
    const std::tuple<int, bool, ListStep> cases[] = {
        {CBN_SELCHANGE, false, S::ChooseNow},  // an arrow key on the closed list; a row clicked (Wine)
        {CBN_SELCHANGE, true, S::None},        // an arrow key in the open list; a row clicked (Windows)
        {CBN_SELENDOK, true, S::ChooseWhenItCloses},  // Enter in the open list, a row clicked
        {CBN_SELENDOK, false, S::None},               // an arrow key on the closed list, before CBN_SELCHANGE
        {CBN_CLOSEUP, false, S::None},                // before or after CBN_SELCHANGE
        {CBN_SELENDCANCEL, true, S::ShowStoredRow},   // Escape, a click elsewhere, F4
        {CBN_SELENDCANCEL, false, S::ShowStoredRow},  // typed text, then Tab or a box
        {CBN_KILLFOCUS, false, S::ShowStoredRow}};
    for (const auto& [notification, open, step] : cases)
        EXPECT_EQ(listStep(notification, open), step) << notification << (open ? " open" : " closed");
}

}  // namespace
