// A real dialog for the grid's Wine tests, built from an in-memory template
// like the main dialog's: a report list-view (IDC_GRID_TEST_LIST) that a grid
// subclasses, and an edit box (IDC_GRID_TEST_EDIT) that can take the focus. Also the steps of the
// framework's modal loop, to run the dialog's messages without blocking.
#pragma once

#include "controls/CSuperGridCtrl.h"
#include "framework/CDialog.h"
#include "framework/CImageList.h"
#include "res/resource.h"

#include <memory>
#include <ostream>
#include <string>
#include <vector>

// Lets failure messages show strings as text.
void PrintTo(const CString& text, std::ostream* out);

class CGridTestDialog : public CDialog {
public:
    // withList FALSE leaves out the list (the grid then makes its own window).
    CGridTestDialog(CSuperGridCtrl& grid, bool withList) : m_grid(grid), m_withList(withList) {}
    // Creates the dialog modeless and shows it; FALSE on failure.
    bool Open();

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    int m_doubleClicks = 0;               // WM_USER + 10 received
    int m_lastDoubleClickItem = -2;       // iItem of its NMITEMACTIVATE
    bool m_lastDoubleClickHadRecord = false;

protected:
    LRESULT OnGridDoubleClick(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CSuperGridCtrl& m_grid;
    bool m_withList;
};

// Runs the modal loop's steps (the PreTranslateMessage chain up to the
// dialog, then translate and dispatch) until the queue is empty.
void PumpMessages(HWND dialog);
// Posts a key press to the window with the focus and runs it through the loop.
void PressKey(HWND dialog, UINT virtualKey);
// Posts the characters of `text` to the window with the focus and runs them.
void TypeText(HWND dialog, const wchar_t* text);
// Sends a left click (down and up) at a point of the window's client area.
void Click(HWND window, int x, int y);
void DoubleClick(HWND window, int x, int y);

// A 16 x 16 image list of three solid images (red, green, blue).
void MakeTestImages(CImageList& images);
// Two 200-pixel columns, "Name" and "Description".
void AddTestColumns(CSuperGridCtrl& grid);
// What most grid tests start from: `grid` subclassing the list of a new test
// dialog, given the test images (the list owns them) and the two columns.
// Null when the dialog could not be made.
std::unique_ptr<CGridTestDialog> OpenGridDialog(CSuperGridCtrl& grid);
std::string Narrow(const CString& text);
// The first-column texts of the grid's rows, joined by commas.
std::string RowTexts(CSuperGridCtrl& grid);
// A record with a first-column text, an optional second-column text and data.
CItemInfo* MakeRecord(const wchar_t* text, const wchar_t* subText = nullptr, int data = 0, int image = 2);
// The in-place editor of the grid, if one is open.
HWND FindEditor(CSuperGridCtrl& grid);
// Records the class, id and style with which windows are created while it lives.
class CCreationRecorder {
public:
    struct Creation {
        std::wstring className;
        int id;
        DWORD style;
    };
    CCreationRecorder();
    ~CCreationRecorder();
    CCreationRecorder(const CCreationRecorder&) = delete;
    CCreationRecorder& operator=(const CCreationRecorder&) = delete;
    // The last window of `className` created, or null.
    const Creation* Last(const wchar_t* className) const;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    HHOOK m_hook;  // owned, unhooked by the destructor
};

// A window's rectangle in the client coordinates of another window.
CRect RectIn(HWND window, HWND reference);
