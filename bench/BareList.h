// CBareList: the floor of the list scenarios: a plain report list-view in a
// top-level window of its own, with the note list's size, columns, styles,
// font and icons, filled with plain list-view messages. No framework object
// touches it.
#pragma once

#include "bench/ListRow.h"
#include "bench/OwnedHandles.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

class CBareList {
public:
    // Creates the window at (x, y) on the calling thread, as wide and high as
    // `model` (the note list) and with its font; icons from `images` (not owned).
    // The window keeps `roomBelow` pixels free under the list (for CBarePages).
    bool Create(HWND model, HIMAGELIST images, int x, int y, int roomBelow = 0);
    HWND List() const { return m_list; }
    HWND Frame() const { return m_frame.Get(); }

    // Drawing off around a bulk change.
    void BeginUpdate();
    // Drawing on again; scrolls `showRow` into view (-1: none) and draws at once.
    void EndUpdate(int showRow = -1);
    // Inserts a row at `index`; returns its index.
    int Insert(int index, const ListRow& row);
    int Append(const ListRow& row) { return Insert(Count(), row); }
    // LVM_DELETEALLITEMS, then draws at once.
    void DeleteAll();
    // LVM_DELETEALLITEMS alone, inside BeginUpdate and EndUpdate: drawn by EndUpdate.
    void Clear();
    // Deletes `count` rows from `first` on.
    void Delete(int first, int count);
    int Count() const;
    // The name column of row `row`.
    std::wstring Name(int row) const;

private:
    OwnedWindow m_frame;  // the top-level window; the list is its child
    HWND m_list = nullptr;
};
