// CResultList: the Results page's list of one result, a virtual list: the
// control asks for the cells it draws and the rows are read from the
// result's compact storage. NULL is drawn in grey, numbers right-aligned
// (the list keeps its first column left-aligned), a cell's whole value shows
// in a tooltip. Ctrl+C copies the selected rows with a header line; the
// right-click menu offers Copy and Copy with headers. End, and drawing the
// last rows read, ask the owner for more.
#pragma once

#include <string>
#include <vector>

#include "framework/CListCtrl.h"
#include "run/ResultFetch.h"
#include "run/ResultRows.h"

class CResultList : public CListCtrl {
public:
    class IOwner {
    public:
        // The list draws rows near the last one read (toEnd: the user asked for the last row).
        virtual void RowsWanted(bool toEnd) = 0;

    protected:
        ~IOwner() = default;
    };

    void SetOwner(IOwner* owner) { m_owner = owner; }
    // Styles and the tooltip, once the control is attached.
    void Prepare();
    // Shows `rows` under `columns` (null: an empty list without columns). Not owned; both stay valid until the next call.
    void ShowResult(const std::vector<ResultColumn>* columns, const ResultRows* rows);
    // The rows shown have grown; `more` while the end is not reached.
    void RowsAdded();
    // Brings the last row into view and makes it the current one.
    void GoToLastRow();
    // The selected rows as tab-separated text.
    std::wstring SelectionText(bool withHeaders) const;
    void CopySelection(bool withHeaders);

protected:
    void OnGetDispInfo(NMHDR* header, LRESULT* result);
    void OnCustomDraw(NMHDR* header, LRESULT* result);
    void OnKeyDown(NMHDR* header, LRESULT* result);
    void OnRightClick(NMHDR* header, LRESULT* result);
    void OnHeaderNotify(NMHDR* header, LRESULT* result);
    void OnMouseMove(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    // The cell under the list's row and column (null for none).
    const CellView* CellAt(int row, int listColumn, CellView& cell) const;
    void UpdateTip(CPoint point);

    IOwner* m_owner = nullptr;                        // the page; not owned
    const std::vector<ResultColumn>* m_columns = nullptr;  // not owned
    const ResultRows* m_rows = nullptr;               // not owned
    HWND m_tip = nullptr;                             // the tooltip; the system destroys it with its owner
    int m_tipRow = -1;
    int m_tipColumn = -1;
    std::wstring m_tipText;
};
