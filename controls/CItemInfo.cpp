// CItemInfo: the row record's per-cell settings and its release of the
// choice lists it owns.
#include "controls/CItemInfo.h"

CItemInfo::~CItemInfo()
{
    POSITION pos = m_cellLists.GetStartPosition();
    while (pos) {
        int subItem = 0;
        CStringList* list = nullptr;
        m_cellLists.GetNextAssoc(pos, subItem, list);
        if (list) {
            list->RemoveAll();
            delete list;
        }
    }
    m_cellLists.RemoveAll();
}

unsigned long CItemInfo::GetCellColour(int subItem) const
{
    unsigned long colour = NoColour;
    return m_cellColours.Lookup(subItem, colour) ? colour : NoColour;
}

void CItemInfo::SetCellList(int subItem, CStringList* choices)
{
    CStringList* old = nullptr;
    if (m_cellLists.Lookup(subItem, old) && old != choices) delete old;
    m_cellLists.SetAt(subItem, choices);
}

CStringList* CItemInfo::GetCellList(int subItem) const
{
    CStringList* list = nullptr;
    return m_cellLists.Lookup(subItem, list) ? list : nullptr;
}

CItemInfo* CItemInfo::Duplicate() const
{
    auto* copy = new CItemInfo;
    copy->m_itemData = m_itemData;
    copy->m_text = m_text;
    for (int k = 0; k < m_subTexts.GetSize(); ++k) copy->m_subTexts.Add(m_subTexts[k]);
    copy->m_check = m_check;
    copy->m_image = m_image;
    copy->m_rowColour = m_rowColour;
    for (POSITION pos = m_controlTypes.GetStartPosition(); pos;) {
        int subItem = 0;
        CONTROLTYPE type = edit;
        m_controlTypes.GetNextAssoc(pos, subItem, type);
        copy->m_controlTypes.SetAt(subItem, type);
    }
    for (POSITION pos = m_cellColours.GetStartPosition(); pos;) {
        int subItem = 0;
        unsigned long colour = NoColour;
        m_cellColours.GetNextAssoc(pos, subItem, colour);
        copy->m_cellColours.SetAt(subItem, colour);
    }
    for (POSITION pos = m_cellLists.GetStartPosition(); pos;) {
        int subItem = 0;
        CStringList* list = nullptr;
        m_cellLists.GetNextAssoc(pos, subItem, list);
        if (!list) continue;
        auto* listCopy = new CStringList;
        for (POSITION item = list->GetHeadPosition(); item;) listCopy->AddTail(list->GetNext(item));
        copy->SetCellList(subItem, listCopy);
    }
    return copy;
}
