// CPrivateUserRegistry: gives this process a HKEY_CURRENT_USER of its own
// (RegOverridePredefKey) for as long as it lives, so that what a test's
// dialog stores for "the user" starts empty and never meets the settings of
// other test programs or of the person who runs the Wine prefix.
//
// The first one in a process tree makes a fresh key under the real
// HKEY_CURRENT_USER\Software\Quillbox Tests, names it in the environment
// variable QB_PRIVATE_USER_KEY, and deletes it at the end; a program it
// starts inherits the variable and shares the same key, as two host
// processes of one user share theirs.
#pragma once

#include <windows.h>

#include <string>

class CPrivateUserRegistry {
public:
    // A fresh key is named after the program's file name.
    CPrivateUserRegistry();
    ~CPrivateUserRegistry();
    CPrivateUserRegistry(const CPrivateUserRegistry&) = delete;
    CPrivateUserRegistry& operator=(const CPrivateUserRegistry&) = delete;

    // True when HKEY_CURRENT_USER is redirected.
    bool IsActive() const { return m_root != nullptr; }
    // Empties the redirected HKEY_CURRENT_USER, as on a new user's first day.
    void Clear();

private:
    HKEY m_root = nullptr;  // owned: the key that stands in for HKEY_CURRENT_USER
    std::wstring m_path;    // its path under the real HKEY_CURRENT_USER
    bool m_owner = false;   // made by this process, deleted at the end
};
