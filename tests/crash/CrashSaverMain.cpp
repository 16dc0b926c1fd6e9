// QuillboxCrashSaver.exe: the user whose host is killed. Loads Quillbox.dll
// as a host does, opens a note database through File Open and saves new
// notes through the Edit page, one after another, until it is killed or has
// saved --notes of them. Its log says what the checker may expect:
//   open                                    the database is open
//   try <i> <title> <comments> <query> <g>  Save is about to be pressed (texts as
//                                           the Edit page holds them, UTF-8 in hex)
//   saved <i>                               Save returned and no message came up
//   error <i> <message>                     a message came up instead; the run stops
//
//   QuillboxCrashSaver.exe --db=<Windows path> --log=<Windows path> --seed=<n> [--notes=<n>]
#include "bench/CommandLineOption.h"
#include "host/PluginModule.h"
#include "tests/crash/AppendLog.h"
#include "tests/crash/CrashNote.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/HostedDialog.h"

#include <cstdio>
#include <cwchar>
#include <string>

namespace {

struct SaverOptions {
    std::wstring database;
    std::wstring log;
    unsigned seed = 0;
    int notes = 100000;
};

bool ParseArguments(int argc, wchar_t** argv, SaverOptions& options)
{
    for (int i = 1; i < argc; ++i) {
        std::wstring value;
        if (ParseOption(argv[i], L"--db", options.database)) continue;
        if (ParseOption(argv[i], L"--log", options.log)) continue;
        if (ParseOption(argv[i], L"--seed", value)) { options.seed = static_cast<unsigned>(std::stoul(value)); continue; }
        if (ParseOption(argv[i], L"--notes", value)) { options.notes = std::stoi(value); continue; }
        return false;
    }
    return !options.database.empty() && !options.log.empty() && options.notes > 0;
}

std::string Narrow(const std::wstring& text)
{
    std::string out;
    for (wchar_t c : text) out += c >= 32 && c < 127 ? static_cast<char>(c) : ' ';
    return out;
}

// The script: open, then save notes until killed. False when something came up that should not have.
bool SaveNotes(HWND dialog, const SaverOptions& options, CAppendLog& log)
{
    using namespace dialogdriver;
    const CommandResult opened = OpenFile(dialog, options.database);
    if (!opened.fileDialogShown || !opened.boxes.empty()) {
        log.Append("error -1 " + (opened.boxes.empty() ? std::string("no Open dialog") : Narrow(opened.boxes[0].text)));
        return false;
    }
    HWND edit = FindPages(dialog).edit;
    const int groups = static_cast<int>(ComboIds(::GetDlgItem(edit, IDC_EDIT_GROUP)).size());
    DWORD timeInSave = 0, timeInAll = 0;
    if (groups <= 0 || !log.Append("open")) return false;
    for (int i = 0; i < options.notes; ++i) {
        const DWORD start = ::GetTickCount();
        const CrashNote made = MakeCrashNote(options.seed, i);
        TypeNewNote(dialog, {made.title, made.comments, made.query, 0}, i % groups);
        const TypedNote typed = EditPageNote(dialog);
        const std::string index = std::to_string(i);
        if (!log.Append("try " + index + " " + HexUtf8(typed.title) + " " + HexUtf8(typed.comments) + " " +
                        HexUtf8(typed.query) + " " + std::to_string(typed.groupId))) {
            return false;
        }
        const DWORD saveStart = ::GetTickCount();
        const Boxes boxes = Click(edit, IDC_EDIT_SAVE);
        if (!boxes.empty()) {
            log.Append("error " + index + " " + Narrow(boxes[0].text));
            return false;
        }
        if (!log.Append("saved " + index)) return false;
        timeInSave += ::GetTickCount() - saveStart;
        timeInAll += ::GetTickCount() - start;
    }
    std::printf("QuillboxCrashSaver: %d notes saved, %lu ms of %lu in Save\n", options.notes, timeInSave, timeInAll);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    SaverOptions options;
    if (!ParseArguments(argc, argv, options)) {
        std::fprintf(stderr, "usage: QuillboxCrashSaver --db=<path> --log=<path> --seed=<n> [--notes=<n>]\n");
        return 2;
    }
    CAppendLog log(options.log);
    if (!log.IsOpen()) {
        std::fprintf(stderr, "QuillboxCrashSaver: cannot open the log %ls\n", options.log.c_str());
        return 1;
    }
    PluginModule module(L"Quillbox.dll");
    if (!module.GetPluginInterface()) {
        std::fprintf(stderr, "QuillboxCrashSaver: Quillbox.dll could not be loaded\n");
        return 1;
    }
    dialogdriver::Host host;
    bool saved = false;
    const bool ran = dialogdriver::RunHostedDialog(module.GetPluginInterface(), host, [&](HWND dialog) { saved = SaveNotes(dialog, options, log); }).dialogShown;
    if (!ran) std::fprintf(stderr, "QuillboxCrashSaver: the Quillbox dialog did not appear\n");
    return ran && saved ? 0 : 1;
}
