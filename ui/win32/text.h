// The game's texts are UTF-8; Windows' wide-character functions take UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace zentrix::win32 {

// UTF-8 to UTF-16. Bytes that are not UTF-8 become U+FFFD rather than being dropped.
std::wstring widen(std::string_view utf8);
// UTF-16 to UTF-8, for reading a window's text back.
std::string narrow(std::wstring_view utf16);

}  // namespace zentrix::win32
