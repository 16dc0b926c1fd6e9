// Type, text-style and state rules of the flat button.
#include "FooButtonState.h"

#include "FooButtonGeometry.h"

CFooButtonState::CFooButtonState()
    : m_type(kFooPush),
      m_focusStyle(0),
      m_textColor(0),
      m_mouseOver(0),
      m_bitmapId(0),
      m_textCentered(true),
      m_textMultiLine(false),
      m_checked(false),
      m_textShown(true),
      m_hasArrow(false),
      m_split(false),
      m_dropDownHit(false),
      m_static(false),
      m_flat(false),
      m_hyperlink(false),
      m_gradient(false),
      m_maskColor(kFooDefaultMaskColor),
      m_defaultButton(false)
{
}

bool CFooButtonState::ApplyType(int type)
{
    m_static = m_hasArrow = m_split = m_flat = m_hyperlink = false;
    switch (type) {
    case kFooStatic: m_static = true; break;
    case kFooPush: break;
    case kFooFlat: m_flat = true; break;
    case kFooArrow: m_hasArrow = true; break;
    case kFooFlatArrow: m_hasArrow = m_flat = true; break;
    case kFooSplit: m_split = true; break;
    case kFooFlatSplit: m_split = m_flat = true; break;
    case kFooToggle: break;
    case kFooFlatToggle: m_flat = true; break;
    case kFooCheckBox: break;
    case kFooRadio: break;
    case kFooHyperlink: m_hyperlink = true; break;
    default: return false;
    }
    m_type = type;
    m_checked = false;
    return true;
}

void CFooButtonState::ApplyTextStyle(int style)
{
    m_textShown = m_textCentered = m_textMultiLine = false;
    switch (style) {
    case kFooTextLeft: m_textShown = true; break;
    case kFooTextCentered: m_textShown = m_textCentered = true; break;
    case kFooTextMultiLine: m_textShown = m_textMultiLine = true; break;
    default: break;
    }
}

void CFooButtonState::ResetBitmap()
{
    m_bitmapId = 0;
    m_maskColor = kFooDefaultMaskColor;
}

bool CFooButtonState::CheckedAfterRelease() const
{
    if (m_type == kFooRadio || !m_groupName.IsEmpty()) return true;
    return !m_checked;
}

ControlRect CFooButtonState::DropDownHitZone(const ControlRect& window, int dpi)
{
    ControlRect zone = window;
    zone.left = window.right - FooScaled(kFooDropDownHitWidth, dpi);
    return zone;
}

bool CFooButtonState::IsDropDownPress(const ControlRect& window, int x, int y) const
{
    return IsSplitType() && DropDownHitZone(window, m_dpi).Contains(x, y);
}

FooFace CFooButtonState::Face() const
{
    if (m_type == kFooStatic || m_type == kFooHyperlink) return FooFace::None;
    if (m_flat && !m_checked) return FooFace::Flat;
    return FooFace::Frame;
}

FooFrameState CFooButtonState::FrameState(bool selected, bool disabled) const
{
    FooFrameState state;
    if (m_checked)
        state.checked = true;
    else
        state.pushed = selected && !m_split;
    state.inactive = disabled;
    return state;
}

bool CFooButtonState::ShiftsWhenPressed(bool selected) const
{
    if (m_type == kFooStatic || IsGlyphType() || m_type == kFooHyperlink) return false;
    return selected && !m_dropDownHit;
}

bool CFooButtonState::DrawsFocusRect(bool focused) const
{
    return !m_static && !m_flat && m_focusStyle != 0 && focused;
}

bool CFooButtonState::DrawsDefaultFrame(bool focused) const
{
    const bool framedType = m_type == kFooPush || m_type == kFooArrow || m_type == kFooSplit;
    return framedType && m_focusStyle == 2 && focused && m_defaultButton;
}

unsigned long CFooButtonState::GradientBottomColor() const
{
    return m_mouseOver ? kFooGradientBottomHot : kFooGradientBottom;
}
