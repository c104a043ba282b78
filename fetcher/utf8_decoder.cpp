#include "fetcher/utf8_decoder.h"

#include <algorithm>
#include <cstring>

namespace quillon::fetcher {
namespace {

bool isContinuation(std::uint8_t b) {
  return b >= 0x80 && b <= 0xBF;
}

// Writes one 16-bit code unit as UTF-8 and returns the position after it.
char* putCodeUnit(char* out, std::uint32_t unit) {
  if (unit < 0x80) {
    *out++ = static_cast<char>(unit);
  } else if (unit < 0x800) {
    *out++ = static_cast<char>(0xC0 | (unit >> 6));
    *out++ = static_cast<char>(0x80 | (unit & 0x3F));
  } else {
    if (unit >= 0xD800 && unit <= 0xDFFF) unit = 0xFFFD;  // a lone surrogate has no UTF-8 form
    *out++ = static_cast<char>(0xE0 | (unit >> 12));
    *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    *out++ = static_cast<char>(0x80 | (unit & 0x3F));
  }
  return out;
}

}  // namespace

std::string Utf8ToString(std::span<const std::uint8_t> bytes, std::string_view replacement) {
  const std::size_t size = bytes.size();
  // No sequence of n bytes gives more than n bytes of UTF-8, a malformed byte one replacement.
  std::string result(size * std::max<std::size_t>(1, replacement.size()), '\0');
  char* const begin = result.data();
  char* out = begin;
  std::size_t i = 0;
  while (i < size) {
    const std::uint8_t b0 = bytes[i];
    if (b0 < 0x80) {
      *out++ = static_cast<char>(b0);
      ++i;
      continue;
    }
    if (b0 >= 0xC2 && b0 <= 0xDF) {
      if (i + 1 < size && isContinuation(bytes[i + 1])) {
        out = putCodeUnit(out, ((b0 & 0x1Fu) << 6) | (bytes[i + 1] & 0x3Fu));
        i += 2;
        continue;
      }
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
      if (i + 2 < size && isContinuation(bytes[i + 1]) && isContinuation(bytes[i + 2])) {
        out = putCodeUnit(
            out, ((b0 & 0x0Fu) << 12) | ((bytes[i + 1] & 0x3Fu) << 6) | (bytes[i + 2] & 0x3Fu));
        i += 3;
        continue;
      }
    }
    if (!replacement.empty()) {
      std::memcpy(out, replacement.data(), replacement.size());
      out += replacement.size();
    }
    ++i;
  }
  result.resize(static_cast<std::size_t>(out - begin));
  return result;
}

}  // namespace quillon::fetcher
