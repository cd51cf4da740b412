#include "ui/language/mo_catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace zentrix::language {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes readCatalogueFile(const std::string& name) {
    std::ifstream in(std::string(ZENTRIX_TEST_CATALOGUES) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << name;
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

// The file's words, read and written in its own byte order (msgfmt's magic number tells).
struct Words {
    Bytes& bytes;
    bool big() const { return bytes[0] == 0x95; }
    std::uint32_t get(std::size_t at) const {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = (value << 8) | bytes[at + (big() ? i : 3 - i)];
        }
        return value;
    }
    void set(std::size_t at, std::uint32_t value) {
        for (std::size_t i = 0; i < 4; ++i) {
            bytes[at + (big() ? 3 - i : i)] = static_cast<std::uint8_t>(value >> (8 * i));
        }
    }
    // Where the table entry of the original text `msgid` lies, and that of its translation.
    std::pair<std::size_t, std::size_t> entry(std::string_view msgid) const {
        for (std::uint32_t i = 0; i < get(8); ++i) {
            const std::size_t original = get(12) + 8 * i;
            const std::string_view text(
                reinterpret_cast<const char*>(bytes.data()) + get(original + 4), get(original));
            if (text == msgid) {
                return {original, get(16) + 8 * i};
            }
        }
        ADD_FAILURE() << "no entry " << msgid;
        return {0, 0};
    }
};

TEST(MoCatalogue, LooksUpWhatMsgfmtCompiledInEitherByteOrder) {
    for (const std::string name : {"de.mo", "de-big-endian.mo"}) {
        SCOPED_TRACE(name);
        Bytes bytes = readCatalogueFile(name);
        const auto catalogue = MoCatalogue::read(bytes);
        ASSERT_TRUE(catalogue);
        EXPECT_EQ(catalogue->size(), 4u);  // the header, the fuzzy and the untranslated left out
        EXPECT_EQ(catalogue->translate("", "New"), "Neu");
        EXPECT_EQ(catalogue->translate("Game menu", "New"), "Neues Spiel");
        EXPECT_EQ(catalogue->translate("", "About"), "Über");
        EXPECT_EQ(catalogue->translate("", "Take Score"), "Punkte nehmen");
        // English where there is no translation: a fuzzy one, none at all, an unknown context,
        // a text only known with a context.
        EXPECT_EQ(catalogue->translate("", "Next Ball"), "Next Ball");
        EXPECT_EQ(catalogue->translate("", "Rules"), "Rules");
        EXPECT_EQ(catalogue->translate("", "Quit"), "Quit");
        EXPECT_EQ(catalogue->translate("Help menu", "New"), "New");
        EXPECT_EQ(catalogue->translate("Game menu", "Take Score"), "Take Score");
        EXPECT_EQ(catalogue->translate("", ""), "");

        // A translation made empty (pointed at the zero byte that ends another string) leaves
        // the English text.
        Words words{bytes};
        const auto [original, translation] = words.entry("About");
        words.set(translation, 0);
        words.set(translation + 4, words.get(original + 4) + words.get(original));
        const auto emptied = MoCatalogue::read(bytes);
        ASSERT_TRUE(emptied);
        EXPECT_EQ(emptied->translate("", "About"), "About");
        EXPECT_EQ(emptied->translate("", "New"), "Neu");
    }
}

TEST(MoCatalogue, RefusesMalformedFilesWhole) {
    struct Row {
        const char* what;
        std::function<void(Bytes&)> spoil;
    };
    const std::vector<Row> rows{
        {"nothing at all", [](Bytes& b) { b.clear(); }},
        {"the header cut short", [](Bytes& b) { b.resize(27); }},
        {"the last string's end cut off", [](Bytes& b) { b.pop_back(); }},
        {"cut inside the tables", [](Bytes& b) { b.resize(Words{b}.get(16) + 12); }},
        {"not a catalogue", [](Bytes& b) { b[0] ^= 0xff; }},
        {"an unknown revision", [](Bytes& b) { Words{b}.set(4, 0x20000); }},
        {"more texts than the file holds", [](Bytes& b) { Words{b}.set(8, 0x7fffffff); }},
        {"the originals past the end", [](Bytes& b) { Words{b}.set(12, 0xfffffffc); }},
        {"the translations past the end",
         [](Bytes& b) { Words{b}.set(16, static_cast<std::uint32_t>(b.size()) - 8); }},
        {"a string past the end",
         [](Bytes& b) {
             Words{b}.set(Words{b}.entry("New").first + 4, static_cast<std::uint32_t>(b.size()));
         }},
        {"a string longer than the file",
         [](Bytes& b) { Words{b}.set(Words{b}.entry("New").second, 0xffffffff); }},
        {"a string not ended by a zero byte",
         [](Bytes& b) {
             Words words{b};
             const std::size_t at = words.entry("New").second;
             words.set(at, words.get(at) + 1);
         }},
    };
    for (const std::string name : {"de.mo", "de-big-endian.mo"}) {
        const Bytes sound = readCatalogueFile(name);
        ASSERT_TRUE(MoCatalogue::read(sound)) << name;
        for (const Row& row : rows) {
            Bytes bytes = sound;
            row.spoil(bytes);
            EXPECT_FALSE(MoCatalogue::read(bytes)) << name << ": " << row.what;
        }
    }
}

}  // namespace
}  // namespace zentrix::language
