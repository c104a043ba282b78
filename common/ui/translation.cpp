#include "common/ui/translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QTranslator>
#include <cstdlib>

#include "common/program_folder.h"
#include "common/texts.h"

namespace quillon {
namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? std::string_view(value) : std::string_view();
}

bool IsEnglish(std::string_view locale) {
  if (!locale.starts_with("en")) return false;
  // "en", "en_US.UTF-8", "en@quot", "en-GB"; not "eno…".
  return locale.size() == 2 || locale.find_first_of("_.@-", 2) == 2;
}

std::unique_ptr<QTranslator> Load(const QString& name, const QString& folder) {
  auto translator = std::make_unique<QTranslator>();
  // An empty folder would mean the working folder, which holds no texts of ours.
  if (folder.isEmpty() || !translator->load(name, folder)) return nullptr;
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::installTranslator(translator.get());
  return translator;
}

QByteArray Utf8(std::string_view text) {
  return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

UiLanguage ChooseLanguage(std::string_view language, std::string_view lcAll,
                          std::string_view lcMessages, std::string_view lang) {
  // LANGUAGE is a list of preferences; its first non-empty entry decides.
  while (language.starts_with(':')) language.remove_prefix(1);
  language = language.substr(0, language.find(':'));
  for (const std::string_view value : {language, lcAll, lcMessages, lang}) {
    if (!value.empty()) return IsEnglish(value) ? UiLanguage::English : UiLanguage::Japanese;
  }
  return UiLanguage::Japanese;
}

UiLanguage EnvironmentLanguage() {
  return ChooseLanguage(Environment("LANGUAGE"), Environment("LC_ALL"), Environment("LC_MESSAGES"),
                        Environment("LANG"));
}

// Kept to one place so that the install layout's own lookup can replace it.
QString TranslationsFolder() {
  const QString folder =
      QDir(QString::fromStdString(InstalledDataFolder())).filePath(QStringLiteral("translations"));
  return QFileInfo(folder).isDir() ? folder : QString();
}

QString UiText(std::string_view source) {
  return QCoreApplication::translate(kTextContext, Utf8(source).constData());
}

Translations::Translations(UiLanguage language, const QString& folder) {
  const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (language == UiLanguage::English) {
    // Qt's own texts are English already.
    ours_ = Load(QStringLiteral("quillon_en"), folder);
  } else {
    // Our texts are Japanese already; Qt's own dialogs follow when Qt ships them.
    qts_ = Load(QStringLiteral("qtbase_ja"), qtFolder);
  }
}

Translations::~Translations() = default;

Host::TextTranslator Translations::translator() const {
  const QTranslator* ours = ours_.get();
  return [ours](std::string_view source) {
    if (ours == nullptr) return std::string(source);
    const QString text = ours->translate(kTextContext, Utf8(source).constData());
    return text.isEmpty() ? std::string(source) : text.toStdString();
  };
}

}  // namespace quillon
