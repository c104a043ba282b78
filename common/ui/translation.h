// The language the windows and progress lines speak: Japanese, the program's
// own texts, unless the environment asks for English.
#pragma once

#include <QString>
#include <memory>
#include <string>
#include <string_view>

#include "common/host.h"

class QTranslator;

namespace quillon {

enum class UiLanguage { Japanese, English };

// The language named by the first of LANGUAGE (its first entry), LC_ALL,
// LC_MESSAGES and LANG that is set and non-empty: English for "en…", Japanese for
// anything else, C and POSIX included. Unset variables are passed as "".
UiLanguage ChooseLanguage(std::string_view language, std::string_view lcAll,
                          std::string_view lcMessages, std::string_view lang);
// ChooseLanguage over this process's environment.
UiLanguage EnvironmentLanguage();

// The folder of our .qm files: "translations" in the installed data folder (the
// build tree mirrors the install); empty when there is none.
QString TranslationsFolder();

// A fixed text (a QUILLON_TEXT) in the language of the translations installed
// on the application; the text itself when there are none.
QString UiText(std::string_view source);

// Our texts and Qt's own in one language, for as long as this lives; installed
// on the application when there is one (construct it after the application).
class Translations {
 public:
  explicit Translations(UiLanguage language, const QString& folder = TranslationsFolder());
  ~Translations();
  Translations(const Translations&) = delete;
  Translations& operator=(const Translations&) = delete;

  // Whether our texts were found for a language other than Japanese.
  bool loaded() const { return ours_ != nullptr; }
  // Translates for a Host, with or without an application; valid while this lives.
  Host::TextTranslator translator() const;

 private:
  std::unique_ptr<QTranslator> ours_;
  std::unique_ptr<QTranslator> qts_;
};

}  // namespace quillon
