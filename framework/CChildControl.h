// CChildControl: the base of the wrappers of the system's controls that are
// made from their window class name alone (edit, combo box, header, list
// view, tab control). Control is the wrapper itself, which names its window
// class with a static ClassName().
#pragma once

#include "CWnd.h"

template <class Control>
class CChildControl : public CWnd {
public:
    using CWnd::Create;
    // Makes the control as a child of `parent`; WS_CHILD is always added.
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
    {
        return CreateEx(0, Control::ClassName(), nullptr, style | WS_CHILD, rect, parent, id);
    }
};
