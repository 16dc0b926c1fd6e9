// CDialog: creation from the module's templates, the modal loop (with the
// PreTranslateMessage chain before IsDialogMessage) and data exchange.
#include "CDialog.h"

#include "DataExchange.h"
#include "GuardedCall.h"
#include "HandleMap.h"
#include "ModuleState.h"

namespace {

int g_modalDepth = 0;

// Runs a function when the scope ends, normally or by an exception.
template <class Function>
class CScopeExit {
public:
    explicit CScopeExit(Function function) : m_function(function) {}
    ~CScopeExit() { m_function(); }
    CScopeExit(const CScopeExit&) = delete;
    CScopeExit& operator=(const CScopeExit&) = delete;

private:
    Function m_function;
};

} // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::~CDialog()
{
    if (m_hWnd) DestroyWindow();
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG) return FALSE;
    auto* dialog = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (!dialog) return TRUE;
    // OnInitDialog runs inside the system's dialog code: nothing may escape.
    BOOL focusSet = FALSE;
    AfxGuardedCall(hWnd, [&] { focusSet = dialog->OnInitDialog(); });
    return focusSet;
}

HWND CDialog::CreateFromTemplate(UINT templateId, HWND parent)
{
    HINSTANCE resources = AfxGetResourceHandle();
    HRSRC found = ::FindResourceW(resources, MAKEINTRESOURCEW(templateId), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    HGLOBAL loaded = found ? ::LoadResource(resources, found) : nullptr;
    auto* dialogTemplate = loaded ? static_cast<LPCDLGTEMPLATEW>(::LockResource(loaded)) : nullptr;
    if (!dialogTemplate) return nullptr;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(resources, dialogTemplate, parent, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (!hWnd && m_hWnd) Detach();
    return hWnd;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    m_templateId = templateId;
    if (parent) m_pParentWnd = parent;
    return CreateFromTemplate(templateId, m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr) != nullptr;
}

INT_PTR CDialog::DoModal()
{
    // The owner: the given parent, else the thread's active top-level window.
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    while (owner && (::GetWindowLongW(owner, GWL_STYLE) & WS_CHILD)) owner = ::GetParent(owner);
    const bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner) ::EnableWindow(owner, FALSE);

    m_modal = true;
    m_continueModal = true;
    m_modalResult = -1;
    HWND hWnd = nullptr;
    {
        // The owner gets its input back however the run ends, also when an
        // exception leaves the modal loop (from a PreTranslateMessage).
        const CScopeExit endRun([&] {
            if (hWnd) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
            if (enableOwner) ::EnableWindow(owner, TRUE);
            if (owner && ::GetActiveWindow() == hWnd) ::SetActiveWindow(owner);
            if (m_hWnd) DestroyWindow();
            m_modal = false;
        });
        hWnd = CreateFromTemplate(m_templateId, owner);
        if (hWnd && m_continueModal) {
            ::ShowWindow(hWnd, SW_SHOWNORMAL);
            RunModalLoop();
        }
    }
    return m_modalResult;
}

void CDialog::RunModalLoop()
{
    ++g_modalDepth;
    const CScopeExit leaveLoop([] { --g_modalDepth; });
    MSG msg;
    while (m_continueModal) {
        // Temporaries go when the queue is empty. Only then is the queue
        // looked at: under Wine each look is a round trip to the server.
        if (g_modalDepth == 1 && HandleMap::HasTemporaries() && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) AfxDeleteTempMap();
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // WM_QUIT ends the loop and stays in the queue for the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!WalkPreTranslateTree(m_hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (!m_hWnd) break;
    }
}

void CDialog::EndDialog(int result)
{
    m_modalResult = result;
    if (m_modal) {
        m_continueModal = false;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);
    } else if (m_hWnd) {
        ::EndDialog(m_hWnd, result);
    }
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    const bool input = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                       (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
    return input && ::IsDialogMessageW(m_hWnd, msg);
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd) return;
    if (!control.SubclassDlgItem(static_cast<UINT>(id), dx->m_pDlgWnd)) AfxThrowResourceException();
}
