#include "worksheet/VariableList.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

int Find(const VariableList& list, const char* name) {
    return list.FindVariable(name, std::strlen(name));
}

TEST(VariableListTest, KeepsFirstAssignmentOrderAndOverwrites) {
    VariableList list;
    EXPECT_EQ(Find(list, "x"), -1);
    list.SetVariable("x", CalcValue::MakeReal(4));
    list.SetVariable("y", CalcValue::MakeInteger(255));
    list.SetVariable("x", CalcValue::MakeInteger(5));
    ASSERT_EQ(list.Count(), 2u);
    EXPECT_EQ(Find(list, "x"), 0);
    EXPECT_EQ(Find(list, "y"), 1);
    const CalcValue x = list.GetVariable(0);
    EXPECT_EQ(x.kind, ValueKind::Integer);
    EXPECT_EQ(x.integer, 5);
    const CalcValue y = list.GetVariable(1);
    EXPECT_EQ(y.kind, ValueKind::Integer);
    EXPECT_EQ(y.integer, 255);
}

TEST(VariableListTest, MatchesExactLengthAndCase) {
    VariableList list;
    list.SetVariable("ab", CalcValue::MakeReal(1));
    list.SetVariable("Ab", CalcValue::MakeReal(2));
    EXPECT_EQ(Find(list, "ab"), 0);
    EXPECT_EQ(Find(list, "Ab"), 1);
    EXPECT_EQ(Find(list, "AB"), -1);
    EXPECT_EQ(Find(list, "a"), -1);
    EXPECT_EQ(Find(list, "abc"), -1);
    // The tokenizer passes a name inside the line: only the given length counts.
    EXPECT_EQ(list.FindVariable("ab+1", 2), 0);
    EXPECT_EQ(list.FindVariable("abc", 2), 0);
}

TEST(VariableListTest, OutOfRangeIndexGivesClearedValue) {
    VariableList list;
    list.SetVariable("x", CalcValue::MakeReal(1));
    EXPECT_EQ(list.GetVariable(1).kind, ValueKind::None);
    EXPECT_EQ(list.GetVariable(-1).kind, ValueKind::None);
}

} // namespace
