// DialogTabOrder: the dialog's tab stops, walked in Z order (the template's
// order), into control parents and into the pages a stop holds.
#include "controls/DialogTabOrder.h"

#include <algorithm>

namespace {

bool Usable(HWND window) { return ::IsWindowVisible(window) && ::IsWindowEnabled(window); }

bool IsControlParent(HWND window) { return (::GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0; }

void Collect(HWND parent, std::vector<HWND>& stops)
{
    for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (!Usable(child)) continue;
        if (IsControlParent(child)) {
            Collect(child, stops);
            continue;
        }
        if (::GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) stops.push_back(child);
        // Pages held by a control follow it.
        for (HWND inner = ::GetWindow(child, GW_CHILD); inner; inner = ::GetWindow(inner, GW_HWNDNEXT)) {
            if (Usable(inner) && IsControlParent(inner)) Collect(inner, stops);
        }
    }
}

} // namespace

std::vector<HWND> CollectTabStops(HWND dialog)
{
    std::vector<HWND> stops;
    if (::IsWindow(dialog)) Collect(dialog, stops);
    return stops;
}

HWND NextTabStop(HWND dialog, HWND from, bool backward)
{
    const std::vector<HWND> stops = CollectTabStops(dialog);
    if (stops.empty()) return nullptr;
    // The focus may sit in a part of a stop (a combo box's edit); the stop
    // nearest to it is the last that holds it (the strip holds its pages).
    const auto holder = std::find_if(stops.rbegin(), stops.rend(), [from](HWND stop) { return from && (stop == from || ::IsChild(stop, from)); });
    const int count = static_cast<int>(stops.size());
    if (holder == stops.rend()) return backward ? stops.back() : stops.front();
    const int at = static_cast<int>(stops.rend() - holder) - 1;
    return stops[(at + (backward ? count - 1 : 1)) % count];
}

void FocusTabStop(HWND stop)
{
    if (!stop) return;
    ::SetFocus(stop);
    if (::SendMessageW(stop, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) ::SendMessageW(stop, EM_SETSEL, 0, -1);
}
