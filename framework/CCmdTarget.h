// CCmdTarget: the root of every class with a message map.
#pragma once

#include "CObject.h"
#include "MessageMap.h"

class CCmdTarget : public CObject {
public:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};
