#include "common/xml_text.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

#include "common/utf8.h"

namespace quillon {
namespace {

struct Reference {
  char32_t character;
  std::size_t length;  // bytes from '&' to ';', both included
};

constexpr std::array<std::pair<std::string_view, char32_t>, 5> kEntities{{
    {"amp;", U'&'},
    {"lt;", U'<'},
    {"gt;", U'>'},
    {"quot;", U'"'},
    {"apos;", U'\''},
}};

int DigitValue(char c, unsigned base) {
  if (c >= '0' && c <= '9') return c - '0';
  if (base == 16 && c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (base == 16 && c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The character reference after "&#" in `rest` ("65;" or "x41;").
std::optional<Reference> NumericReference(std::string_view rest) {
  const bool hex = !rest.empty() && rest.front() == 'x';
  const unsigned base = hex ? 16 : 10;
  std::size_t i = hex ? 1 : 0;
  const std::size_t firstDigit = i;
  char32_t value = 0;
  for (int digit = 0; i < rest.size() && (digit = DigitValue(rest[i], base)) >= 0; ++i) {
    // Past U+10FFFF the value stops growing: leading zeros may be many, digits may not.
    if (value <= 0x10FFFF) value = value * base + static_cast<char32_t>(digit);
  }
  if (i == firstDigit || i >= rest.size() || rest[i] != ';') return std::nullopt;
  // Only characters an XML document may hold: a title decoded from "&#1;"
  // would make every SVG or GraphML written from it unreadable.
  const bool control = value < 0x20 && value != '\t' && value != '\n' && value != '\r';
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (control || surrogate || value == 0xFFFE || value == 0xFFFF || value > 0x10FFFF)
    return std::nullopt;
  return Reference{value, i + 3};  // "&#" and ';'
}

// The reference that starts at the '&' at `text[at]`, if it is one.
std::optional<Reference> ReferenceAt(std::string_view text, std::size_t at) {
  const std::string_view rest = text.substr(at + 1);
  if (!rest.empty() && rest.front() == '#') return NumericReference(rest.substr(1));
  for (const auto& [name, character] : kEntities) {
    if (rest.starts_with(name)) return Reference{character, name.size() + 1};
  }
  return std::nullopt;
}

}  // namespace

std::string DecodeXmlText(std::string_view text) {
  std::size_t amp = text.find('&');
  if (amp == std::string_view::npos) return std::string(text);
  std::string out;
  out.reserve(text.size());
  std::size_t plainStart = 0;
  for (; amp != std::string_view::npos; amp = text.find('&', amp + 1)) {
    const std::optional<Reference> reference = ReferenceAt(text, amp);
    if (!reference) continue;
    out.append(text, plainStart, amp - plainStart);
    utf8::Append(out, reference->character);
    plainStart = amp + reference->length;
    amp = plainStart - 1;
  }
  out.append(text, plainStart);
  return out;
}

}  // namespace quillon
