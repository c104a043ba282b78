// Element text of the product answers as a reader of the XML sees it.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// Replaces the five predefined entities (&amp; &lt; &gt; &quot; &apos;) and
// the character references (&#65; &#x41;) by their characters, in one pass:
// "&amp;lt;" becomes "&lt;". A reference that is unknown, malformed or names
// a code point that XML cannot hold (a control character other than tab, LF
// and CR, a surrogate, U+FFFE, U+FFFF, above U+10FFFF) stays as written. Text without '&' costs one
// search and the copy.
std::string DecodeXmlText(std::string_view text);

}  // namespace quillon
