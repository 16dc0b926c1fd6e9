// The summary a sync shows before it changes anything, for the dialog's
// question and the command-line tool's output alike. Portable.
#pragma once

#include "store/exchange/ImportPlan.h"
#include "store/sync/SyncPlan.h"

#include <vector>

// A first sync's line, when `firstSyncReason` says why it is one; one line
// per side ("database: ..." and "folder: ..."), then the notes alike, the
// conflicts by name, the files a sync cannot read and the notes it holds
// back for them. At most `listed` of each are named one by one.
CString DescribeSync(const SyncPlan& plan, const std::vector<ImportRefusal>& refusals, size_t listed,
                     const CString& firstSyncReason = CString());
// The sentence that says a plan deletes all or most of a side's notes (see
// IsMassDeletion), given how many each side holds; empty when it does not.
CString DescribeMassDeletion(const SyncPlan& plan, int databaseHeld, int folderHeld);
