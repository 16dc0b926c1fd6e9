// The framework's exceptions. They are thrown as pointers allocated with new
// and released by the catcher with Delete(), as the original framework does.
#pragma once

#include "CObject.h"
#include "CString.h"

class CException : public CObject {
public:
    // Copies the error text into `buffer` (at most `size` characters with the NUL).
    virtual bool GetErrorMessage(wchar_t* buffer, unsigned size, unsigned* helpContext = nullptr) const;
    virtual CString GetErrorText() const { return L"An unknown error has occurred."; }
    // Shows the error text in the framework's message box; returns its result.
    virtual int ReportError(unsigned type = 0x00000030L /* MB_ICONEXCLAMATION */, unsigned messageId = 0) const;
    void Delete() { delete this; }
};

class CMemoryException : public CException {
public:
    CString GetErrorText() const override { return L"Out of memory."; }
};

class CInvalidArgException : public CException {
public:
    CString GetErrorText() const override { return L"Encountered an improper argument."; }
};

class CResourceException : public CException {
public:
    CString GetErrorText() const override { return L"A required resource was unavailable."; }
};

// An exception that carries its own text; handlers raise it for failures
// that have a message of their own.
class CUserException : public CException {
public:
    explicit CUserException(const CString& text) : m_text(text) {}
    CString GetErrorText() const override { return m_text; }
private:
    CString m_text;
};

[[noreturn]] void AfxThrowMemoryException();
[[noreturn]] void AfxThrowInvalidArgException();
[[noreturn]] void AfxThrowResourceException();
