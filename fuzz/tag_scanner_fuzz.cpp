// Tag scanning, folded search and element text decoding on arbitrary bytes: no
// crash, the one-pass walker agrees with the repeated scans, a text folded once
// answers as the search in the text itself, and escaped text decodes back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "common/tag_scanner.h"
#include "common/text_compare.h"
#include "common/xml_text.h"

namespace {

std::string EscapeMarkup(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else
      out += c;
  }
  return out;
}

// Decoding never lengthens a text, and gives back a text that was escaped.
void CheckDecoding(std::string_view text) {
  if (quillon::DecodeXmlText(text).size() > text.size()) std::abort();
  if (quillon::DecodeXmlText(EscapeMarkup(text)) != text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  // The first byte picks the tag length; the tag comes from the input too.
  const std::size_t tagLength = 1 + data[0] % 8;
  if (size < 1 + tagLength) return 0;
  const std::string_view tag(reinterpret_cast<const char*>(data + 1), tagLength);
  const std::string_view text(reinterpret_cast<const char*>(data + 1 + tagLength),
                              size - 1 - tagLength);
  CheckDecoding(text);
  // The search in a text folded once finds what the search with its fast skips finds.
  if (quillon::ContainsText(quillon::FoldedText(text), quillon::FoldedNeedle(tag)) !=
      quillon::ContainsText(text, tag))
    std::abort();
  const quillon::FoldedTag folded(tag);
  if (quillon::FirstTagText(text, folded) != quillon::GetTagText(text, tag, 1)) std::abort();
  quillon::TagWalker walker(text, folded);
  for (std::int32_t n = 1; n <= 4; ++n) {
    const bool found = walker.next();
    const std::int32_t end = quillon::GetTagEnd(text, tag, n);
    if (found != (end != 0)) std::abort();
    if (quillon::GetTagText(text, tag, n) != (found ? walker.text() : std::string_view()))
      std::abort();
    if (!found) break;
    if (end < 1 || static_cast<std::size_t>(end) > text.size() + 1) std::abort();
  }
  return 0;
}
