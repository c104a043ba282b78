// The window's questions around a crawl, as modal boxes captioned with the
// window's title: the failure prompt with a way to give up on the product, and
// the yes/no questions before and after a crawl.
#pragma once

#include <string_view>

#include "common/texts.h"

class QWidget;

namespace quillon::fetcher {

inline constexpr std::string_view kGiveUpButtonText = QUILLON_TEXT("quillon", "この商品は諦める");
// Asked when the start product's records of an earlier crawl are there.
inline constexpr std::string_view kResumeQuestion =
    QUILLON_TEXT("quillon",
                 "この開始商品を前に取得したときの記録が残っているわけだが。続きから取得する？"
                 "（いいえ: 最初から全部取り直す）");
// Asked after a crawl that gave up on products: %1 how many, %2 their ASINs.
inline constexpr std::string_view kAskAgainPattern = QUILLON_TEXT(
    "quillon", "諦めた商品 %1 件: %2。取得済みの記録は使い、これらをもう一度取得する？");

enum class FailureAnswer {
  GoOn,    // Yes: the product is asked for again
  GiveUp,  // the crawl moves on without the product's record
  End,     // No: the program ends
};

// The failure prompt: Yes, "この商品は諦める" and No, with the stop icon.
FailureAnswer AskFailurePrompt(QWidget& window, std::string_view text);

// A Yes/No question with the question icon; Enter gives the default answer.
bool AskQuestion(QWidget& window, std::string_view text, bool yesByDefault);

}  // namespace quillon::fetcher
