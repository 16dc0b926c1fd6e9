// Export and import of a whole note database to and from a folder of files,
// for the dialog's File commands and the command-line tool alike. Nothing
// here shows a window: each operation returns its outcome, with a message
// that names the file or statement and says why when it failed.
#pragma once

#include "store/exchange/ImportPlan.h"
#include "framework/CString.h"
#include "store/exchange/NoteFolderFiles.h"

#include <functional>

class CDatabase;

// Told how far the work is; returns false when the user cancels.
class IExchangeProgress {
public:
    virtual ~IExchangeProgress() = default;
    virtual bool Continue(int done, int total) = 0;
};

struct ExchangeOutcome {
    bool ok = true;
    bool cancelled = false;
    CString message;  // when !ok: what failed and why
    int written = 0;    // export: files written or renamed
    int unchanged = 0;  // export: files left as they were
    int removed = 0;    // export: files of notes that are gone
    int leftForNextSync = 0;  // sync: rows and files that changed since the plan read them
    int groups = 0;     // export: the user's groups, not the built-in "None"
    int notes = 0;
};

// Writes every group and note into `folder` (see ExportPlan). Each file is
// written whole or not at all; a failure stops the export and names the file.
ExchangeOutcome ExportNoteDatabase(CDatabase& database, const CString& folder, IExchangeProgress* progress);

// Reads every file of the folder that an import takes (decoded, or with why
// it cannot be), and the entries it skips with the reason; changes nothing.
// `leftovers`, when given, gets the paths of temporary files that a write cut
// off by a kill left in the folder or a group's folder. A file for which
// `skip` (given its subfolder, "" for the folder itself, and its entry)
// answers true is neither read nor listed in `files`.
ExchangeOutcome ReadImportFolder(const CString& folder, std::vector<ImportFile>& files, std::vector<ImportRefusal>& skipped,
                                 IExchangeProgress* progress, std::vector<CString>* leftovers = nullptr,
                                 const std::function<bool(const CString&, const FolderItem&)>& skip = {});
// Reads the folder and the database and decides what an import would do; changes nothing.
ExchangeOutcome PlanNoteImport(CDatabase& database, const CString& folder, ImportPlan& plan, IExchangeProgress* progress);
// Carries the plan out in one transaction: on a failure or a cancel the database is as before.
ExchangeOutcome ApplyNoteImport(CDatabase& database, const ImportPlan& plan, IExchangeProgress* progress);
