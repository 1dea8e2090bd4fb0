#include <gtest/gtest.h>

#include "series/unreadable_line.h"

using aqualen::FirstUnreadableLine;
using aqualen::FirstUnreadablePair;

TEST(UnreadableLine, FirstLineThatIsNotANumber)
{
    EXPECT_EQ(FirstUnreadableLine({"1", "2,5", "3"}, ','), std::nullopt);
    EXPECT_EQ(FirstUnreadableLine({"1", "2.5", "x"}, ','), 1u);
    EXPECT_EQ(FirstUnreadableLine({"1", "2", ""}, ','), 2u);
    EXPECT_EQ(FirstUnreadableLine({}, ','), std::nullopt);
}

TEST(UnreadableLine, PairsReadInStep)
{
    // Line 2 of the first pane is read after line 1 of the second.
    const auto stop = FirstUnreadablePair({"1", "2", "x"}, {"1", "y", "3"}, ',');
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->pane, 1);
    EXPECT_EQ(stop->line, 1u);
    const auto same = FirstUnreadablePair({"1", "x"}, {"1", "y"}, ',');
    ASSERT_TRUE(same);
    EXPECT_EQ(same->pane, 0);
    EXPECT_EQ(same->line, 1u);
    EXPECT_FALSE(FirstUnreadablePair({"1", "2"}, {"3", "4"}, ','));
}
