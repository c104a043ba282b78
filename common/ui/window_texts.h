// What the windows say in their message boxes, worded once in Japanese like the
// windows themselves and shown in the user's language; the command lines word
// the same failures in English.
#pragma once

#include <QString>
#include <string_view>

#include "common/failure.h"

namespace quillon {

// UTF-8 text, as the core holds it, for a widget.
QString ToQString(std::string_view text);

// A failure as a window reports it.
QString FailureMessage(const Failure& failure);
// A failure nobody foresaw, given by the text of its exception.
QString UnexpectedFailureMessage(std::string_view what);

// The buttons of the message boxes.
QString YesButtonText();
QString NoButtonText();
QString OkButtonText();

}  // namespace quillon
