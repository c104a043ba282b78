#include "grapher/export/xml_escape.h"

#include "common/utf8.h"

namespace quillon::grapher {
namespace {

// Whether XML can hold the decoded character as it is: not broken UTF-8, a
// surrogate or U+FFFE/U+FFFF.
bool XmlCanHold(utf8::CodePoint cp) {
  const bool surrogate = cp.value >= 0xD800 && cp.value <= 0xDFFF;
  return cp.value < utf8::kInvalidBase && !surrogate && cp.value != 0xFFFE && cp.value != 0xFFFF;
}

}  // namespace

std::string XmlEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const char c = text[i];
    const utf8::CodePoint cp = utf8::Decode(text, i);
    if (!XmlCanHold(cp)) {
      out += "\xEF\xBF\xBD";  // U+FFFD for each byte
      ++i;
      continue;
    }
    const std::size_t length = cp.length;
    if (length > 1) {
      out.append(text, i, length);
    } else if (c == '&') {
      out += "&amp;";
    } else if (c == '<') {
      out += "&lt;";
    } else if (c == '>') {
      out += "&gt;";
    } else if (c == '"') {
      out += "&quot;";
    } else if (c == '\r') {
      out += "&#13;";  // a raw CR would be read back as LF
    } else if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r') {
      out += "\xEF\xBF\xBD";
    } else {
      out += c;
    }
    i += length;
  }
  return out;
}

}  // namespace quillon::grapher
