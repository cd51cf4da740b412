#include "ui/language/language_choice.h"

#include <algorithm>
#include <cctype>

namespace zentrix::language {
namespace {

bool isAlpha(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool allOf(std::string_view text, bool (*test)(char)) {
    return !text.empty() && std::all_of(text.begin(), text.end(), test);
}

std::string lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

std::string upper(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return out;
}

// The parts of a preference the choice looks at; an empty language where it names none.
struct Tag {
    std::string language;  // "pt", lower case
    std::string script;    // "hans", lower case, or empty
    std::string region;    // "BR", "419", upper case, or empty
    bool english = false;  // C, POSIX or English: the game's own language
};

// Reads "pt-BR", "zh-Hans-CN" or "pt_BR.UTF-8@euro": the codeset and modifier of a POSIX name
// say nothing about the language; variants and extensions of a BCP 47 tag are passed over.
Tag readTag(std::string_view text) {
    text = text.substr(0, text.find_first_of(".@"));
    Tag tag;
    if (text == "C" || text == "POSIX") {
        tag.english = true;
        return tag;
    }
    std::size_t index = 0;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("-_");
        const std::string_view part = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        if (index++ == 0) {
            if (part.size() < 2 || part.size() > 3 || !allOf(part, isAlpha)) {
                return {};
            }
            tag.language = lower(part);
        } else if (part.size() == 1) {
            break;  // an extension or private use: nothing after it names a script or region
        } else if (part.size() == 4 && allOf(part, isAlpha) && tag.script.empty() &&
                   tag.region.empty()) {
            tag.script = lower(part);
        } else if (((part.size() == 2 && allOf(part, isAlpha)) ||
                    (part.size() == 3 && allOf(part, isDigit))) &&
                   tag.region.empty()) {
            tag.region = upper(part);
        }
    }
    tag.english = tag.language == "en";
    return tag;
}

// The catalogues that would do for one preference, best first.
std::vector<std::string> candidates(const Tag& tag) {
    if (tag.language == "zh") {
        const bool traditional = tag.script == "hant" ||
                                 (tag.script.empty() &&
                                  (tag.region == "TW" || tag.region == "HK" || tag.region == "MO"));
        if (!traditional) {
            return {"zh_CN"};
        }
        if (tag.region == "HK" || tag.region == "MO") {
            return {"zh_" + tag.region, "zh_TW"};
        }
        return {"zh_TW"};
    }
    std::vector<std::string> names;
    if (!tag.region.empty()) {
        names.push_back(tag.language + "_" + tag.region);
    }
    names.push_back(tag.language);
    return names;
}

}  // namespace

std::optional<std::string> chooseCatalogue(std::span<const std::string> preferred,
                                           std::span<const std::string> available) {
    for (const std::string& preference : preferred) {
        const Tag tag = readTag(preference);
        if (tag.language.empty() && !tag.english) {
            continue;
        }
        for (const std::string& name : candidates(tag)) {
            if (std::find(available.begin(), available.end(), name) != available.end()) {
                return name;
            }
        }
        if (tag.english) {
            return std::nullopt;
        }
    }
    return std::nullopt;
}

std::vector<std::string> linuxPreferredLanguages(std::string_view languageList,
                                                 std::string_view lcAll,
                                                 std::string_view lcMessages,
                                                 std::string_view lang) {
    const std::string_view locale = !lcAll.empty()        ? lcAll
                                    : !lcMessages.empty() ? lcMessages
                                                          : lang;
    const std::string_view name = locale.substr(0, locale.find_first_of(".@"));
    if (name.empty() || name == "C" || name == "POSIX") {
        return {};
    }
    std::vector<std::string> list;
    while (!languageList.empty()) {
        const std::size_t end = languageList.find(':');
        if (end != 0) {
            list.emplace_back(languageList.substr(0, end));
        }
        languageList =
            end == std::string_view::npos ? std::string_view{} : languageList.substr(end + 1);
    }
    if (list.empty()) {
        list.emplace_back(locale);
    }
    return list;
}

}  // namespace zentrix::language
