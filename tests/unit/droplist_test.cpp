// What a drop-down list of choices makes of each notification, in the orders Wine and Windows send them.
#include <gtest/gtest.h>

#include <tuple>

#include "ui/droplist.h"

namespace {

TEST(DropList, ChoosesOnceAsItClosesOnARowAndShowsTheStoredRowWhenLeftWithoutAChoice) {
    // The notification, whether the list is open as it comes, and what it means.
    const std::tuple<int, bool, ListStep> cases[] = {
        {CBN_SELCHANGE, false, ListStep::ChooseNow},  // an arrow key on the closed list; a row clicked (Wine)
        {CBN_SELCHANGE, true, ListStep::None},  // an arrow key in the open list; a row clicked (Windows)
        {CBN_SELENDOK, true, ListStep::ChooseWhenItCloses},  // Enter in the open list, a row clicked
        {CBN_SELENDOK, false, ListStep::None},  // an arrow key on the closed list, before CBN_SELCHANGE
        {CBN_CLOSEUP, false, ListStep::None},   // before or after CBN_SELCHANGE
        {CBN_SELENDCANCEL, true, ListStep::ShowStoredRow},   // Escape, a click elsewhere, F4
        {CBN_SELENDCANCEL, false, ListStep::ShowStoredRow},  // typed text, then Tab or a box
        {CBN_KILLFOCUS, false, ListStep::ShowStoredRow}};
    for (const auto& [notification, open, step] : cases)
        EXPECT_EQ(listStep(notification, open), step) << notification << (open ? " open" : " closed");
}

}  // namespace
