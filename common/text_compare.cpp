#include "common/text_compare.h"

#include <unicode/uchar.h>

#include <array>

#include "common/utf8.h"

namespace quillon {

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (lower(a[i]) != lower(b[i])) return false;
  return true;
}
namespace {

// Half-width katakana U+FF61..U+FF9F and their full-width forms.
constexpr std::array<char16_t, 0x3F> kHalfWidthKana = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3, 0x30A5, 0x30A7, 0x30A9,
    0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC, 0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB,
    0x30AD, 0x30AF, 0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF, 0x30C1,
    0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD, 0x30CE, 0x30CF, 0x30D2, 0x30D5,
    0x30D8, 0x30DB, 0x30DE, 0x30DF, 0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9,
    0x30EA, 0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C};

constexpr std::array<char, 128> makeLowerTable() {
  std::array<char, 128> table{};
  for (int c = 0; c < 128; ++c)
    table[c] = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return table;
}
constexpr std::array<char, 128> kLower = makeLowerTable();

}  // namespace

char32_t FoldCodePoint(char32_t c) {
  if (c < 0x80) return static_cast<char32_t>(kLower[c]);
  if (c >= utf8::kInvalidBase) return c;
  if (c >= 0xFF01 && c <= 0xFF5E) return FoldCodePoint(c - 0xFEE0);  // full-width ASCII
  if (c == 0x3000) return U' ';                                      // ideographic space
  if (c >= 0xFF61 && c <= 0xFF9F) c = kHalfWidthKana[c - 0xFF61];
  if ((c >= 0x30A1 && c <= 0x30F6) || c == 0x30FD || c == 0x30FE) return c - 0x60;  // to hiragana
  return static_cast<char32_t>(u_foldCase(static_cast<UChar32>(c), U_FOLD_CASE_DEFAULT));
}

namespace {

// The katakana (full-width) a kana stands for, or 0 when c is no kana.
char32_t asKatakana(char32_t c) {
  if (c >= 0xFF61 && c <= 0xFF9F) c = kHalfWidthKana[c - 0xFF61];
  if (c >= 0x3041 && c <= 0x3096) return c + 0x60;
  if (c >= 0x30A1 && c <= 0x30FA) return c;
  return 0;
}

// A katakana with its voiced (dakuten) or semi-voiced (handakuten) mark, or 0.
char32_t withMark(char32_t kana, bool semiVoiced) {
  const bool haRow = kana >= 0x30CF && kana <= 0x30DB && (kana - 0x30CF) % 3 == 0;
  if (semiVoiced) return haRow ? kana + 2 : 0;
  if (haRow) return kana + 1;
  if (kana >= 0x30AB && kana <= 0x30C2) return (kana - 0x30AB) % 2 == 0 ? kana + 1 : 0;
  if (kana == 0x30C4 || kana == 0x30C6 || kana == 0x30C8) return kana + 1;
  if (kana == 0x30A6) return 0x30F4;
  if (kana == 0x30EF || kana == 0x30F2) return kana + 8;
  return 0;
}

struct FoldedUnit {
  char32_t value;
  std::size_t length;
};

// The folded character at byte offset i. A kana followed by a sound mark
// (half-width or combining) folds as the one voiced kana, so ｶﾞ, ガ and が agree.
FoldedUnit foldAt(std::string_view text, std::size_t i) {
  const auto cp = utf8::Decode(text, i);
  if (cp.value >= 0x3041 && i + cp.length < text.size()) {
    const auto mark = utf8::Decode(text, i + cp.length);
    const bool voiced = mark.value == 0xFF9E || mark.value == 0x3099;
    const bool semiVoiced = mark.value == 0xFF9F || mark.value == 0x309A;
    if (voiced || semiVoiced) {
      if (const char32_t kana = asKatakana(cp.value); kana != 0) {
        if (const char32_t composed = withMark(kana, semiVoiced); composed != 0)
          return {FoldCodePoint(composed), cp.length + mark.length};
      }
    }
  }
  return {FoldCodePoint(cp.value), cp.length};
}

// For each ASCII character, the lead bytes (0xC0 to 0xFF) of the characters
// that fold to it (full-width forms, the Kelvin sign, long s, ...). Any other
// multi-byte character can be stepped over without decoding it.
using LeadMask = std::array<std::array<bool, 64>, 128>;

const LeadMask& asciiLeads() {
  static const LeadMask mask = [] {
    LeadMask m{};
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
      if (c >= 0xD800 && c <= 0xDFFF) continue;
      const char32_t folded = FoldCodePoint(c);
      if (folded >= 0x80) continue;
      std::string bytes;
      utf8::Append(bytes, c);
      m[folded][static_cast<unsigned char>(bytes[0]) - 0xC0] = true;
    }
    return m;
  }();
  return mask;
}

}  // namespace

std::string FoldText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const FoldedUnit unit = foldAt(text, i);
    utf8::Append(out, unit.value);
    i += unit.length;
  }
  return out;
}

FoldedNeedle::FoldedNeedle(std::string_view needle) : wholeCharacters_(true) {
  folded_.reserve(needle.size());
  bytes_.reserve(needle.size());
  for (std::size_t i = 0; i < needle.size();) {
    const auto b = static_cast<unsigned char>(needle[i]);
    if (b < 0x80) {  // ASCII folds on its own
      folded_.push_back(static_cast<char32_t>(kLower[b]));
      bytes_.push_back(kLower[b]);
      ++i;
      continue;
    }
    const FoldedUnit unit = foldAt(needle, i);
    folded_.push_back(unit.value);
    utf8::Append(bytes_, unit.value);
    // Only a byte that is not UTF-8 folds to a value outside Unicode.
    wholeCharacters_ = wholeCharacters_ && unit.value < utf8::kInvalidBase;
    i += unit.length;
  }
}

// Bytes that are not UTF-8 stay single bytes when the folded text is read back,
// just as the comparison took them.
bool FoldedNeedle::isInByCharacters(std::string_view haystack) const {
  for (std::size_t i = 0; i < haystack.size();) {
    const utf8::CodePoint start = utf8::Decode(haystack, i);
    std::size_t j = i;
    std::size_t k = 0;
    for (; k < folded_.size() && j < haystack.size(); ++k) {
      const utf8::CodePoint next = k == 0 ? start : utf8::Decode(haystack, j);
      if (next.value != folded_[k]) break;
      j += next.length;
    }
    if (k == folded_.size()) return true;
    i += start.length;
  }
  return false;
}

FoldedMatch FoldedNeedle::findIn(std::string_view haystack, std::size_t from) const {
  if (folded_.empty()) return from <= haystack.size() ? FoldedMatch{from, from} : FoldedMatch{};
  const char32_t first = folded_.front();
  const std::array<bool, 64>* leads = first < 0x80 ? &asciiLeads()[first] : nullptr;
  for (std::size_t i = from; i < haystack.size();) {
    const auto b = static_cast<unsigned char>(haystack[i]);
    // Fast skips: an ASCII byte starts a match only when it folds to the first
    // character; for an ASCII first character, so does only a lead byte of a
    // character that folds to it (continuation bytes are stepped over one by one).
    if (b < 0x80) {
      if (static_cast<char32_t>(kLower[b]) != first) {
        ++i;
        continue;
      }
    } else if (leads != nullptr && (b < 0xC0 || !(*leads)[b - 0xC0])) {
      ++i;
      continue;
    }
    const FoldedUnit unit = foldAt(haystack, i);
    if (unit.value == first) {
      std::size_t j = i + unit.length;
      std::size_t k = 1;
      while (k < folded_.size() && j < haystack.size()) {
        const auto c = static_cast<unsigned char>(haystack[j]);
        if (c < 0x80) {  // ASCII folds on its own, with no sound mark to join
          if (static_cast<char32_t>(kLower[c]) != folded_[k]) break;
          ++j;
          ++k;
          continue;
        }
        const FoldedUnit next = foldAt(haystack, j);
        if (next.value != folded_[k]) break;
        j += next.length;
        ++k;
      }
      if (k == folded_.size()) return {i, j};
    }
    i += unit.length;
  }
  return {};
}

FoldedMatch FindFolded(std::string_view haystack, std::string_view needle, std::size_t from) {
  return FoldedNeedle(needle).findIn(haystack, from);
}

bool ContainsText(std::string_view text, const FoldedNeedle& keyword) {
  if (text.empty()) return false;
  return keyword.empty() || keyword.findIn(text).found();
}

bool ContainsText(std::string_view text, std::string_view keyword) {
  return ContainsText(text, FoldedNeedle(keyword));
}

}  // namespace quillon
