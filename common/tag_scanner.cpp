#include "common/tag_scanner.h"

#include <limits>
#include <string>

#include "common/utf8.h"

namespace quillon {

// Appended rather than "<" + std::string(tag): GCC 12 warns falsely (-Wrestrict) at -O3.
FoldedTag::FoldedTag(std::string_view tag)
    : open_(std::string("<").append(tag).append(">")),
      close_(std::string("</").append(tag).append(">")) {}

TagWalker::TagWalker(std::string_view text, std::string_view tag)
    : text_(text), ownTag_(std::in_place, tag), tag_(&*ownTag_) {}

TagWalker::TagWalker(std::string_view text, const FoldedTag& tag) : text_(text), tag_(&tag) {}

bool TagWalker::next() {
  const FoldedMatch match = tag_->open().findIn(text_, searchFrom_);
  if (!match.found()) {
    contentBegin_ = std::string_view::npos;
    searchFrom_ = text_.size();
    return false;
  }
  contentBegin_ = match.end;
  // The next search starts one character after this match.
  searchFrom_ = match.begin + utf8::Decode(text_, match.begin).length;
  return true;
}

std::string_view TagWalker::text() const {
  if (contentBegin_ == std::string_view::npos) return {};
  const bool known = closeFrom_ != std::string_view::npos &&
                     (close_.found() ? close_.begin >= contentBegin_ : closeFrom_ <= contentBegin_);
  if (!known) {
    close_ = tag_->close().findIn(text_, contentBegin_);
    closeFrom_ = contentBegin_;
  }
  if (!close_.found()) return {};
  return text_.substr(contentBegin_, close_.begin - contentBegin_);
}

std::string_view FirstTagText(std::string_view text, const FoldedTag& tag) {
  TagWalker walker(text, tag);
  return walker.next() ? walker.text() : std::string_view();
}

std::string GetTagText(std::string_view text, std::string_view tag, std::int32_t n) {
  if (n < 1) return {};
  TagWalker walker(text, tag);
  for (std::int32_t i = 0; i < n; ++i)
    if (!walker.next()) return {};
  return std::string(walker.text());
}

std::int32_t GetTagEnd(std::string_view text, std::string_view tag, std::int32_t n) {
  if (n < 1) return 0;
  TagWalker walker(text, tag);
  for (std::int32_t i = 0; i < n; ++i)
    if (!walker.next()) return 0;
  const std::size_t position = walker.contentOffset() + 1;
  return position > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())
             ? std::numeric_limits<std::int32_t>::max()
             : static_cast<std::int32_t>(position);
}

}  // namespace quillon
