// The Attach of the framework's handle owners (GDI objects, DCs, image
// lists), which keep their handle in a public member as the original
// framework does: a null handle is refused and changes nothing; otherwise
// the owner lets go of the handle it held and keeps the new one.
#pragma once

#include <windows.h>

template <class Handle, class Release>
BOOL AttachHandle(Handle& member, Handle handle, Release releaseHeld)
{
    if (!handle) return FALSE;
    releaseHeld();
    member = handle;
    return TRUE;
}
