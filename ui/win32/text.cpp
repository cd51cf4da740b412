#include "ui/win32/text.h"

#include <windows.h>

#include <limits>
#include <stdexcept>

namespace zentrix::win32 {

namespace {

int lengthOf(std::size_t size) {
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throw std::length_error("text too long for Windows");
    }
    return static_cast<int>(size);
}

}  // namespace

std::wstring widen(std::string_view utf8) {
    if (utf8.empty()) {
        return {};
    }
    const int length = lengthOf(utf8.size());
    const int needed = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), needed);
    return out;
}

std::string narrow(std::wstring_view utf16) {
    if (utf16.empty()) {
        return {};
    }
    const int length = lengthOf(utf16.size());
    const int needed =
        WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

}  // namespace zentrix::win32
