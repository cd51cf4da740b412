// Which catalogue the game speaks from, decided once for every front end.
//
// A front end reads its platform's list of the player's preferred languages, best first (Linux
// through linuxPreferredLanguages, Windows the user's preferred UI languages, the page
// navigator.languages) and passes it here with the catalogues it carries. Each preference may be
// a BCP 47 tag ("pt-BR", "zh-Hans-CN") or a POSIX locale name ("pt_BR.UTF-8@euro"); case does
// not matter. For each preference in turn the catalogue of the language with its region is taken
// ("pt-BR" -> "pt_BR"), else that of the language alone ("pt"); English, the game's own language,
// needs no catalogue and ends the search, as do "C" and "POSIX". Chinese goes by its script:
// Simplified ("zh-CN", "zh-SG", "zh-Hans", "zh-Hans-*", plain "zh") is the "zh_CN" catalogue,
// Traditional ("zh-TW", "zh-HK", "zh-MO", "zh-Hant-*") is "zh_TW" (or "zh_HK" first for Hong
// Kong) and never falls to Simplified. When no preference has a catalogue, the game speaks
// English.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zentrix::language {

// The catalogue to use, by its gettext name ("pt_BR", "de", "zh_CN"), one of `available`; none
// for English.
std::optional<std::string> chooseCatalogue(std::span<const std::string> preferred,
                                           std::span<const std::string> available);

// The player's preferred languages on Linux, read as GNU gettext reads them from the values of
// LANGUAGE, LC_ALL, LC_MESSAGES and LANG (empty where unset). The locale is the first of LC_ALL,
// LC_MESSAGES, LANG that is set; where there is none, or it is C or POSIX, the list is empty
// (English) and LANGUAGE is not looked at. Otherwise LANGUAGE's colon-separated list holds if it
// names anything, else the locale alone.
std::vector<std::string> linuxPreferredLanguages(std::string_view languageList,
                                                 std::string_view lcAll,
                                                 std::string_view lcMessages,
                                                 std::string_view lang);

}  // namespace zentrix::language
