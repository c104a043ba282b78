// Element texts of a record as GetTagText gives them, with each tag folded
// once rather than at every call: the load asks for the same few tags in every
// one of its records.
#pragma once

#include <string_view>

#include "common/tag_scanner.h"

namespace quillon::grapher {

// The first element of one tag: GetTagText(text, tag, 1).
class FirstTag {
 public:
  explicit FirstTag(std::string_view tag) : tag_(tag) {}

  // "" when the opening tag or the closing tag after it is missing.
  std::string_view textIn(std::string_view text) const { return FirstTagText(text, tag_); }

 private:
  FoldedTag tag_;
};

// Every element of one tag in turn: GetTagText(text, tag, n) for n = 1, 2, ...
// as long as GetTagEnd(text, tag, n) is not 0.
class EachTag {
 public:
  explicit EachTag(std::string_view tag) : tag_(tag) {}

  template <class Visit>
  void forEachIn(std::string_view text, Visit&& visit) const {
    TagWalker walker(text, tag_);
    while (walker.next()) visit(walker.text());
  }

 private:
  FoldedTag tag_;
};

}  // namespace quillon::grapher
