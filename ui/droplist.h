#pragma once

#include <windows.h>

// A drop-down list whose rows are the user's choices chooses once, and only a row it shows. A closed list
// chooses as its row changes (an arrow key, a row clicked as the list rolls up); an open one chooses when it
// closes on a row (Enter, a click), while moving through it chooses nothing. A list left without a choice
// (Escape, a click elsewhere, typed text and then the focus gone) shows the chosen row again.
//
// Windows may send CBN_CLOSEUP before or after the CBN_SELCHANGE of a row clicked, so the choice of an open
// list is made once the control has sent all it sends as it closes; a CBN_SELCHANGE of the closed list that
// comes before then makes it at once, and nothing is left to do.
enum class ListStep {
    None,
    ChooseNow,           // the row the list shows is the choice
    ChooseWhenItCloses,  // the row the list shows is the choice, once the list has closed
    ShowStoredRow,       // nothing is chosen: the list shows what is stored again
};

constexpr ListStep listStep(int notification, bool open) {
    switch (notification) {
        case CBN_SELCHANGE:
            return open ? ListStep::None : ListStep::ChooseNow;
        case CBN_SELENDOK:
            // A closed list sends CBN_SELCHANGE next.
            return open ? ListStep::ChooseWhenItCloses : ListStep::None;
        case CBN_SELENDCANCEL:
        case CBN_KILLFOCUS:
            return ListStep::ShowStoredRow;
    }
    return ListStep::None;
}
