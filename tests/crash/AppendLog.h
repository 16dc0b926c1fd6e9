// A log file the crash-safety saver appends lines to. Each line is written
// with one unbuffered WriteFile call, which hands it to the kernel before
// Append returns: a killed process loses no line it wrote, and a line cut
// short by the kill lacks its line feed.
#pragma once

#include <windows.h>

#include <string>

class CAppendLog {
public:
    explicit CAppendLog(const std::wstring& path);
    ~CAppendLog();
    CAppendLog(const CAppendLog&) = delete;
    CAppendLog& operator=(const CAppendLog&) = delete;

    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }
    // Appends `line` and a line feed; false when the write failed.
    bool Append(const std::string& line);

private:
    HANDLE m_file = INVALID_HANDLE_VALUE;  // owned
};

// `text` as UTF-8, written as lowercase hexadecimal digits (two per byte).
std::string HexUtf8(const std::wstring& text);
