// How failures are reported where no exception may escape: a handler's
// framework exception and any other exception in a window procedure, and an
// exception that leaves a modal dialog's loop, caught by a guarded call the
// way the plug-in's Execute catches it. Each shows one box; the program and
// the dialog's owner carry on.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "framework/CDialog.h"
#include "framework/GuardedCall.h"
#include "tests/framework/TestParent.h"
#include "res/resource.h"
#include "tests/support/UiDriver.h"

namespace {

class CFailingDialog : public CDialog {
public:
    explicit CFailingDialog(CWnd* owner) : CDialog(IDD_FAILING, owner) {}

protected:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN && msg->wParam == VK_F9) throw new CUserException(L"The loop failed.");
        return CDialog::PreTranslateMessage(msg);
    }
    void OnFrameworkFailure() { throw new CUserException(L"The handler failed."); }
    void OnOtherFailure() { throw std::runtime_error("not a framework exception"); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CFailingDialog, CDialog)
    ON_BN_CLICKED(IDC_FAIL_FRAMEWORK, OnFrameworkFailure)
    ON_BN_CLICKED(IDC_FAIL_OTHER, OnOtherFailure)
END_MESSAGE_MAP()

// A click on button `id`, posted as a user's click arrives, so that the
// script is free to answer the box the click shows.
void PostClick(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

// Waits for the next message box (not `previous`), reads it and presses OK.
ui::SeenBox AnswerNextBox(HWND& previous)
{
    HWND box = ui::WaitForMessageBox(10000, previous);
    if (!box) return {};
    previous = box;
    return ui::AnswerMessageBox(box);
}

TEST(GuardedCall, FailuresAreReportedOnceAndTheProgramCarriesOn)
{
    CTestParent owner;
    std::vector<ui::SeenBox> boxes;
    bool openAfterHandlers = false;
    bool finished = true;
    {
        CFailingDialog dialog(&owner);
        ui::ScriptThread script([&] {
            HWND window = ui::WaitForWindow(L"#32770", L"Failing");
            if (!window) return;
            HWND previous = nullptr;
            PostClick(window, IDC_FAIL_FRAMEWORK);
            boxes.push_back(AnswerNextBox(previous));
            PostClick(window, IDC_FAIL_OTHER);
            boxes.push_back(AnswerNextBox(previous));
            openAfterHandlers = ::IsWindowVisible(window) != FALSE;
            ::PostMessageW(window, WM_KEYDOWN, VK_F9, 1);
            boxes.push_back(AnswerNextBox(previous));
        });
        finished = AfxGuardedCall(nullptr, [&] { dialog.DoModal(); });
        script.Join();
        EXPECT_EQ(nullptr, dialog.m_hWnd) << "the dialog window is gone";
    }
    EXPECT_FALSE(finished) << "the exception out of the modal loop reached the guard";
    ASSERT_EQ(3u, boxes.size());
    EXPECT_EQ(L"The handler failed.", boxes[0].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes[0].icon);
    EXPECT_EQ(L"An unexpected error has occurred.", boxes[1].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONHAND), boxes[1].icon);
    EXPECT_TRUE(openAfterHandlers) << "a failed handler leaves the dialog open";
    EXPECT_EQ(L"The loop failed.", boxes[2].text);
    EXPECT_EQ(static_cast<UINT>(MB_ICONEXCLAMATION), boxes[2].icon);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd)) << "the owner has its input back";

    // The next modal run works as usual and ends as asked.
    CFailingDialog next(&owner);
    bool nextFinished = false;
    INT_PTR result = 0;
    {
        ui::ScriptThread script([&] {
            HWND window = ui::WaitForWindow(L"#32770", L"Failing");
            if (window) PostClick(window, IDOK);
        });
        nextFinished = AfxGuardedCall(nullptr, [&] { result = next.DoModal(); });
    }
    EXPECT_TRUE(nextFinished);
    EXPECT_EQ(IDOK, result);
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
}

} // namespace
