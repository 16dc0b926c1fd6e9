// CAppendLog: whole, flushed lines.
#include "tests/crash/AppendLog.h"

CAppendLog::CAppendLog(const std::wstring& path)
{
    m_file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
}

CAppendLog::~CAppendLog()
{
    if (m_file != INVALID_HANDLE_VALUE) ::CloseHandle(m_file);
}

bool CAppendLog::Append(const std::string& line)
{
    const std::string whole = line + "\n";
    DWORD written = 0;
    return IsOpen() && ::WriteFile(m_file, whole.data(), static_cast<DWORD>(whole.size()), &written, nullptr) &&
           written == whole.size();
}

std::string HexUtf8(const std::wstring& text)
{
    if (text.empty()) return std::string();
    const int bytes = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(bytes), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &utf8[0], bytes, nullptr, nullptr);
    static const char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(utf8.size() * 2);
    for (unsigned char c : utf8) {
        hex += kDigits[c >> 4];
        hex += kDigits[c & 15];
    }
    return hex;
}
