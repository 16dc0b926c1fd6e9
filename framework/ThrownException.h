// CThrownException: the owner of an exception pointer caught from a throw.
// The framework throws exceptions as pointers that the catcher must Delete();
// holding the pointer in this owner frees it on every way out of the block.
#pragma once

#include "CException.h"

template <class Exception>
class CThrownException {
public:
    explicit CThrownException(Exception* exception) : m_exception(exception) {}
    ~CThrownException()
    {
        if (m_exception) m_exception->Delete();
    }
    CThrownException(const CThrownException&) = delete;
    CThrownException& operator=(const CThrownException&) = delete;

    Exception* operator->() const { return m_exception; }
    Exception& operator*() const { return *m_exception; }

private:
    Exception* m_exception;  // owned; Delete()d by the destructor
};
