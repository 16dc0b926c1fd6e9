// Permanent and temporary handle maps.
#include "HandleMap.h"

#include <memory>
#include <unordered_map>

#include "CWnd.h"

namespace {

std::unordered_map<HWND, CWnd*>& Permanent()
{
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

// Temporary objects only view a handle; they never destroy the window.
std::unordered_map<HWND, std::unique_ptr<CWnd>>& Temporaries()
{
    static std::unordered_map<HWND, std::unique_ptr<CWnd>> map;
    return map;
}

} // namespace

namespace HandleMap {

CWnd* Find(HWND hWnd)
{
    const auto it = Permanent().find(hWnd);
    return it == Permanent().end() ? nullptr : it->second;
}

void Add(HWND hWnd, CWnd* wnd) { Permanent()[hWnd] = wnd; }

void Remove(HWND hWnd) { Permanent().erase(hWnd); }

CWnd* Temporary(HWND hWnd)
{
    auto& temps = Temporaries();
    auto& slot = temps[hWnd];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->m_hWnd = hWnd;
    }
    return slot.get();
}

void DeleteTemporaries()
{
    auto& temps = Temporaries();
    for (auto& entry : temps) entry.second->m_hWnd = nullptr;
    temps.clear();
}

bool HasTemporaries() { return !Temporaries().empty(); }

} // namespace HandleMap
