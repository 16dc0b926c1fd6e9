// POSITION: the opaque handle by which the framework's lists and maps name
// one of their elements. Portable.
#pragma once

struct CPositionTag;
using POSITION = CPositionTag*;
