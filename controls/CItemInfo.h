// CItemInfo: the record behind one row of the tree grid: the texts of its
// columns, its icon, check state, colours and per-cell settings. The grid
// owns every record handed to it. Portable.
#pragma once

#include "framework/CMap.h"
#include "framework/CString.h"
#include "framework/CStringArray.h"
#include "framework/CStringList.h"

class CItemInfo {
public:
    // Editor kind of a cell; a drop-down list cell gets an arrow on the selected row.
    enum CONTROLTYPE { edit = 0, combobox = 1 };

    // The value of m_rowColour and of a cell colour that means "no colour".
    static constexpr unsigned long NoColour = static_cast<unsigned long>(-1);

    CItemInfo() = default;
    CItemInfo(const CItemInfo&) = delete;
    CItemInfo& operator=(const CItemInfo&) = delete;
    ~CItemInfo();

    // A new record with the same texts, data, settings and copies of the
    // choice lists; the caller owns it.
    CItemInfo* Duplicate() const;

    // Sub-item k is column k + 1. Reading outside m_subTexts raises the
    // framework's invalid-argument exception.
    const CString& GetSubItemText(int subItem) const { return m_subTexts.GetAt(subItem); }
    // Sets sub-item k, growing m_subTexts with empty texts when needed.
    void SetSubItemText(int subItem, const CString& text) { m_subTexts.SetAtGrow(subItem, text); }
    int GetSubItemCount() const { return m_subTexts.GetSize(); }

    void SetControlType(int subItem, CONTROLTYPE type) { m_controlTypes.SetAt(subItem, type); }
    // FALSE when the cell has no entry (a plain text cell).
    bool GetControlType(int subItem, CONTROLTYPE& type) const { return m_controlTypes.Lookup(subItem, type); }

    void SetCellColour(int subItem, unsigned long colour) { m_cellColours.SetAt(subItem, colour); }
    // NoColour when the cell has none.
    unsigned long GetCellColour(int subItem) const;

    // The record takes ownership of `choices` (deleting the list it replaces).
    void SetCellList(int subItem, CStringList* choices);
    CStringList* GetCellList(int subItem) const;

    int m_itemData = 0;
    CMap<int, int, CONTROLTYPE, CONTROLTYPE&> m_controlTypes;
    CMap<int, int, unsigned long, unsigned long&> m_cellColours;
    CMap<int, int, CStringList*, CStringList*> m_cellLists;
    CString m_text;
    CStringArray m_subTexts;
    bool m_check = false;
    int m_image = -1;
    unsigned long m_rowColour = NoColour;
};
