// Minimal UTF-8 walking for the comparison and the scanners.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon::utf8 {

struct CodePoint {
  char32_t value;
  unsigned length;  // bytes taken from the text (1 for a byte that is not valid UTF-8)
};

// Bytes that are not valid UTF-8 come back as kInvalidBase + byte, a value
// outside Unicode, so that they only ever match themselves.
inline constexpr char32_t kInvalidBase = 0x110000;

inline CodePoint Decode(std::string_view s, std::size_t i) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  if (b0 < 0x80) return {b0, 1};
  auto cont = [&](std::size_t k) {
    return i + k < s.size() && (static_cast<unsigned char>(s[i + k]) & 0xC0) == 0x80;
  };
  auto byte = [&](std::size_t k) { return static_cast<char32_t>(s[i + k]) & 0x3F; };
  if (b0 >= 0xC2 && b0 <= 0xDF && cont(1)) return {((b0 & 0x1Fu) << 6) | byte(1), 2};
  if (b0 >= 0xE0 && b0 <= 0xEF && cont(1) && cont(2)) {
    const char32_t c = ((b0 & 0x0Fu) << 12) | (byte(1) << 6) | byte(2);
    if (c >= 0x800) return {c, 3};
  }
  if (b0 >= 0xF0 && b0 <= 0xF4 && cont(1) && cont(2) && cont(3)) {
    const char32_t c = ((b0 & 0x07u) << 18) | (byte(1) << 12) | (byte(2) << 6) | byte(3);
    if (c >= 0x10000 && c <= 0x10FFFF) return {c, 4};
  }
  return {kInvalidBase + b0, 1};
}

// True when every byte belongs to a valid UTF-8 sequence.
inline bool IsValid(std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const CodePoint cp = Decode(text, i);
    if (cp.value >= kInvalidBase) return false;
    i += cp.length;
  }
  return true;
}

inline void Append(std::string& out, char32_t c) {
  if (c >= kInvalidBase) {
    out.push_back(static_cast<char>(c - kInvalidBase));
  } else if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace quillon::utf8
