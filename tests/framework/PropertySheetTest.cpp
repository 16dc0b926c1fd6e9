// CPropertySheet and CPropertyPage on the system's property sheet: pages
// made from the module's templates and attached to their objects, the
// message maps and data exchange of a page, OK, Cancel, Apply and the close
// box, a page that refuses to be left, and switching pages.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/CEdit.h"
#include "framework/CPropertyPage.h"
#include "framework/CPropertySheet.h"
#include "framework/DataExchange.h"
#include "res/resource.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/UiDriver.h"

namespace {

class CGeneralPage : public CPropertyPage {
public:
    CGeneralPage() : CPropertyPage(IDD_PAGE_GENERAL, IDS_GENERAL) {}

    CEdit m_edit;
    CString m_text = L"initial";
    bool m_refuseToLeave = false;
    bool m_endOnPress = false;
    int m_initialized = 0, m_applied = 0, m_reset = 0, m_saved = 0, m_pressed = 0, m_left = 0;
    CPropertySheet* m_sheetSeen = nullptr;
    HWND m_windowSeen = nullptr;

    BOOL OnInitDialog() override
    {
        CPropertyPage::OnInitDialog();
        ++m_initialized;
        m_windowSeen = m_hWnd;
        m_sheetSeen = GetParentSheet();
        m_edit.SetWindowText(m_text);
        return TRUE;
    }
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_PAGE_EDIT, m_edit);
        if (dx->m_bSaveAndValidate) {
            ++m_saved;
            m_text = m_edit.GetWindowText();
        }
    }
    BOOL OnKillActive() override
    {
        ++m_left;
        return m_refuseToLeave ? FALSE : CPropertyPage::OnKillActive();
    }
    BOOL OnApply() override
    {
        ++m_applied;
        return CPropertyPage::OnApply();
    }
    void OnReset() override
    {
        ++m_reset;
        CPropertyPage::OnReset();
    }

protected:
    void OnPress()
    {
        ++m_pressed;
        if (m_endOnPress) GetParentSheet()->EndDialog(IDOK);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CGeneralPage, CPropertyPage)
    ON_BN_CLICKED(IDC_PAGE_BUTTON, OnPress)
END_MESSAGE_MAP()

class CSecondPage : public CPropertyPage {
public:
    CSecondPage() : CPropertyPage(IDD_PAGE_SECOND) {}
    int m_initialized = 0, m_applied = 0;
    BOOL OnInitDialog() override
    {
        ++m_initialized;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnApply() override
    {
        ++m_applied;
        return TRUE;
    }
};

// What the user saw of the sheet.
struct SheetView {
    int tabs = -1;
    std::wstring firstTab, secondTab;
    int selectedTab = -1;
    bool applyEnabledAfterChange = false;
    bool stillOpenAfterOk = false;
};

// The sheet once it shows (null after 20 seconds); its tabs as the user sees
// them go into `view`.
HWND WaitForSheet(SheetView& view)
{
    HWND sheet = ui::WaitForWindow(L"#32770", L"Options", 20000);
    if (sheet) {
        HWND tabs = reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETTABCONTROL, 0, 0));
        const std::vector<std::wstring> captions = dialogdriver::TabCaptions(tabs);
        view.tabs = static_cast<int>(captions.size());
        view.firstTab = captions.size() > 0 ? captions[0] : L"";
        view.secondTab = captions.size() > 1 ? captions[1] : L"";
        view.selectedTab = static_cast<int>(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0));
    }
    return sheet;
}

HWND CurrentPage(HWND sheet) { return reinterpret_cast<HWND>(::SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)); }

void TypeIntoPage(HWND sheet, const wchar_t* text)
{
    ::SendMessageW(::GetDlgItem(CurrentPage(sheet), IDC_PAGE_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

class PropertySheetTest : public ::testing::Test {
protected:
    PropertySheetTest() : m_sheet(L"Options")
    {
        m_sheet.AddPage(&m_general);
        m_sheet.AddPage(&m_second);
    }

    // Shows the sheet modally while a second thread, as the user, runs
    // `script` on it once it shows; m_view records its tabs. DoModal's result.
    INT_PTR RunSheet(const std::function<void(HWND sheet)>& script)
    {
        ui::ScriptThread user([&] {
            HWND sheet = WaitForSheet(m_view);
            if (sheet) script(sheet);
        });
        const INT_PTR result = m_sheet.DoModal();
        user.Join();
        return result;
    }

    CPropertySheet m_sheet;
    CGeneralPage m_general;
    CSecondPage m_second;
    SheetView m_view;
};

TEST_F(PropertySheetTest, OkClosesWithIdokAfterThePagesSaveAndApply)
{
    const INT_PTR result = RunSheet([&](HWND sheet) {
        TypeIntoPage(sheet, L"typed");
        ui::PressButton(CurrentPage(sheet), IDC_PAGE_BUTTON);
        ::PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(2, m_view.tabs);
    EXPECT_EQ(L"General", m_view.firstTab) << "caption from the string table";
    EXPECT_EQ(L"Second", m_view.secondTab) << "caption from the template";
    EXPECT_EQ(0, m_view.selectedTab);
    EXPECT_EQ(1, m_general.m_initialized);
    EXPECT_EQ(&m_sheet, m_general.m_sheetSeen) << "the sheet window was attached to its object";
    EXPECT_NE(nullptr, m_general.m_windowSeen);
    EXPECT_EQ(1, m_general.m_pressed) << "the page's message map handled its button";
    EXPECT_EQ(CString(L"typed"), m_general.m_text) << "the page saved its controls when it was left";
    EXPECT_EQ(1, m_general.m_applied);
    EXPECT_EQ(0, m_general.m_reset);
    EXPECT_EQ(0, m_second.m_initialized) << "a page never shown is never made";
    EXPECT_EQ(0, m_second.m_applied);
    EXPECT_EQ(nullptr, m_general.m_hWnd);
    EXPECT_EQ(nullptr, m_general.m_edit.m_hWnd);
    EXPECT_EQ(nullptr, m_sheet.m_hWnd);
}

TEST_F(PropertySheetTest, CancelClosesWithIdcancelAndKeepsTheMembers)
{
    const INT_PTR result = RunSheet([&](HWND sheet) {
        TypeIntoPage(sheet, L"typed");
        ::PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });

    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(CString(L"initial"), m_general.m_text);
    EXPECT_EQ(0, m_general.m_applied);
    EXPECT_EQ(1, m_general.m_reset);
    EXPECT_EQ(nullptr, m_general.m_hWnd);
}

TEST_F(PropertySheetTest, ApplyThenCancelAppliesButReturnsIdcancel)
{
    const INT_PTR result = RunSheet([&](HWND sheet) {
        TypeIntoPage(sheet, L"applied");
        ::SendMessageW(sheet, PSM_CHANGED, reinterpret_cast<WPARAM>(CurrentPage(sheet)), 0);
        m_view.applyEnabledAfterChange = dialogdriver::ApplyEnabled(sheet);
        dialogdriver::PressApply(sheet);
        ::PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });

    EXPECT_TRUE(m_view.applyEnabledAfterChange);
    EXPECT_EQ(IDCANCEL, result);
    EXPECT_EQ(1, m_general.m_applied);
    EXPECT_EQ(CString(L"applied"), m_general.m_text);
}

TEST_F(PropertySheetTest, CloseBoxCancels)
{
    EXPECT_EQ(IDCANCEL, RunSheet([](HWND sheet) { ::PostMessageW(sheet, WM_SYSCOMMAND, SC_CLOSE, 0); }));
    EXPECT_EQ(0, m_general.m_applied);
}

TEST_F(PropertySheetTest, PageThatRefusesToBeLeftKeepsTheSheetOpen)
{
    m_general.m_refuseToLeave = true;
    const INT_PTR result = RunSheet([&](HWND sheet) {
        ui::PressButton(sheet, IDOK);
        m_view.stillOpenAfterOk = ::IsWindowVisible(sheet) && CurrentPage(sheet) != nullptr;
        ::PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    });

    EXPECT_TRUE(m_view.stillOpenAfterOk);
    EXPECT_GE(m_general.m_left, 1);
    EXPECT_EQ(0, m_general.m_applied);
    EXPECT_EQ(IDCANCEL, result);
}

TEST_F(PropertySheetTest, SwitchingPagesSavesTheFirstAndAppliesBoth)
{
    const INT_PTR result = RunSheet([&](HWND sheet) {
        TypeIntoPage(sheet, L"switched");
        ::SendMessageW(sheet, PSM_SETCURSEL, 1, 0);
        ::PostMessageW(sheet, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });

    EXPECT_EQ(IDOK, result);
    EXPECT_EQ(CString(L"switched"), m_general.m_text);
    EXPECT_EQ(1, m_second.m_initialized);
    EXPECT_EQ(1, m_general.m_applied);
    EXPECT_EQ(1, m_second.m_applied);
}

TEST_F(PropertySheetTest, StartPageAndEndDialogFromAPage)
{
    m_sheet.SetActivePage(1);
    EXPECT_EQ(1, m_sheet.GetActiveIndex());
    EXPECT_EQ(&m_second, m_sheet.GetActivePage());
    m_general.m_endOnPress = true;
    const INT_PTR result = RunSheet([&](HWND sheet) {
        ::SendMessageW(sheet, PSM_SETCURSEL, 0, 0);
        ui::PressButton(CurrentPage(sheet), IDC_PAGE_BUTTON);
    });

    EXPECT_EQ(1, m_view.selectedTab) << "the sheet opened on the chosen page";
    EXPECT_EQ(1, m_general.m_pressed);
    EXPECT_EQ(IDOK, result) << "EndDialog(IDOK) from a page closes the sheet with OK";
    EXPECT_EQ(1, m_general.m_applied);
}

TEST(PropertySheetPagesTest, PagesAreCountedFoundAndRemoved)
{
    CPropertySheet sheet(L"Options");
    CGeneralPage general;
    CSecondPage second;
    EXPECT_EQ(-1, sheet.DoModal()) << "a sheet without pages cannot be shown";
    sheet.AddPage(&general);
    sheet.AddPage(&second);
    EXPECT_EQ(2, sheet.GetPageCount());
    EXPECT_EQ(1, sheet.GetPageIndex(&second));
    EXPECT_EQ(&general, sheet.GetPage(0));
    EXPECT_EQ(nullptr, sheet.GetPage(2));
    sheet.RemovePage(&general);
    EXPECT_EQ(1, sheet.GetPageCount());
    EXPECT_EQ(&second, sheet.GetPage(0));
    EXPECT_EQ(-1, sheet.GetPageIndex(&general));
}

} // namespace
