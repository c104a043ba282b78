// Text comparison that ignores letter case, full/half width and katakana/hiragana.
// Tag scanning and every keyword test use it, so the two programs agree.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillon {

// Equal when they differ at most in the letter case of ASCII letters: for
// names the system itself gives (setting sections and keys, True/False, headers).
bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b);

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

// A text folded once, to be searched for many needles. Each character (a kana
// with its sound mark counts as one) becomes one folded character, and bytes
// that are not UTF-8 stay as they are.
class FoldedText {
 public:
  explicit FoldedText(std::string_view text) : folded_(FoldText(text)) {}
  bool empty() const { return folded_.empty(); }  // exactly when the text was empty
  const std::string& folded() const { return folded_; }

 private:
  std::string folded_;
};

// A needle folded once and searched for in many texts.
class FoldedNeedle {
 public:
  explicit FoldedNeedle(std::string_view needle);
  bool empty() const { return folded_.empty(); }
  // First match starting at or after byte offset `from` (a code point boundary).
  FoldedMatch findIn(std::string_view haystack, std::size_t from = 0) const;
  // Whether findIn(text) finds a match, answered from the text folded once. The
  // folded text reads back as exactly the characters the comparison walks, so a
  // needle of whole characters is found by a byte search (UTF-8 only matches at
  // character starts); a needle with a byte that is not UTF-8 could match inside
  // a character, and is compared character by character.
  bool isIn(const FoldedText& text) const {
    return wholeCharacters_ ? text.folded().find(bytes_) != std::string::npos
                            : isInByCharacters(text.folded());
  }

 private:
  bool isInByCharacters(std::string_view folded) const;

  std::u32string folded_;
  std::string bytes_;  // folded_ as it appears in a FoldedText
  bool wholeCharacters_;
};

// First match of `needle` in `haystack` at or after byte offset `from`.
FoldedMatch FindFolded(std::string_view haystack, std::string_view needle, std::size_t from = 0);

// The keyword test: an empty text contains nothing; an empty keyword is
// contained in every non-empty text.
bool ContainsText(std::string_view text, std::string_view keyword);
bool ContainsText(std::string_view text, const FoldedNeedle& keyword);
inline bool ContainsText(const FoldedText& text, const FoldedNeedle& keyword) {
  return !text.empty() && keyword.isIn(text);
}

}  // namespace quillon
