// The dialog of a host with a new note database, for the page stories.
#include "tests/pages/NewFileStory.h"

#include <gtest/gtest.h>

namespace pages {

bool ExecuteOnNewFile(harness::Host& host, const std::wstring& file, const PagesStory& story)
{
    return harness::Execute(host, [&](HWND dialog) {
        ASSERT_TRUE(dialogdriver::NewFile(dialog, file).boxes.empty());
        story(dialog, dialogdriver::FindPages(dialog));
    });
}

bool ExecuteOnNewFile(const std::wstring& file, const PagesStory& story)
{
    harness::Host host;
    return ExecuteOnNewFile(host, file, story);
}

} // namespace pages
