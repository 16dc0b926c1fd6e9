// CUniqueHandle: each handle is released once, by the release it was taken
// with, and never after Detach or a move has handed it over.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "framework/UniqueHandle.h"

namespace {

// Records what it releases, and under which name, in a shared log.
struct RecordingRelease {
    std::vector<std::pair<char, int*>>* log = nullptr;
    char name = '?';
    void operator()(int* handle) const { log->emplace_back(name, handle); }
};

using RecordedHandle = CUniqueHandle<int*, RecordingRelease>;

TEST(UniqueHandle, ReleasesEachHandleOnceWithItsOwnRelease)
{
    std::vector<std::pair<char, int*>> log;
    int a = 0, b = 0, c = 0;
    {
        RecordedHandle first(&a, RecordingRelease{&log, 'x'});
        EXPECT_TRUE(static_cast<bool>(first));
        EXPECT_EQ(&a, first.Get());

        first.Reset(&b);  // the same release goes on
        ASSERT_EQ(1u, log.size());
        EXPECT_EQ(std::make_pair('x', &a), log[0]);

        RecordedHandle second(std::move(first));
        EXPECT_FALSE(static_cast<bool>(first));
        EXPECT_EQ(&b, second.Get());
        EXPECT_EQ('x', second.GetRelease().name);

        RecordedHandle third(&c, RecordingRelease{&log, 'y'});
        third = std::move(second);  // c goes with y; b now belongs to third, with x
        ASSERT_EQ(2u, log.size());
        EXPECT_EQ(std::make_pair('y', &c), log[1]);
        EXPECT_EQ(&b, third.Get());
    }
    ASSERT_EQ(3u, log.size()) << "first and second were empty; third released b";
    EXPECT_EQ(std::make_pair('x', &b), log[2]);
}

TEST(UniqueHandle, DetachHandsTheHandleOverAndEmptyReleasesNothing)
{
    std::vector<std::pair<char, int*>> log;
    int a = 0;
    {
        RecordedHandle empty(nullptr, RecordingRelease{&log, 'e'});
        empty.Reset();
        RecordedHandle held(&a, RecordingRelease{&log, 'h'});
        EXPECT_EQ(&a, held.Detach());
        EXPECT_FALSE(static_cast<bool>(held));
        EXPECT_EQ(nullptr, held.Get());
        held.Reset(nullptr, RecordingRelease{&log, 'n'});
    }
    EXPECT_EQ(0u, log.size()) << "an empty or detached handle was released";
}

} // namespace
