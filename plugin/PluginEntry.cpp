// The module's one export.
#include "plugin/CQuillboxApp.h"

extern "C" IDatabasePlugin* GetPluginInterface() { return QuillboxPluginInterface(); }
