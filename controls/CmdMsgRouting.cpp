// Command routing by (id, code) over the framework's message maps.
#include "CmdMsgRouting.h"

BOOL RouteCmdMsgToMap(CCmdTarget* target, UINT id, int code)
{
    if (!target) return FALSE;
    const UINT codeBits = static_cast<UINT>(code);
    const AFX_MSGMAP_ENTRY* entry = AfxFindMessageEntry(target->GetMessageMap(), WM_COMMAND, codeBits, id);
    if (!entry) return FALSE;
    LRESULT ignored = 0;
    return entry->thunk(target, MAKEWPARAM(id, codeBits & 0xFFFF), 0, &ignored);
}

BOOL RouteCmdMsg(CCmdTarget* target, UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo)
{
    if (auto* routing = dynamic_cast<CCmdMsgRouting*>(target)) return routing->OnCmdMsg(id, code, extra, handlerInfo);
    return RouteCmdMsgToMap(target, id, code);
}
