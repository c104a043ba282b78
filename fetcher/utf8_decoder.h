// The program's own decoder for response bodies sent in UTF-8.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace quillon::fetcher {

// Decodes one- to three-byte sequences; every byte that does not start a valid
// sequence becomes one copy of `replacement` (dropped when it is empty). Four-byte
// sequences are not decoded, overlong three-byte forms are, U+FEFF and U+0000 stay.
// The result is UTF-8; an encoded surrogate (which no UTF-8 text may hold) gives
// U+FFFD.
std::string Utf8ToString(std::span<const std::uint8_t> bytes, std::string_view replacement);

}  // namespace quillon::fetcher
