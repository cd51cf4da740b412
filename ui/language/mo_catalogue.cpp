#include "ui/language/mo_catalogue.h"

namespace zentrix::language {
namespace {

constexpr std::uint32_t kMagic = 0x950412de;
constexpr std::size_t kHeaderSize = 28;  // magic, revision, count, two tables, hash size and place

class Reader {
public:
    explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    // Reads the magic number and with it the byte order; false where it is neither.
    bool readOrder() {
        if (bytes_.size() < kHeaderSize) {
            return false;
        }
        if (word(0) == kMagic) {
            return true;
        }
        swapped_ = true;
        return word(0) == kMagic;
    }

    // The 32-bit word at `offset`, which the caller has checked lies inside.
    std::uint32_t word(std::size_t offset) const {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            const std::size_t at = swapped_ ? offset + i : offset + 3 - i;
            value = (value << 8) | bytes_[at];
        }
        return value;
    }

    bool holds(std::uint64_t offset, std::uint64_t length) const {
        return offset <= bytes_.size() && length <= bytes_.size() - offset;
    }

    // The string described by the table entry at `entry` (its length, then its offset), up to
    // its first zero byte; none where it does not lie inside or is not ended by a zero byte.
    std::optional<std::string_view> string(std::uint64_t entry) const {
        if (!holds(entry, 8)) {
            return std::nullopt;
        }
        const std::uint32_t length = word(static_cast<std::size_t>(entry));
        const std::uint32_t offset = word(static_cast<std::size_t>(entry) + 4);
        if (!holds(offset, std::uint64_t{length} + 1) ||
            bytes_[std::size_t{offset} + length] != 0) {
            return std::nullopt;
        }
        const std::string_view text(reinterpret_cast<const char*>(bytes_.data()) + offset, length);
        return text.substr(0, text.find('\0'));
    }

private:
    std::span<const std::uint8_t> bytes_;
    bool swapped_ = false;  // the file's words are big-endian
};

}  // namespace

std::optional<MoCatalogue> MoCatalogue::read(std::span<const std::uint8_t> bytes) {
    Reader reader(bytes);
    if (!reader.readOrder() || (reader.word(4) >> 16) > 1) {
        return std::nullopt;
    }
    const std::uint64_t count = reader.word(8);
    const std::uint64_t originals = reader.word(12);
    const std::uint64_t translations = reader.word(16);
    if (!reader.holds(originals, count * 8) || !reader.holds(translations, count * 8)) {
        return std::nullopt;
    }
    MoCatalogue catalogue;
    for (std::uint64_t i = 0; i < count; ++i) {
        const auto original = reader.string(originals + i * 8);
        const auto translation = reader.string(translations + i * 8);
        if (!original || !translation) {
            return std::nullopt;
        }
        // The header (the empty msgid) and empty translations leave the English text as it is.
        if (!original->empty() && !translation->empty()) {
            catalogue.translations_.emplace(*original, *translation);
        }
    }
    return catalogue;
}

std::string_view MoCatalogue::translate(std::string_view context, std::string_view msgid) const {
    auto found = translations_.end();
    if (context.empty()) {
        found = translations_.find(msgid);
    } else {
        std::string key;
        key.reserve(context.size() + 1 + msgid.size());
        key.append(context).append(1, '\x04').append(msgid);
        found = translations_.find(key);
    }
    return found == translations_.end() ? msgid : std::string_view(found->second);
}

}  // namespace zentrix::language
