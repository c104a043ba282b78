// Element text by plain text search: "<tag>" ... "</tag>", case ignored.
// Positions are 1-based byte positions in the UTF-8 text.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/text_compare.h"

namespace quillon {

// Text of the n-th "<tag>" element (n >= 1) up to the first "</tag>" after it;
// "" when either is missing.
std::string GetTagText(std::string_view text, std::string_view tag, std::int32_t n);

// Position just after the n-th "<tag>", or 0 when there are fewer than n.
std::int32_t GetTagEnd(std::string_view text, std::string_view tag, std::int32_t n);

// "<tag>" and "</tag>", folded once for a tag that is looked up in many texts.
class FoldedTag {
 public:
  explicit FoldedTag(std::string_view tag);
  const FoldedNeedle& open() const { return open_; }
  const FoldedNeedle& close() const { return close_; }

 private:
  FoldedNeedle open_;
  FoldedNeedle close_;
};

// GetTagText(text, tag, 1) as a view into `text`.
std::string_view FirstTagText(std::string_view text, const FoldedTag& tag);

// Walks the elements n = 1, 2, 3, ... of one tag in a single pass, giving the
// same texts as GetTagText for each n while GetTagEnd is not 0.
class TagWalker {
 public:
  TagWalker(std::string_view text, std::string_view tag);
  // `tag` must outlive the walker.
  TagWalker(std::string_view text, const FoldedTag& tag);
  TagWalker(const TagWalker&) = delete;
  TagWalker& operator=(const TagWalker&) = delete;

  // Moves to the next opening tag; false when there is none.
  bool next();
  // Text of the current element ("" when it has no closing tag).
  std::string_view text() const;
  // 0-based byte offset of the first character after the current opening tag.
  std::size_t contentOffset() const { return contentBegin_; }

 private:
  std::string_view text_;
  std::optional<FoldedTag> ownTag_;
  const FoldedTag* tag_;
  std::size_t searchFrom_ = 0;
  std::size_t contentBegin_ = std::string_view::npos;
  // The last closing-tag search: where it started and what it found. Elements
  // only move forward, so one search serves every element that starts before
  // the closing tag found (or after a search that found none): each closing tag
  // is searched for once, even in a long text full of elements never closed.
  mutable std::size_t closeFrom_ = std::string_view::npos;
  mutable FoldedMatch close_;
};

}  // namespace quillon
