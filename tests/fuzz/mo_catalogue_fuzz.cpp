// The catalogue reader driven by libFuzzer with any bytes as a .mo file: it must never read
// outside them, and whatever it takes in answers every lookup, with the English text wherever it
// has no translation. The seeds are catalogues msgfmt compiled, in either byte order.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "ui/language/mo_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    const auto catalogue = zentrix::language::MoCatalogue::read(bytes);
    if (!catalogue) {
        return 0;
    }
    // Look up a few texts cut from the input itself, which now and then are the file's own.
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    for (std::size_t at = 0; at + 8 <= size; at += size / 4 + 1) {
        const std::string_view msgid = text.substr(at, 8);
        for (const std::string_view context : {std::string_view{}, text.substr(0, 4)}) {
            const std::string_view translation = catalogue->translate(context, msgid);
            if (translation.empty() && !msgid.empty()) {
                std::abort();  // an empty translation must leave the English text
            }
        }
    }
    return 0;
}
