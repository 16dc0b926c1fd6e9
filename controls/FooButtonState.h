// The flat button's state and rules without the platform: its twelve types
// and their flags, the text styles, checked toggling, the drop-down part's
// hit zone and which decorations a state draws. CFooButton wraps it.
#pragma once

#include "ControlRect.h"
#include "framework/CString.h"

enum FooButtonType {
    kFooStatic = 0,
    kFooPush = 1,
    kFooFlat = 2,
    kFooArrow = 3,
    kFooFlatArrow = 4,
    kFooSplit = 5,
    kFooFlatSplit = 6,
    kFooToggle = 7,
    kFooFlatToggle = 8,
    kFooCheckBox = 9,
    kFooRadio = 10,
    kFooHyperlink = 11,
};

enum FooTextStyle {
    kFooTextNone = 0,
    kFooTextLeft = 1,
    kFooTextCentered = 2,
    kFooTextMultiLine = 3,
};

// How the face and frame are drawn for a state.
enum class FooFace {
    None,  // static label and hyperlink: no frame
    Flat,  // flat type that is not checked: edge only while the mouse is over it
    Frame, // system push-button frame
};

// State bits of the system push-button frame.
struct FooFrameState {
    bool checked = false;
    bool pushed = false;
    bool inactive = false;
};

// Width of the split button's drop-down part that reacts to a press, and of
// the part drawn pressed.
constexpr int kFooDropDownHitWidth = 18;
constexpr int kFooDropDownDrawnWidth = 14;

class CFooButtonState {
public:
    CFooButtonState();

    // Clears the five type flags; for 0..11 sets the type's flags, stores the
    // type and clears the checked state. Returns false for any other value,
    // which leaves the type and the checked state as they were.
    bool ApplyType(int type);
    // Clears the text flags, then sets the ones of `style` (0..3).
    void ApplyTextStyle(int style);
    // Forgets the bitmap and restores the default key colour.
    void ResetBitmap();

    bool IsCheckable() const { return m_type >= kFooToggle && m_type <= kFooRadio; }
    bool IsSplitType() const { return m_type == kFooSplit || m_type == kFooFlatSplit; }
    bool IsGlyphType() const { return m_type == kFooCheckBox || m_type == kFooRadio; }
    // The checked state a release inside the button leads to (checkable types only).
    bool CheckedAfterRelease() const;

    // The drop-down zone of a split button: the window rectangle's rightmost
    // 18 pixels (at 96 DPI; scaled to `dpi`), in the same coordinates as `window`.
    static ControlRect DropDownHitZone(const ControlRect& window, int dpi = 96);
    // Whether a press at (x, y) falls on the drop-down part.
    bool IsDropDownPress(const ControlRect& window, int x, int y) const;

    FooFace Face() const;
    FooFrameState FrameState(bool selected, bool disabled) const;
    // Caption and bitmap move down and right by one pixel while pressed,
    // except on labels, glyph types, hyperlinks and a hit drop-down part.
    bool ShiftsWhenPressed(bool selected) const;
    // The arrow moves by one pixel when pressed or when its part is hit.
    int ArrowOffset(bool selected) const { return (selected || m_dropDownHit) ? 1 : 0; }
    bool DrawsArrow() const { return m_hasArrow || m_split; }
    bool DrawsSeparator() const { return m_split && !m_dropDownHit; }
    bool DrawsPressedDropDown() const { return m_split && m_dropDownHit; }
    bool DrawsFocusRect(bool focused) const;
    bool DrawsDefaultFrame(bool focused) const;
    // Bottom colour of the gradient: lighter while the mouse is over the button.
    unsigned long GradientBottomColor() const;

    int m_type;
    int m_dpi = 96;  // the screen's pixels per inch the arrow and drop-down part are drawn for
    int m_focusStyle;
    unsigned long m_textColor;
    int m_mouseOver;
    unsigned m_bitmapId;
    bool m_textCentered;
    bool m_textMultiLine;
    bool m_checked;
    bool m_textShown;
    bool m_hasArrow;
    bool m_split;
    bool m_dropDownHit;
    bool m_static;
    bool m_flat;
    bool m_hyperlink;
    bool m_gradient;
    unsigned long m_maskColor;
    bool m_defaultButton;
    CString m_groupName;
};

// Colours as the platform's COLORREF (0x00BBGGRR).
constexpr unsigned long FooRgb(unsigned r, unsigned g, unsigned b)
{
    return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}
constexpr unsigned long kFooDefaultMaskColor = FooRgb(255, 0, 255);
constexpr unsigned long kFooHyperlinkColor = FooRgb(0, 0, 224);
constexpr unsigned long kFooGradientTop = FooRgb(255, 255, 255);
constexpr unsigned long kFooGradientBottom = FooRgb(200, 200, 216);
constexpr unsigned long kFooGradientBottomHot = FooRgb(220, 220, 220);
