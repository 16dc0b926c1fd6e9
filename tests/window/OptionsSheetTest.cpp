// File, Options: the sheet "Options" with its one page "General", whose list
// chooses the tab a double-click on a note brings to the front. OK and Apply
// store the choice; Cancel keeps what was stored.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "tests/support/UiDriver.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"
#include "tests/window/StoredSettings.h"

namespace {

using namespace dialogdriver;

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
        const std::vector<std::wstring> captions = TabCaptions(reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0)));
        tabs = static_cast<int>(captions.size());
        tabText = captions.empty() ? L"" : captions[0];
        HWND page = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
        entries = ComboEntries(::GetDlgItem(page, IDC_OPTIONS_SHOW_PAGE));
        chosen = ChosenShowPage(sheet);
        for (HWND child = ::GetWindow(page, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            if (ui::ClassName(child) == L"Static") label = ui::WindowText(child);
        }
        closedByOk = CloseOptions(dialog, sheet, IDOK);
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
        ::SetDlgItemTextW(dialog, IDC_FIND_TEXT, L"kept");
        HWND sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr);
        ChooseShowPage(sheet, 1);
        cancelClosed = CloseOptions(dialog, sheet, IDCANCEL);
        afterCancel = StoredChoice();
        sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr);
        ChooseShowPage(sheet, 1);
        PressApply(sheet);
        afterApply = StoredChoice();
        applyKeptOpen = ::IsWindowVisible(sheet) != FALSE;
        CloseOptions(dialog, sheet, IDCANCEL);
        afterApplyThenCancel = StoredChoice();
        sheet = OpenOptions(dialog);
        ASSERT_NE(sheet, nullptr);
        shownAfterApply = ChosenShowPage(sheet);
        CloseOptions(dialog, sheet, IDCANCEL);
        dialogUsable = ui::WindowText(::GetDlgItem(dialog, IDC_FIND_TEXT)) == L"kept" && ::IsWindowEnabled(dialog);
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
