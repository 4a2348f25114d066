#include "engine/positions.hpp"

#include <gtest/gtest.h>

#include <type_traits>

#include "engine/editor.hpp"

namespace engine {
namespace {

// A count from 1, a count from 0 and a screen column cannot stand for one another.
static_assert(!std::is_convertible_v<int, LineNumber>);
static_assert(!std::is_convertible_v<LineNumber, int>);
static_assert(!std::is_constructible_v<LineNumber, ColumnNumber>);
static_assert(!std::is_constructible_v<ColumnNumber, ScreenColumn>);
static_assert(!std::is_constructible_v<TypedPosition, TextPosition>);
static_assert(!std::is_invocable_v<decltype(&Editor::GoTo), Editor&, TextPosition>);

TEST(EditorPositions, WhatTheUserTypesIsCountedFromOne) {
    Editor e("a.txt", "one\n\ttwo\nthree");
    e.GoTo({LineNumber(2), ColumnNumber(10)});
    EXPECT_EQ(e.CurLine(), 1);
    EXPECT_EQ(e.CurPos(), 2);  // a screen column: the tab takes eight
    EXPECT_EQ(e.TypedCursor(), (TypedPosition{LineNumber(2), ColumnNumber(10)}));
    e.GoTo({LineNumber(2), ColumnNumber(3)});  // inside the tab: on it
    EXPECT_EQ(e.TypedCursor(), (TypedPosition{LineNumber(2), ColumnNumber(1)}));

    e.GoTo({LineNumber(99), ColumnNumber(9)});  // past the end: the last line
    EXPECT_EQ(e.TypedCursor(), (TypedPosition{LineNumber(3), ColumnNumber(9)}));
    e.GoTo({});
    EXPECT_EQ(e.CurLine(), 0);
    EXPECT_EQ(e.CurPos(), 0);
}

}  // namespace
}  // namespace engine
