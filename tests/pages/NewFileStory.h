// The start most page stories share: the Quillbox dialog of a host, with a
// new note database made through File > New.
#pragma once

#include "tests/support/DialogDriver.h"
#include "tests/support/DialogHarness.h"

#include <functional>
#include <string>

namespace pages {

// Runs Execute with `host`; once File > New has made `file` without a
// message box, `story` gets the dialog and its pages. Returns Execute's result.
using PagesStory = std::function<void(HWND dialog, const dialogdriver::Pages& pages)>;
bool ExecuteOnNewFile(harness::Host& host, const std::wstring& file, const PagesStory& story);
// The same with a host that does not allow results.
bool ExecuteOnNewFile(const std::wstring& file, const PagesStory& story);

} // namespace pages
