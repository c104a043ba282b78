// Element texts of a record as GetTagText gives them, with each tag folded
// once rather than at every call: the load asks for the same few tags in every
// one of its records.
#pragma once

#include <string>
#include <string_view>

#include "common/text_compare.h"
#include "common/utf8.h"

namespace quillon::grapher {

// The first element of one tag: GetTagText(text, tag, 1).
class FirstTag {
 public:
  explicit FirstTag(std::string_view tag)
      : open_(std::string("<").append(tag).append(">")),
        close_(std::string("</").append(tag).append(">")) {}

  // "" when the opening tag or the closing tag after it is missing.
  std::string_view textIn(std::string_view text) const {
    const FoldedMatch open = open_.findIn(text);
    if (!open.found()) return {};
    const FoldedMatch close = close_.findIn(text, open.end);
    if (!close.found()) return {};
    return text.substr(open.end, close.begin - open.end);
  }

 private:
  FoldedNeedle open_;
  FoldedNeedle close_;
};

// Every element of one tag in turn: GetTagText(text, tag, n) for n = 1, 2, ...
// as long as GetTagEnd(text, tag, n) is not 0.
class EachTag {
 public:
  explicit EachTag(std::string_view tag)
      : open_(std::string("<").append(tag).append(">")),
        close_(std::string("</").append(tag).append(">")) {}

  // A closing tag found for one element is the first one for every later
  // element that starts before it, and one missing is missing for all later
  // elements: each closing tag is searched for once, even in a long record
  // full of elements that are never closed.
  template <class Visit>
  void forEachIn(std::string_view text, Visit&& visit) const {
    std::size_t from = 0;
    FoldedMatch close;  // the last closing tag found, or none after closeFrom
    std::size_t closeFrom = std::string_view::npos;
    for (;;) {
      const FoldedMatch open = open_.findIn(text, from);
      if (!open.found()) return;
      // The next opening tag is looked for from one character after this one.
      from = open.begin + utf8::Decode(text, open.begin).length;
      const bool known = close.found() ? open.end <= close.begin : open.end >= closeFrom;
      if (!known) {
        close = close_.findIn(text, open.end);
        closeFrom = open.end;
      }
      visit(close.found() ? text.substr(open.end, close.begin - open.end) : std::string_view());
    }
  }

 private:
  FoldedNeedle open_;
  FoldedNeedle close_;
};

}  // namespace quillon::grapher
