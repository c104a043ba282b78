// Marking of the fixed texts a user reads (labels, progress, questions), so that
// lupdate collects them into translations/ and a front end can show them in the
// user's language. The Japanese text stays the program's own text and the
// fallback; data (ASINs, titles, numbers, settings) is never marked.
#pragma once

// Expands to the text itself. The context is always "quillon": lupdate needs it
// written out (it reads this as QT_TRANSLATE_NOOP), and the front ends look the
// text up in that one context.
#define QUILLON_TEXT(context, text) text

namespace quillon {

inline constexpr const char* kTextContext = "quillon";

}  // namespace quillon
