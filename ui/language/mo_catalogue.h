// One language's texts, read from a catalogue in GNU gettext's compiled form (a .mo file, as
// msgfmt writes it), and looked up by the English text the game shows.
//
// The file's bytes are untrusted: either byte order is read, the hash table is not used, and a
// file with anything out of place (cut short, a string beyond its end or not ended by a zero
// byte, an unknown revision) is refused whole. A text with a context is stored as
// "context\x04text", as msgfmt writes it; of a text with plural forms only the first is kept.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zentrix::language {

class MoCatalogue {
public:
    // The catalogue in `bytes`, or none where the file is not a sound catalogue.
    static std::optional<MoCatalogue> read(std::span<const std::uint8_t> bytes);

    // The translation of `msgid` in `context` (none: empty), or `msgid` itself where the
    // catalogue has none or an empty one. The text returned lives as long as the catalogue and
    // `msgid` do.
    std::string_view translate(std::string_view context, std::string_view msgid) const;

    // How many texts it translates.
    std::size_t size() const { return translations_.size(); }

private:
    std::map<std::string, std::string, std::less<>> translations_;
};

}  // namespace zentrix::language
