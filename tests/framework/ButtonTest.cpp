// CButton on a real button: check and highlight states, style, and an
// owner-drawn button drawn through reflection of its parent's WM_DRAWITEM.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/CButton.h"
#include "framework/Gdi.h"
#include "tests/framework/TestParent.h"

namespace {

TEST(ButtonTest, CheckStateAndStyle)
{
    CTestParent parent;
    CButton box;
    ASSERT_TRUE(box.Create(L"Results", WS_VISIBLE | BS_AUTOCHECKBOX, CRect(10, 10, 110, 30), &parent, 600));
    EXPECT_EQ(BST_UNCHECKED, box.GetCheck());
    box.SetCheck(BST_CHECKED);
    EXPECT_EQ(BST_CHECKED, box.GetCheck());
    EXPECT_EQ(static_cast<UINT>(BS_AUTOCHECKBOX), box.GetButtonStyle() & BS_TYPEMASK);
    box.Click();
    EXPECT_EQ(BST_UNCHECKED, box.GetCheck()) << "a click toggles an automatic check box";

    CButton push;
    ASSERT_TRUE(push.Create(L"Find", WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 40, 110, 60), &parent, 601));
    push.SetState(TRUE);
    EXPECT_NE(0u, push.GetState() & BST_PUSHED);
    push.SetState(FALSE);
    EXPECT_EQ(0u, push.GetState() & BST_PUSHED);
    push.SetButtonStyle(BS_DEFPUSHBUTTON);
    EXPECT_EQ(static_cast<UINT>(BS_DEFPUSHBUTTON), push.GetButtonStyle() & BS_TYPEMASK);
    push.SetButtonStyle(BS_OWNERDRAW);
    EXPECT_EQ(static_cast<UINT>(BS_OWNERDRAW), push.GetButtonStyle() & BS_TYPEMASK);
}

class CPaintedButton : public CButton {
public:
    int m_drawn = 0;
    HWND m_drawnWindow = nullptr;
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override
    {
        ++m_drawn;
        m_drawnWindow = drawItem->hwndItem;
        CDC* dc = CDC::FromHandle(drawItem->hDC);
        dc->FillSolidRect(&drawItem->rcItem, RGB(0, 0, 255));
    }
};

TEST(ButtonTest, OwnerDrawnButtonDrawsItselfThroughReflection)
{
    CTestParent parent;
    CPaintedButton button;
    ASSERT_TRUE(button.Create(L"Find", WS_VISIBLE | BS_OWNERDRAW, CRect(10, 10, 110, 40), &parent, 602));
    button.Invalidate();
    button.UpdateWindow();
    PumpMessages();
    EXPECT_GE(button.m_drawn, 1);
    EXPECT_EQ(button.m_hWnd, button.m_drawnWindow);
}

} // namespace
