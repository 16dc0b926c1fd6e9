// CObject: the root of the framework's classes (command targets, exceptions,
// collections, nodes). Portable; copying is not allowed, as in the framework.
#pragma once

class CObject {
public:
    virtual ~CObject() = default;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

protected:
    CObject() = default;
};
