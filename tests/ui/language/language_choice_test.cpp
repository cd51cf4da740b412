#include "ui/language/language_choice.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace zentrix::language {
namespace {

TEST(LanguageChoice, FallsBackFromEachPreferenceToTheNextThenEnglish) {
    // Traditional Chinese has a catalogue for Hong Kong alone here.
    const std::vector<std::string> available{"de",    "es", "fr", "pt_BR", "zh_CN",
                                             "zh_HK", "ja", "pl", "sr"};
    struct Row {
        std::vector<std::string> preferred;
        std::optional<std::string> chosen;  // none: English
    };
    const std::vector<Row> rows{
        {{"de"}, "de"},
        {{"pt-BR"}, "pt_BR"},                 // language with region
        {{"pt_BR.UTF-8@euro"}, "pt_BR"},      // as a POSIX locale name
        {{"PT-br"}, "pt_BR"},                 // case does not matter
        {{"pt-PT"}, std::nullopt},            // no Portuguese of Portugal, nor plain Portuguese
        {{"de_CH.UTF-8"}, "de"},              // the language alone
        {{"es-419"}, "es"},                   // a numeric region
        {{"fr-Latn-CA"}, "fr"},               // a script passed over
        {{"de-DE-1996", "fr"}, "de"},         // a variant passed over
        {{"ja-JP-u-ca-japanese"}, "ja"},      // an extension passed over
        {{"sr@latin"}, "sr"},                 // a modifier passed over
        {{"ko", "it", "pl-PL", "de"}, "pl"},  // the next preference
        {{"ko", "nl"}, std::nullopt},         // nothing there: English
        {{}, std::nullopt},
        {{"en-US", "de"}, std::nullopt},  // English first needs no catalogue
        {{"C", "de"}, std::nullopt},      // C and POSIX are English
        {{"POSIX", "de"}, std::nullopt},
        {{"C.UTF-8", "de"}, std::nullopt},
        {{"", "*", "x-klingon", "d3", "german", "de"}, "de"},  // not languages: passed over
        {{"zh-CN"}, "zh_CN"},                                  // Simplified Chinese
        {{"zh_SG.GB2312"}, "zh_CN"},
        {{"zh-Hans"}, "zh_CN"},
        {{"zh-Hans-HK"}, "zh_CN"},  // the script decides over the region
        {{"zh"}, "zh_CN"},
        {{"zh-HK"}, "zh_HK"},  // Traditional Chinese
        {{"zh-Hant-HK"}, "zh_HK"},
        {{"zh-TW", "ja"}, "ja"},  // never Simplified
        {{"zh_TW.UTF-8", "ja"}, "ja"},
        {{"zh-Hant", "ja"}, "ja"},
        {{"zh-Hant-CN", "ja"}, "ja"},
        {{"zh-MO", "ja"}, "ja"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(chooseCatalogue(row.preferred, available), row.chosen)
            << testing::PrintToString(row.preferred);
    }
    const std::vector<std::string> traditional{"zh_CN", "zh_TW"};
    EXPECT_EQ(chooseCatalogue(std::vector<std::string>{"zh-HK"}, traditional), "zh_TW");
}

TEST(LanguageChoice, ReadsLinuxVariablesAsGettextDoes) {
    struct Row {
        const char* language;
        const char* lcAll;
        const char* lcMessages;
        const char* lang;
        std::vector<std::string> preferred;
    };
    const std::vector<Row> rows{
        {"", "", "", "", {}},  // no locale at all: C
        {"", "", "", "de_DE.UTF-8", {"de_DE.UTF-8"}},
        {"", "", "fr_FR.UTF-8", "de_DE.UTF-8", {"fr_FR.UTF-8"}},
        {"", "pl_PL.UTF-8", "fr_FR.UTF-8", "de_DE.UTF-8", {"pl_PL.UTF-8"}},
        {"pt_BR:pt:de", "", "", "en_US.UTF-8", {"pt_BR", "pt", "de"}},
        {"pt_BR:pt", "it_IT.UTF-8", "", "", {"pt_BR", "pt"}},
        {":ja::ko:", "", "", "de_DE.UTF-8", {"ja", "ko"}},
        {":", "", "", "de_DE.UTF-8", {"de_DE.UTF-8"}},  // LANGUAGE naming nothing
        {"pt_BR:pt", "", "", "", {}},                   // no locale: LANGUAGE is not looked at
        {"pt_BR:pt", "C", "", "de_DE.UTF-8", {}},       // the C locale neither
        {"pt_BR:pt", "", "POSIX", "de_DE.UTF-8", {}},
        {"pt_BR:pt", "", "", "C.UTF-8", {}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(linuxPreferredLanguages(row.language, row.lcAll, row.lcMessages, row.lang),
                  row.preferred)
            << "LANGUAGE=" << row.language << " LC_ALL=" << row.lcAll
            << " LC_MESSAGES=" << row.lcMessages << " LANG=" << row.lang;
    }
    // Read that way, the list chooses the catalogue.
    const std::vector<std::string> available{"pt_BR", "de"};
    EXPECT_EQ(chooseCatalogue(linuxPreferredLanguages("pt:de", "", "", "pt_PT.UTF-8"), available),
              "de");
}

}  // namespace
}  // namespace zentrix::language
