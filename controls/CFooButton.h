// CFooButton: an owner-drawn button in one of twelve styles (plain, flat,
// with a drop-down arrow, split, toggle, check box, radio, hyperlink, label).
// Attaching to an existing button turns it owner-drawn. A split button
// reports whether a press fell on its drop-down part, so that its parent's
// click handler can show a menu under it with ShowDropDownMenu.
#pragma once

#include "framework/CButton.h"

#include "FooButtonState.h"

class CMenu;

class CFooButton : public CButton, protected CFooButtonState {
public:
    CFooButton();
    ~CFooButton() override;

    // 0 label, 1 push, 2 flat, 3 arrow, 4 flat arrow, 5 split, 6 flat split,
    // 7 toggle, 8 flat toggle, 9 check box, 10 radio, 11 hyperlink. Setting a
    // type unchecks the button; a value outside 0..11 keeps the type.
    void SetType(int type);
    int GetType() const { return m_type; }
    // 0 no caption, 1 left-aligned, 2 centred, 3 broken into lines.
    void SetTextStyle(int style);
    // A bitmap of the module's resources shown beside or instead of the
    // caption; pixels of `maskColor` are not drawn.
    void SetBitmap(UINT bitmapId, COLORREF maskColor = RGB(255, 0, 255));
    void ClearBitmap();
    // The screen's pixels per inch: the arrow and the drop-down part are
    // sized for it (96 by default).
    void SetDpi(int dpi);
    // 0 none, 1 focus rectangle, 2 focus rectangle and default-button frame.
    void SetFocusStyle(int style);
    // Fills the face with a vertical gradient from white.
    void SetGradient(bool gradient);
    void SetTextColor(COLORREF color);

    // Checked state of toggle, check box and radio types (7..10); checking
    // a grouped button unchecks the other members of its group.
    void SetChecked(bool checked);
    bool IsChecked() const { return m_checked; }
    // Joins the process-wide radio group `name` (an empty name leaves the group).
    void SetRadioGroup(const wchar_t* name);

    // Whether the last left-button press fell on the drop-down part of a
    // split button; still true while the parent handles that press's click.
    bool IsDropDownHit() const;
    void ClearDropDownState();
    bool IsMouseOver() const { return m_mouseOver != 0; }
    // Shows `menu` as a pop-up under the button, owned by the button's parent;
    // returns the chosen command's identifier, 0 when none was chosen.
    UINT ShowDropDownMenu(CMenu* menu);

    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;

    // Live buttons in the process, and whether gradients use "GradientFill".
    static int GetLiveCount();
    static bool HasGradientFill();

protected:
    void PreSubclassWindow() override;

    BOOL OnEraseBkgnd(HDC dc);
    void OnKillFocus(CWnd* newWnd);
    void OnSetFocus(CWnd* oldWnd);
    void OnLButtonDown(UINT flags, CPoint point);
    void OnLButtonDblClk(UINT flags, CPoint point);
    void OnLButtonUp(UINT flags, CPoint point);
    void OnMouseMove(UINT flags, CPoint point);
    void OnMouseLeave();
    BOOL OnSetCursor(CWnd* window, UINT hitTest, UINT message);

    DECLARE_MESSAGE_MAP()

private:
    void Repaint();
    void RegisterInGroup();
    void LeaveGroup();

    void DrawFace(HDC dc, const RECT& item, const RECT& client, bool selected, bool disabled);
    void DrawFramedFace(HDC dc, const RECT& item, bool selected, bool disabled);
    void DrawPressedDropDown(HDC dc, const RECT& item);
    void DrawGradient(HDC dc, const RECT& rect, COLORREF bottom);
    int DrawBitmap(HDC dc, const RECT& client, bool selected, bool disabled);
    int DrawGlyph(HDC dc, const RECT& item, int x, bool selected, bool disabled);
    void DrawArrow(HDC dc, const RECT& client, bool selected, bool disabled);
    int DrawCaption(HDC dc, const RECT& client, int x, bool selected, bool disabled);
    void DrawDefaultFrame(HDC dc, const RECT& item, bool selected);

    HWND m_groupWindow = nullptr; // the window registered in m_groupName's group (borrowed)
};
