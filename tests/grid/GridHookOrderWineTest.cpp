// The grid's hooks keep their slot order after the list control's virtual
// operations, so an owner built against that order calls the right hook.
#include "controls/CSuperGridCtrl.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <algorithm>
#include <cstring>

namespace {

// The vtable slot of a virtual member function (the platform's C++ ABI
// stores 1 + the slot's byte offset in a pointer to a virtual member).
template <class F>
int Slot(F function)
{
    std::ptrdiff_t words[2] = {};
    static_assert(sizeof(function) == sizeof(words), "two-word member pointers");
    std::memcpy(words, &function, sizeof(words));
    EXPECT_EQ(1, words[0] & 1) << "not a virtual function";
    return static_cast<int>((words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*)));
}

TEST(GridHookOrderTest, HooksFollowTheListControlsVirtualsInOrder)
{
    const int hooks[] = {
        Slot(&CSuperGridCtrl::CloneItemInfo),     Slot(&CSuperGridCtrl::GetRowIcon),
        Slot(&CSuperGridCtrl::GetFocusCellColour), Slot(&CSuperGridCtrl::CommitCellText),
        Slot(&CSuperGridCtrl::OnCellButtonDown),  Slot(&CSuperGridCtrl::MakeRowDragImage),
        Slot(&CSuperGridCtrl::CanExpand),         Slot(&CSuperGridCtrl::AfterExpand),
        Slot(&CSuperGridCtrl::CanCollapse),       Slot(&CSuperGridCtrl::AfterCollapse),
        Slot(&CSuperGridCtrl::CanDelete),         Slot(&CSuperGridCtrl::CanExpandAllByKey),
        Slot(&CSuperGridCtrl::CanCollapseByKey),  Slot(&CSuperGridCtrl::CanExpandByKey),
        Slot(&CSuperGridCtrl::HandleReturnKey),   Slot(&CSuperGridCtrl::CanHandleClick),
    };
    const int lastOfList = std::max(Slot(&CListCtrl::DrawItem), Slot(&CListCtrl::MeasureItem));
    EXPECT_EQ(lastOfList + 1, hooks[0]) << "CloneItemInfo comes right after the list control's virtuals";
    for (size_t i = 1; i < sizeof(hooks) / sizeof(hooks[0]); ++i) EXPECT_EQ(hooks[i - 1] + 1, hooks[i]) << "hook " << i;
    EXPECT_EQ(Slot(&CListCtrl::DrawItem), Slot(&CSuperGridCtrl::DrawItem)) << "DrawItem is overridden, not added";
    EXPECT_EQ(Slot(&CWnd::PreTranslateMessage), Slot(&CSuperGridCtrl::PreTranslateMessage));
    EXPECT_EQ(Slot(&CWnd::PreCreateWindow), Slot(&CSuperGridCtrl::PreCreateWindow));
}

}  // namespace
