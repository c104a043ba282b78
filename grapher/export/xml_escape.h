// Text as XML character data for the exports.
#pragma once

#include <string>
#include <string_view>

namespace quillon::grapher {

// Markup escaped; what XML 1.0 cannot hold (control characters, broken UTF-8)
// replaced by U+FFFD so that every reader accepts it; CR as a reference, which
// XML's line-end handling leaves alone.
std::string XmlEscape(std::string_view text);

}  // namespace quillon::grapher
