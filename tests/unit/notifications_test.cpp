// What a drop-down list and a radio button of choices make of each notification, from Wine and Windows.
#include <gtest/gtest.h>

#include <tuple>

#include "ui/droplist.h"
#include "ui/radio.h"

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

TEST(Radio, ChoosesOnlyWhenCheckedAsItTellsOfAClick) {
    // The notification, whether the button is checked as it comes, and whether it is a choice: a click, Space
    // or an arrow key (on the mode that is on already too); the focus back on a button the program unchecked.
    const std::tuple<int, bool, bool> cases[] = {
        {BN_CLICKED, true, true}, {BN_CLICKED, false, false}, {BN_SETFOCUS, true, false}};
    for (const auto& [notification, checked, chosen] : cases)
        EXPECT_EQ(radioChosen(notification, checked), chosen) << notification << (checked ? " checked" : "");
}

}  // namespace
