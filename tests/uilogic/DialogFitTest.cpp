// Dialogs that fit the screen, and the radio group's checked index.
#include "uilogic/DialogFit.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogFit, ADialogThatFitsKeepsItsSize) {
    EXPECT_EQ(FitDialogOnScreen({400, 300}, {1920, 1080}, {}), (BoxSize{400, 300}));
    // Exactly the room: the assumed frame takes 8 across and 28 down.
    EXPECT_EQ(FitDialogOnScreen({792, 572}, {800, 600}, {}), (BoxSize{792, 572}));
}

TEST(DialogFit, OnlyTheDirectionThatDoesNotFitShrinks) {
    EXPECT_EQ(FitDialogOnScreen({793, 500}, {800, 600}, {}), (BoxSize{792, 500}));
    EXPECT_EQ(FitDialogOnScreen({500, 900}, {800, 600}, {}), (BoxSize{500, 572}));
    // The owner's frame, once known, replaces the assumed one.
    EXPECT_EQ(FitDialogOnScreen({900, 900}, {800, 600}, {1, 30, 1, 1}), (BoxSize{798, 569}));
    EXPECT_EQ(FitDialogOnScreen({900, 900}, {6, 10}, {}), (BoxSize{0, 0})); // never negative
}

TEST(RadioGroup, CheckedIndexIsTheLastCheckedOrNone) {
    EXPECT_EQ(CheckedIndex({false, true, false}), 1);
    EXPECT_EQ(CheckedIndex({true, false, true}), 2);
    EXPECT_EQ(CheckedIndex({false, false, false}), -1);
    EXPECT_EQ(CheckedIndex({}), -1);
}

} // namespace
