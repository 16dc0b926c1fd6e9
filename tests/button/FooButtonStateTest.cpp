// The flat button's rules: type flags, text styles, checked toggling and the
// drop-down part's hit zone.
#include "controls/FooButtonState.h"

#include <gtest/gtest.h>

namespace {

struct TypeFlags {
    int type;
    bool isStatic, hasArrow, split, flat, hyperlink;
};

const TypeFlags kTypes[] = {
    {0, true, false, false, false, false},  {1, false, false, false, false, false},
    {2, false, false, false, true, false},  {3, false, true, false, false, false},
    {4, false, true, false, true, false},   {5, false, false, true, false, false},
    {6, false, false, true, true, false},   {7, false, false, false, false, false},
    {8, false, false, false, true, false},  {9, false, false, false, false, false},
    {10, false, false, false, false, false}, {11, false, false, false, false, true},
};

// The state of a button of `type`, as ApplyType leaves a fresh one.
CFooButtonState OfType(int type)
{
    CFooButtonState state;
    state.ApplyType(type);
    return state;
}

TEST(FooButtonState, DefaultsAreACentredPushButton)
{
    CFooButtonState s;
    EXPECT_EQ(s.m_type, 1);
    EXPECT_TRUE(s.m_textShown);
    EXPECT_TRUE(s.m_textCentered);
    EXPECT_FALSE(s.m_textMultiLine);
    EXPECT_FALSE(s.m_checked);
    EXPECT_EQ(s.m_maskColor, 0xFF00FFu);
    EXPECT_EQ(s.m_focusStyle, 0);
    EXPECT_EQ(s.m_bitmapId, 0u);
}

TEST(FooButtonState, EachTypeSetsExactlyItsFlags)
{
    for (const TypeFlags& t : kTypes) {
        CFooButtonState s;
        s.ApplyType(6); // start from other flags
        ASSERT_TRUE(s.ApplyType(t.type)) << "type " << t.type;
        EXPECT_EQ(s.m_type, t.type);
        EXPECT_EQ(s.m_static, t.isStatic) << "type " << t.type;
        EXPECT_EQ(s.m_hasArrow, t.hasArrow) << "type " << t.type;
        EXPECT_EQ(s.m_split, t.split) << "type " << t.type;
        EXPECT_EQ(s.m_flat, t.flat) << "type " << t.type;
        EXPECT_EQ(s.m_hyperlink, t.hyperlink) << "type " << t.type;
    }
}

TEST(FooButtonState, AnUnknownTypeKeepsTypeAndCheckedButClearsTheFlags)
{
    CFooButtonState s = OfType(kFooFlatToggle);
    s.m_checked = true;
    EXPECT_FALSE(s.ApplyType(12));
    EXPECT_EQ(s.m_type, kFooFlatToggle);
    EXPECT_TRUE(s.m_checked);
    EXPECT_FALSE(s.m_flat);
    EXPECT_FALSE(s.ApplyType(-1));
    EXPECT_EQ(s.m_type, kFooFlatToggle);
}

TEST(FooButtonState, SettingATypeUnchecks)
{
    CFooButtonState s = OfType(kFooCheckBox);
    s.m_checked = true;
    s.ApplyType(kFooCheckBox);
    EXPECT_FALSE(s.m_checked);
}

TEST(FooButtonState, TextStylesSetTheirFlagsAndDropEarlierOnes)
{
    CFooButtonState s;
    s.ApplyTextStyle(kFooTextMultiLine);
    EXPECT_TRUE(s.m_textShown);
    EXPECT_TRUE(s.m_textMultiLine);
    EXPECT_FALSE(s.m_textCentered);
    s.ApplyTextStyle(kFooTextLeft);
    EXPECT_TRUE(s.m_textShown);
    EXPECT_FALSE(s.m_textMultiLine);
    EXPECT_FALSE(s.m_textCentered);
    s.ApplyTextStyle(kFooTextCentered);
    EXPECT_TRUE(s.m_textCentered);
    s.ApplyTextStyle(kFooTextNone);
    EXPECT_FALSE(s.m_textShown);
    EXPECT_FALSE(s.m_textCentered);
}

TEST(FooButtonState, OnlyTogglesChecksAndRadiosAreCheckable)
{
    for (int type = 0; type <= 11; ++type) {
        CFooButtonState s = OfType(type);
        EXPECT_EQ(s.IsCheckable(), type >= 7 && type <= 10) << "type " << type;
    }
}

TEST(FooButtonState, AReleaseFlipsAToggleButAlwaysChecksARadio)
{
    CFooButtonState toggle = OfType(kFooToggle);
    EXPECT_TRUE(toggle.CheckedAfterRelease());
    toggle.m_checked = true;
    EXPECT_FALSE(toggle.CheckedAfterRelease());

    CFooButtonState radio = OfType(kFooRadio);
    radio.m_checked = true;
    EXPECT_TRUE(radio.CheckedAfterRelease());

    CFooButtonState grouped = OfType(kFooCheckBox);
    grouped.m_groupName = L"scope";
    grouped.m_checked = true;
    EXPECT_TRUE(grouped.CheckedAfterRelease()) << "a grouped button behaves as a radio";
}

TEST(FooButtonState, DropDownZoneIsTheRightmost18PixelsOfAnEightyPixelSplitButton)
{
    CFooButtonState s = OfType(kFooSplit);
    const ControlRect window{0, 0, 80, 24};
    EXPECT_FALSE(s.IsDropDownPress(window, 61, 10));
    EXPECT_TRUE(s.IsDropDownPress(window, 62, 10));
    EXPECT_TRUE(s.IsDropDownPress(window, 79, 10));
    EXPECT_FALSE(s.IsDropDownPress(window, 80, 10));
    EXPECT_FALSE(s.IsDropDownPress(window, 70, 24));
}

TEST(FooButtonState, DropDownZoneFollowsTheWindowOnTheScreen)
{
    CFooButtonState s = OfType(kFooFlatSplit);
    const ControlRect window{300, 200, 380, 224};
    EXPECT_FALSE(s.IsDropDownPress(window, 361, 210));
    EXPECT_TRUE(s.IsDropDownPress(window, 362, 210));
}

TEST(FooButtonState, OnlySplitTypesHaveADropDownPart)
{
    for (int type = 0; type <= 11; ++type) {
        CFooButtonState s = OfType(type);
        EXPECT_EQ(s.IsDropDownPress(ControlRect{0, 0, 80, 24}, 70, 10), type == 5 || type == 6) << "type " << type;
    }
}

TEST(FooButtonState, FaceDependsOnTypeFlatnessAndCheck)
{
    CFooButtonState s = OfType(kFooStatic);
    EXPECT_EQ(s.Face(), FooFace::None);
    s.ApplyType(kFooHyperlink);
    EXPECT_EQ(s.Face(), FooFace::None);
    s.ApplyType(kFooFlatToggle);
    EXPECT_EQ(s.Face(), FooFace::Flat);
    s.m_checked = true;
    EXPECT_EQ(s.Face(), FooFace::Frame) << "a checked flat toggle shows its pushed frame";
    s.ApplyType(kFooSplit);
    EXPECT_EQ(s.Face(), FooFace::Frame);
}

TEST(FooButtonState, ASplitButtonsFrameStaysUpWhenPressed)
{
    CFooButtonState s = OfType(kFooSplit);
    EXPECT_FALSE(s.FrameState(true, false).pushed);
    s.ApplyType(kFooPush);
    EXPECT_TRUE(s.FrameState(true, false).pushed);
    EXPECT_FALSE(s.FrameState(false, false).pushed);
    EXPECT_TRUE(s.FrameState(false, true).inactive);
    s.ApplyType(kFooToggle);
    s.m_checked = true;
    const FooFrameState checked = s.FrameState(true, false);
    EXPECT_TRUE(checked.checked);
    EXPECT_FALSE(checked.pushed) << "checked replaces pushed";
}

TEST(FooButtonState, CaptionShiftsOnlyWhenTheButtonPartIsPressed)
{
    CFooButtonState s = OfType(kFooSplit);
    EXPECT_TRUE(s.ShiftsWhenPressed(true));
    EXPECT_FALSE(s.ShiftsWhenPressed(false));
    s.m_dropDownHit = true;
    EXPECT_FALSE(s.ShiftsWhenPressed(true));
    EXPECT_EQ(s.ArrowOffset(false), 1) << "the arrow moves with a hit drop-down part";
    EXPECT_FALSE(s.DrawsSeparator());
    EXPECT_TRUE(s.DrawsPressedDropDown());
    for (int type : {0, 9, 10, 11}) {
        CFooButtonState other = OfType(type);
        EXPECT_FALSE(other.ShiftsWhenPressed(true)) << "type " << type;
    }
}

TEST(FooButtonState, FocusRectangleAndDefaultFrameRules)
{
    CFooButtonState s = OfType(kFooPush);
    EXPECT_FALSE(s.DrawsFocusRect(true)) << "focus style 0 draws none";
    s.m_focusStyle = 1;
    EXPECT_TRUE(s.DrawsFocusRect(true));
    EXPECT_FALSE(s.DrawsFocusRect(false));
    EXPECT_FALSE(s.DrawsDefaultFrame(true));
    s.m_focusStyle = 2;
    EXPECT_FALSE(s.DrawsDefaultFrame(true)) << "needs a default push button underneath";
    s.m_defaultButton = true;
    EXPECT_TRUE(s.DrawsDefaultFrame(true));
    s.ApplyType(kFooFlat);
    EXPECT_FALSE(s.DrawsFocusRect(true));
    EXPECT_FALSE(s.DrawsDefaultFrame(true));
    s.ApplyType(kFooSplit);
    EXPECT_TRUE(s.DrawsDefaultFrame(true));
    s.ApplyType(kFooToggle);
    EXPECT_FALSE(s.DrawsDefaultFrame(true));
}

TEST(FooButtonState, GradientBottomIsLighterUnderTheMouse)
{
    CFooButtonState s;
    EXPECT_EQ(s.GradientBottomColor(), 14207176u);
    s.m_mouseOver = 1;
    EXPECT_EQ(s.GradientBottomColor(), 14474460u);
}

TEST(FooButtonState, ResettingTheBitmapRestoresTheKeyColour)
{
    CFooButtonState s;
    s.m_bitmapId = 1021;
    s.m_maskColor = 0x00FF00;
    s.ResetBitmap();
    EXPECT_EQ(s.m_bitmapId, 0u);
    EXPECT_EQ(s.m_maskColor, 0xFF00FFu);
}

} // namespace
