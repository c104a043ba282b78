// Marking of the fixed texts a user reads (labels, progress, questions), so that
// lupdate collects them into translations/ and a front end can show them in the
// user's language. The Japanese text stays the program's own text and the
// fallback; data (ASINs, titles, numbers, settings) is never marked.
#pragma once

// Expands to the text itself. The context is always "quillon": lupdate needs it
// written out (it reads this as QT_TRANSLATE_NOOP), and the front ends look the
// text up in that one context.
#define QUILLON_TEXT(context, text) text

#include <cstddef>
#include <initializer_list>
#include <string>
#include <string_view>

namespace quillon {

inline constexpr const char* kTextContext = "quillon";

// The pattern with %1 ... %9 replaced by the values in order, so that a
// translation may put the data where its language wants it.
inline std::string FillText(std::string_view pattern,
                            std::initializer_list<std::string_view> values) {
  std::string text;
  text.reserve(pattern.size() + 32);
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const auto n = static_cast<std::size_t>(next - '1');
    if (pattern[i] == '%' && next >= '1' && next <= '9' && n < values.size()) {
      text += values.begin()[n];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace quillon
