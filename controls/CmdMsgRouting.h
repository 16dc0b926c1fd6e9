// Command routing by (id, code) for the control event code CN_EVENT, which
// the tabbed pages pass on to their parents. The framework routes WM_COMMAND
// through message maps only; the classes that take part in this routing
// implement CCmdMsgRouting, and anything else is reached through its map.
#pragma once

#include "framework/CWnd.h"

#ifndef CN_EVENT
#define CN_EVENT ((UINT)(-2))  // an event of a hosted control
#endif

struct AFX_CMDHANDLERINFO;

class CCmdMsgRouting {
public:
    // Routes command `code` for `id`; TRUE when a handler took it.
    virtual BOOL OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) = 0;

protected:
    ~CCmdMsgRouting() = default;
};

// The ordinary routing of a command target: the WM_COMMAND entry of its
// message map for (code, id), called as if the command had arrived.
BOOL RouteCmdMsgToMap(CCmdTarget* target, UINT id, int code);
// `target`'s own OnCmdMsg when it has one, else its message map.
BOOL RouteCmdMsg(CCmdTarget* target, UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo);
