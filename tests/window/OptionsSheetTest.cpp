// File, Options: the sheet "Options" with its one page "General", whose list
// chooses the tab a double-click on a note brings to the front. OK and Apply
// store the choice; Cancel keeps what was stored.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "tests/support/UiDriver.h"
#include "tests/window/DialogDriver.h"
#include "tests/window/DialogHarness.h"
#include "tests/window/StoredSettings.h"

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

std::string StoredChoice() { return storedsettings::Describe(storedsettings::Read(L"DoubleClickPage")); }

TEST(OptionsSheet, ShowsOneGeneralPageWithALabelAndTheChoicesNoneViewAndEdit)
{
    ASSERT_TRUE(harness::ClearUserSettings());
    harness::Host host;
    std::wstring tabText, label, chosen;
    std::vector<std::wstring> entries;
    int tabs = -1;
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
        entries = dialogdriver::ComboEntries(::GetDlgItem(page, 1023));
        chosen = dialogdriver::ChosenShowPage(sheet);
        for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (ui::ClassName(child) == L"Static") label = ui::WindowText(child);
        }
        Click(sheet, IDOK);
        closedByOk = ui::WaitForWindowGone(sheet);
    });
    EXPECT_EQ(tabs, 1);
    EXPECT_EQ(tabText, L"General");
    EXPECT_EQ(label, L"On DBl Click show page");
    EXPECT_EQ(3u, entries.size());
    EXPECT_EQ(L"None View Edit", entries.size() == 3 ? entries[0] + L" " + entries[1] + L" " + entries[2] : L"");
    EXPECT_EQ(L"None", chosen) << "nothing stored yet";
    EXPECT_TRUE(closedByOk);
    EXPECT_EQ("dword 0", StoredChoice()) << "OK stores the choice shown";
    ASSERT_TRUE(harness::ClearUserSettings());
}

TEST(OptionsSheet, CancelStoresNothingAndApplyStoresTheChoiceAndKeepsTheSheetOpen)
{
    ASSERT_TRUE(harness::ClearUserSettings());
    harness::Host host;
    bool cancelClosed = false, applyKeptOpen = false, dialogUsable = false;
    std::string afterCancel, afterApply, afterApplyThenCancel;
    std::wstring shownAfterApply;
    const bool result = harness::Execute(host, [&](HWND dialog) {
        ::SetDlgItemTextW(dialog, harness::kFindText, L"kept");
        HWND sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr);
        dialogdriver::ChooseShowPage(sheet, 1);
        Click(sheet, IDCANCEL);
        cancelClosed = ui::WaitForWindowGone(sheet);
        afterCancel = StoredChoice();
        sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr);
        dialogdriver::ChooseShowPage(sheet, 1);
        ui::PressButton(sheet, 0x3021 /* Apply */);
        afterApply = StoredChoice();
        applyKeptOpen = ::IsWindowVisible(sheet) != FALSE;
        Click(sheet, IDCANCEL);
        ui::WaitForWindowGone(sheet);
        afterApplyThenCancel = StoredChoice();
        sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr);
        shownAfterApply = dialogdriver::ChosenShowPage(sheet);
        Click(sheet, IDCANCEL);
        ui::WaitForWindowGone(sheet);
        dialogUsable = ui::WindowText(::GetDlgItem(dialog, harness::kFindText)) == L"kept" && ::IsWindowEnabled(dialog);
    });
    EXPECT_TRUE(cancelClosed);
    EXPECT_EQ("absent", afterCancel);
    EXPECT_TRUE(applyKeptOpen);
    EXPECT_EQ("dword 1", afterApply);
    EXPECT_EQ("dword 1", afterApplyThenCancel) << "Cancel after Apply takes nothing back";
    EXPECT_EQ(L"View", shownAfterApply);
    EXPECT_TRUE(dialogUsable);
    EXPECT_TRUE(result);
    ASSERT_TRUE(harness::ClearUserSettings());
}

} // namespace
