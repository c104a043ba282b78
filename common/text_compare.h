// Text comparison that ignores letter case, full/half width and katakana/hiragana.
// Tag scanning and every keyword test use it, so the two programs agree.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

// Folds one code point: simple case folding, full-width ASCII to ASCII,
// half-width katakana to full-width, katakana to hiragana.
char32_t FoldCodePoint(char32_t c);

// Folds a whole UTF-8 text (bytes that are not valid UTF-8 stay as they are).
std::string FoldText(std::string_view text);

struct FoldedMatch {
  std::size_t begin = std::string_view::npos;  // byte offset in the haystack
  std::size_t end = std::string_view::npos;    // one past the matched bytes
  bool found() const { return begin != std::string_view::npos; }
};

// A needle folded once and searched for in many texts.
class FoldedNeedle {
 public:
  explicit FoldedNeedle(std::string_view needle);
  bool empty() const { return folded_.empty(); }
  // First match starting at or after byte offset `from` (a code point boundary).
  FoldedMatch findIn(std::string_view haystack, std::size_t from = 0) const;

 private:
  std::u32string folded_;
};

// First match of `needle` in `haystack` at or after byte offset `from`.
FoldedMatch FindFolded(std::string_view haystack, std::string_view needle, std::size_t from = 0);

// The keyword test: an empty text contains nothing; an empty keyword is
// contained in every non-empty text.
bool ContainsText(std::string_view text, std::string_view keyword);
bool ContainsText(std::string_view text, const FoldedNeedle& keyword);

}  // namespace quillon
