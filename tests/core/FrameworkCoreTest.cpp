// The framework's window core on real windows: message maps and reflection,
// the modal loop's PreTranslateMessage chain, exceptions raised in handlers,
// the module state guard and string loading.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "framework/CDialog.h"
#include "framework/CException.h"
#include "framework/DataExchange.h"
#include "framework/MessageBox.h"
#include "framework/ModuleState.h"
#include "framework/ResourceString.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/UiDriver.h"

namespace {

constexpr UINT kDialog = 100;
constexpr int kThrow = 1001;
constexpr int kEdit = 1002;
constexpr int kNotify = 1003;

// A button that claims its own clicks through reflection when asked to.
class CReflectingButton : public CWnd {
public:
    bool m_claimClicks = false;
    int m_reflected = 0;

protected:
    BOOL OnReflectedClick()
    {
        ++m_reflected;
        return m_claimClicks ? TRUE : FALSE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

// An edit that records which keys reached its PreTranslateMessage.
class CRecordingEdit : public CWnd {
public:
    std::vector<WPARAM> m_keys;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) m_keys.push_back(msg->wParam);
        return FALSE;
    }
};

class CTestDialog : public CDialog {
public:
    CTestDialog() : CDialog(kDialog) {}
    CReflectingButton m_notifyButton;
    CRecordingEdit m_edit;
    int m_parentClicks = 0;
    int m_throws = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, kNotify, m_notifyButton);
        DDX_Control(dx, kEdit, m_edit);
    }
    void OnThrow()
    {
        ++m_throws;
        throw new CUserException(L"The handler failed on purpose.");
    }
    void OnNotifyClicked() { ++m_parentClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_BN_CLICKED(kThrow, OnThrow)
    ON_BN_CLICKED(kNotify, OnNotifyClicked)
END_MESSAGE_MAP()

HWND WaitForTestDialog() { return ui::WaitForWindow(L"#32770", L"Core test"); }

TEST(FrameworkCore, ExceptionInAHandlerIsReportedAndTheDialogKeepsRunning)
{
    CTestDialog dialog;
    std::wstring boxText;
    bool aliveAfterBox = false;
    ui::ScriptThread driver([&] {
        HWND hWnd = WaitForTestDialog();
        ASSERT_NE(hWnd, nullptr);
        const dialogdriver::Boxes boxes = dialogdriver::Click(hWnd, kThrow);
        ASSERT_EQ(1u, boxes.size()) << "one message box reports the exception";
        boxText = boxes[0].text;
        aliveAfterBox = ::IsWindowVisible(hWnd) != FALSE;
        ::PostMessageW(hWnd, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    driver.Join();
    EXPECT_EQ(boxText, L"The handler failed on purpose.");
    EXPECT_TRUE(aliveAfterBox);
    EXPECT_EQ(dialog.m_throws, 1);
}

TEST(FrameworkCore, ControlNotificationsAreOfferedToTheControlFirst)
{
    CTestDialog dialog;
    int parentSawUnclaimed = -1, parentSawClaimed = -1;
    ui::ScriptThread driver([&] {
        HWND hWnd = WaitForTestDialog();
        ASSERT_NE(hWnd, nullptr);
        ui::PressButton(hWnd, kNotify);
        parentSawUnclaimed = dialog.m_parentClicks;
        dialog.m_notifyButton.m_claimClicks = true;
        ui::PressButton(hWnd, kNotify);
        parentSawClaimed = dialog.m_parentClicks;
        ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    driver.Join();
    EXPECT_EQ(dialog.m_notifyButton.m_reflected, 2);
    EXPECT_EQ(parentSawUnclaimed, 1) << "an unclaimed notification must reach the parent";
    EXPECT_EQ(parentSawClaimed, 1) << "a claimed notification must stop at the control";
}

TEST(FrameworkCore, ModalLoopOffersKeysToTheFocusedControlBeforeTheDialog)
{
    CTestDialog dialog;
    ui::ScriptThread driver([&] {
        HWND hWnd = WaitForTestDialog();
        ASSERT_NE(hWnd, nullptr);
        HWND edit = ::GetDlgItem(hWnd, kEdit);
        ::PostMessageW(edit, WM_KEYDOWN, 'A', 1);
        // Escape is seen by the edit first, then ends the dialog through IsDialogMessage.
        ::PostMessageW(edit, WM_KEYDOWN, VK_ESCAPE, 1);
    });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    driver.Join();
    EXPECT_EQ(dialog.m_edit.m_keys, (std::vector<WPARAM>{ 'A', VK_ESCAPE }));
}

TEST(FrameworkCore, ObjectsLetGoOfTheirWindowsWhenTheDialogEnds)
{
    CTestDialog dialog;
    ui::ScriptThread driver([&] {
        HWND hWnd = WaitForTestDialog();
        if (hWnd) ::PostMessageW(hWnd, WM_COMMAND, IDOK, 0);
    });
    dialog.DoModal();
    driver.Join();
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_edit.m_hWnd, nullptr);
    EXPECT_EQ(dialog.m_notifyButton.m_hWnd, nullptr);
}

TEST(FrameworkCore, MissingTemplateMakesDoModalReturnMinusOne)
{
    CDialog dialog(4711);
    EXPECT_EQ(dialog.DoModal(), -1);
}

TEST(FrameworkCore, ModuleStateGuardSwitchesAndRestores)
{
    AFX_MODULE_STATE other;
    other.m_hCurrentInstanceHandle = reinterpret_cast<HINSTANCE>(0x1234);
    AFX_MODULE_STATE* before = AfxGetModuleState();
    {
        AFX_MAINTAIN_STATE2 guard(&other);
        EXPECT_EQ(AfxGetModuleState(), &other);
        EXPECT_EQ(AfxGetInstanceHandle(), reinterpret_cast<HINSTANCE>(0x1234));
        {
            AFX_MAINTAIN_STATE2 inner(AfxGetStaticModuleState());
            EXPECT_EQ(AfxGetModuleState(), AfxGetStaticModuleState());
        }
        EXPECT_EQ(AfxGetModuleState(), &other);
    }
    EXPECT_EQ(AfxGetModuleState(), before);
    // Restored also when the scope is left by an exception.
    try {
        AFX_MAINTAIN_STATE2 guard(&other);
        throw 1;
    } catch (int) {
    }
    EXPECT_EQ(AfxGetModuleState(), before);
}

TEST(FrameworkCore, LoadResourceStringKeepsAtMost1022Characters)
{
    EXPECT_EQ(LoadResourceString(1), CString(L"short text"));
    const CString longText = LoadResourceString(2);
    EXPECT_EQ(longText.GetLength(), 1022);
    EXPECT_EQ(LoadResourceString(999), CString(L""));
}

TEST(FrameworkCore, MessageBoxAddsTheIconTheTypeImplies)
{
    UINT okIcon = 0, yesNoIcon = 0;
    std::wstring caption;
    ui::ScriptThread driver([&] {
        HWND box = ui::WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        okIcon = ui::MessageBoxIcon(box);
        caption = ui::WindowText(box);
        ui::PressButton(box, IDOK);
        ui::WaitForWindowGone(box);
        box = ui::WaitForMessageBox();
        ASSERT_NE(box, nullptr);
        yesNoIcon = ui::MessageBoxIcon(box);
        ui::PressButton(box, IDNO);
    });
    EXPECT_EQ(AfxMessageBox(L"plain"), IDOK);
    EXPECT_EQ(AfxMessageBox(L"question", MB_YESNO), IDNO);
    driver.Join();
    EXPECT_EQ(okIcon, static_cast<UINT>(MB_ICONEXCLAMATION));
    EXPECT_EQ(yesNoIcon, static_cast<UINT>(MB_ICONQUESTION));
}

} // namespace
