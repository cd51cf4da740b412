// What the Windows tests under Wine share: a path they are given on the Linux side as Wine's
// program sees it, and names compared as Windows compares them, whatever their case.
#pragma once

#include <algorithm>
#include <cwctype>
#include <string>

namespace zentrix::testing {

// A Unix path becomes its name on Wine's Z: drive; a Windows path stays as it is.
inline std::wstring onWineDrive(std::wstring path) {
    if (!path.empty() && path.front() == L'/') {
        std::replace(path.begin(), path.end(), L'/', L'\\');
        path = L"Z:" + path;
    }
    return path;
}

inline std::wstring lower(std::wstring text) {
    for (wchar_t& c : text) {
        c = static_cast<wchar_t>(std::towlower(c));
    }
    return text;
}

}  // namespace zentrix::testing
