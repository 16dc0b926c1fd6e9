// What a page may ask of the dialog it was created in: the database
// connection, the host link, and the path that passes group changes on to
// the pages that list groups.
#pragma once

#include "framework/CString.h"

class CDatabase;
class IHostLink;

class IPageOwner {
public:
    virtual CDatabase& GetDatabase() = 0;
    virtual IHostLink* GetHostLink() const = 0;
    virtual void NotifyGroupChanged(int groupId, const CString& name, bool removed) = 0;

protected:
    ~IPageOwner() = default;
};
