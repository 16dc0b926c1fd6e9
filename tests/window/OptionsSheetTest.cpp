// File, Options: the sheet "Options" with its one page "General".
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "tests/support/UiDriver.h"
#include "tests/window/DialogHarness.h"

namespace {

constexpr int kOptions = 32776;

// Clicks a sheet button. Posted: the sheet's own loop notices that it has
// ended only when a posted message arrives.
void Click(HWND sheet, int id)
{
    ::PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(sheet, id)));
}

// Opens Options without waiting (the sheet is modal) and returns the sheet.
HWND OpenOptions(HWND dialog)
{
    ::PostMessageW(dialog, WM_COMMAND, kOptions, 0);
    return ui::WaitForWindow(L"#32770", L"Options");
}

TEST(OptionsSheet, ShowsOneGeneralPageWithALabelAndAnEmptyList)
{
    harness::Host host;
    std::wstring tabText, label;
    int tabs = -1, entries = -1;
    bool closedByOk = false;
    harness::Execute(host, [&](HWND dialog) {
        HWND sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr) << "no Options sheet";
        HWND tab = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
        tabs = static_cast<int>(::SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
        wchar_t text[64] = {};
        TCITEMW item = {};
        item.mask = TCIF_TEXT;
        item.pszText = text;
        item.cchTextMax = 64;
        ::SendMessageW(tab, TCM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        tabText = text;
        HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        HWND combo = ::GetDlgItem(page, 1023);
        entries = static_cast<int>(::SendMessageW(combo, CB_GETCOUNT, 0, 0));
        for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (ui::ClassName(child) == L"Static") label = ui::WindowText(child);
        }
        Click(sheet, IDOK);
        closedByOk = ui::WaitForWindowGone(sheet);
    });
    EXPECT_EQ(tabs, 1);
    EXPECT_EQ(tabText, L"General");
    EXPECT_EQ(label, L"On DBl Click show page");
    EXPECT_EQ(entries, 0);
    EXPECT_TRUE(closedByOk);
}

TEST(OptionsSheet, CancelAndApplyChangeNothingInTheDialog)
{
    harness::Host host;
    bool cancelClosed = false, applyKeptOpen = false, dialogUsable = false;
    const bool result = harness::Execute(host, [&](HWND dialog) {
        ::SetDlgItemTextW(dialog, harness::kFindText, L"kept");
        HWND sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr);
        Click(sheet, IDCANCEL);
        cancelClosed = ui::WaitForWindowGone(sheet);
        sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr);
        ui::PressButton(sheet, 0x3021 /* Apply */);
        ::Sleep(200);
        applyKeptOpen = ::IsWindowVisible(sheet) != FALSE;
        Click(sheet, IDCANCEL);
        ui::WaitForWindowGone(sheet);
        dialogUsable = ui::WindowText(::GetDlgItem(dialog, harness::kFindText)) == L"kept" && ::IsWindowEnabled(dialog);
    });
    EXPECT_TRUE(cancelClosed);
    EXPECT_TRUE(applyKeptOpen);
    EXPECT_TRUE(dialogUsable);
    EXPECT_TRUE(result);
}

} // namespace
