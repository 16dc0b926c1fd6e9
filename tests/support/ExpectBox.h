// Checks a placed rectangle given as x, y, width and height, for any of the
// layout structs that hold those four fields.
#pragma once

#include <gtest/gtest.h>

template <typename Box>
void ExpectBox(const Box& got, int x, int y, int width, int height)
{
    EXPECT_EQ(got.x, x);
    EXPECT_EQ(got.y, y);
    EXPECT_EQ(got.width, width);
    EXPECT_EQ(got.height, height);
}
