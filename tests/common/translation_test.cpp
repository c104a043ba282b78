#include "common/ui/translation.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTimer>
#include <QXmlStreamReader>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "common/texts.h"
#include "common/ui/window_host.h"
#include "common/ui/window_texts.h"

namespace quillon {
namespace {

struct LocaleCase {
  const char* name;
  const char* language;
  const char* lcAll;
  const char* lcMessages;
  const char* lang;
  UiLanguage expected;
};

class ChooseLanguageTest : public ::testing::TestWithParam<LocaleCase> {};

TEST_P(ChooseLanguageTest, FirstSetVariableDecides) {
  const LocaleCase& c = GetParam();
  EXPECT_EQ(ChooseLanguage(c.language, c.lcAll, c.lcMessages, c.lang), c.expected);
}

constexpr UiLanguage kEn = UiLanguage::English;
constexpr UiLanguage kJa = UiLanguage::Japanese;

INSTANTIATE_TEST_SUITE_P(
    Locales, ChooseLanguageTest,
    ::testing::Values(LocaleCase{"Unset", "", "", "", "", kJa},
                      LocaleCase{"LangEnglish", "", "", "", "en_US.UTF-8", kEn},
                      LocaleCase{"LangBareEn", "", "", "", "en", kEn},
                      LocaleCase{"LangJapanese", "", "", "", "ja_JP.UTF-8", kJa},
                      LocaleCase{"LangC", "", "", "", "C", kJa},
                      LocaleCase{"LangCUtf8", "", "", "", "C.UTF-8", kJa},
                      LocaleCase{"LangPosix", "", "", "", "POSIX", kJa},
                      LocaleCase{"NotEnglishThoughEnFirst", "", "", "", "eo_XX", kJa},
                      LocaleCase{"LcMessagesBeforeLang", "", "", "en_GB.UTF-8", "ja_JP", kEn},
                      LocaleCase{"LcAllBeforeLcMessages", "", "ja_JP.UTF-8", "en_US", "en_US", kJa},
                      LocaleCase{"LanguageFirst", "en_US", "ja_JP.UTF-8", "", "ja_JP", kEn},
                      LocaleCase{"LanguageListFirstEntry", "en:ja", "", "", "C", kEn},
                      LocaleCase{"LanguageListJapaneseFirst", "ja:en", "en_US", "", "", kJa},
                      LocaleCase{"LanguageCOverridesLang", "C", "", "", "en_US.UTF-8", kJa}),
    [](const auto& info) { return std::string(info.param.name); });

// One message of the English translation file.
struct TsMessage {
  QString context;
  QString source;
  QString translation;
  QString type;  // "unfinished", "vanished", … or empty when done
};

std::vector<TsMessage> ReadTsFile() {
  QFile file(QStringLiteral(QUILLON_TS_FILE));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << QUILLON_TS_FILE;
  QXmlStreamReader xml(&file);
  std::vector<TsMessage> messages;
  QString context;
  while (xml.readNext() != QXmlStreamReader::EndDocument && !xml.hasError()) {
    if (!xml.isStartElement()) continue;
    if (xml.name() == u"name") context = xml.readElementText();
    if (xml.name() == u"message") messages.push_back({context, {}, {}, {}});
    if (xml.name() == u"source") messages.back().source = xml.readElementText();
    if (xml.name() == u"translation") {
      messages.back().type = xml.attributes().value(QStringLiteral("type")).toString();
      messages.back().translation = xml.readElementText();
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  return messages;
}

QStringList Placeholders(const QString& text) {
  QStringList marks;
  for (const auto& match : QRegularExpression(QStringLiteral("%\\d")).globalMatch(text))
    marks << match.captured();
  marks.sort();
  return marks;
}

TEST(TranslationFile, EveryTextHasAFinishedEnglishTranslation) {
  const std::vector<TsMessage> messages = ReadTsFile();
  ASSERT_FALSE(messages.empty());
  for (const TsMessage& m : messages) {
    SCOPED_TRACE(m.source.toStdString());
    EXPECT_EQ(m.context, QString::fromLatin1(kTextContext));  // the one context looked up
    EXPECT_FALSE(m.translation.trimmed().isEmpty());
    EXPECT_TRUE(m.type.isEmpty()) << m.type.toStdString();
    EXPECT_EQ(Placeholders(m.translation), Placeholders(m.source));
    // A prefix joined to data keeps the space that parts them.
    EXPECT_EQ(m.translation.endsWith(u' '), m.source.endsWith(u' '));
  }
}

// The string literals of a C++ file, comments left out; a literal that
// continues the one before it (adjacent literals) is joined to it.
struct Literal {
  std::string text;
  bool marked = false;  // inside QUILLON_TEXT
};

std::vector<Literal> Literals(const std::string& code) {
  std::vector<Literal> literals;
  std::size_t lastEnd = std::string::npos;
  for (std::size_t i = 0; i < code.size(); ++i) {
    if (code.compare(i, 2, "//") == 0) {
      i = code.find('\n', i);
      if (i == std::string::npos) break;
    } else if (code.compare(i, 2, "/*") == 0) {
      i = code.find("*/", i);
      if (i == std::string::npos) break;
      ++i;
    } else if (code[i] == '\'' &&
               (i == 0 || !std::isalnum(static_cast<unsigned char>(code[i - 1])))) {
      i = code.find('\'', i + (code[i + 1] == '\\' ? 3 : 2));
      if (i == std::string::npos) break;
    } else if (code[i] == '"') {
      std::string text;
      std::size_t j = i + 1;
      for (; j < code.size() && code[j] != '"'; ++j) text += code[j] == '\\' ? code[++j] : code[j];
      const bool continues =
          lastEnd != std::string::npos && code.find_first_not_of(" \t\r\n", lastEnd) == i;
      if (continues) {
        literals.back().text += text;
      } else {
        const std::size_t open = code.rfind("QUILLON_TEXT(", i);
        const bool marked = open != std::string::npos && code.find(')', open) > i;
        literals.push_back({text, marked});
      }
      lastEnd = j + 1;
      i = j;
    }
  }
  return literals;
}

bool HasNonAscii(const std::string& text) {
  for (const unsigned char c : text)
    if (c >= 0x80) return true;
  return false;
}

TEST(TranslationFile, HoldsEveryJapaneseTextTheProgramsShow) {
  std::set<std::string> sources;
  for (const TsMessage& m : ReadTsFile()) sources.insert(m.source.toStdString());
  // Data rather than texts: a font family name.
  const std::set<std::string> notTexts = {"ＭＳ Ｐゴシック", "×"};  // a font name, a close glyph
  int marked = 0;
  for (const char* folder : {"common", "grapher", "fetcher"}) {
    for (const auto& entry : std::filesystem::recursive_directory_iterator(
             std::filesystem::path(QUILLON_SOURCE_DIR) / folder)) {
      const std::string extension = entry.path().extension().string();
      if (extension != ".h" && extension != ".cpp") continue;
      std::ifstream in(entry.path(), std::ios::binary);
      std::stringstream code;
      code << in.rdbuf();
      for (const Literal& literal : Literals(code.str())) {
        if (literal.marked) {
          ++marked;
          if (literal.text == kTextContext) continue;
          EXPECT_TRUE(sources.contains(literal.text))
              << entry.path() << ": \"" << literal.text
              << "\" is not in the translation file yet (build update_translations)";
        } else if (HasNonAscii(literal.text) && !notTexts.contains(literal.text)) {
          ADD_FAILURE() << entry.path() << ": \"" << literal.text
                        << "\" is shown without QUILLON_TEXT";
        }
      }
    }
  }
  EXPECT_GT(marked, 2 * 40);  // the scan did find the marked texts
}

// A window's host under the given language: a label a command sets and the
// buttons of its Yes/No question.
struct WindowCase {
  const char* name;
  UiLanguage language;
  const char* label;
  QStringList buttons;
  const char* failure;
};

class WindowLanguageTest : public ::testing::TestWithParam<WindowCase> {};

TEST_P(WindowLanguageTest, LabelsAndButtonsFollowTheLanguage) {
  const WindowCase& c = GetParam();
  const Translations translations(c.language, QStringLiteral(QUILLON_QM_FOLDER));
  EXPECT_EQ(translations.loaded(), c.language == UiLanguage::English);
  QWidget window;
  QLabel status(&window);
  QLabel status2(&window);
  WindowHost host(window, status, status2);
  window.show();

  host.setLabel(Label::Status, host.text(QUILLON_TEXT("quillon", "取得中 : ")) + "B00ＡＢ");
  EXPECT_EQ(status.text(), QString::fromUtf8(c.label));

  QStringList buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    for (QAbstractButton* button : box->buttons()) buttons << button->text();
    box->button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(host.askYesNo("?"));
  buttons.sort();
  EXPECT_EQ(buttons, c.buttons);
  EXPECT_EQ(FailureMessage(Failure(FailureKind::EmptyFile, "keywords.txt")),
            QString::fromUtf8(c.failure));
}

INSTANTIATE_TEST_SUITE_P(
    Languages, WindowLanguageTest,
    ::testing::Values(WindowCase{"English", UiLanguage::English, "Requesting: B00ＡＢ",
                                 QStringList{"No", "Yes"}, "keywords.txt is empty."},
                      WindowCase{"Japanese", UiLanguage::Japanese, "取得中 : B00ＡＢ",
                                 QStringList{"いいえ", "はい"}, "keywords.txt が空なわけだが。"}),
    [](const auto& info) { return std::string(info.param.name); });

// Qt's own texts: the buttons of a standard button box and the labels of Qt's
// file dialog speak the window's language.
struct QtTextsCase {
  const char* name;
  UiLanguage language;
  const char* save;
  const char* cancel;
  const char* lookIn;
};

class QtTextsTest : public ::testing::TestWithParam<QtTextsCase> {};

TEST_P(QtTextsTest, DialogsAndButtonsFollowTheLanguage) {
  const QtTextsCase& c = GetParam();
  const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (c.language == UiLanguage::Japanese && !QFile::exists(qtFolder + "/qtbase_ja.qm"))
    GTEST_SKIP() << "Qt's translations (qt6-translations-l10n) are not installed";
  const Translations translations(c.language, QStringLiteral(QUILLON_QM_FOLDER));

  QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
  EXPECT_EQ(box.button(QDialogButtonBox::Save)->text(), QString::fromUtf8(c.save));
  EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QString::fromUtf8(c.cancel));
  QFileDialog dialog;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  const auto* lookIn = dialog.findChild<QLabel*>(QStringLiteral("lookInLabel"));
  ASSERT_NE(lookIn, nullptr);
  EXPECT_EQ(lookIn->text(), QString::fromUtf8(c.lookIn));
}

INSTANTIATE_TEST_SUITE_P(Languages, QtTextsTest,
                         ::testing::Values(QtTextsCase{"English", UiLanguage::English, "Save",
                                                       "Cancel", "Look in:"},
                                           QtTextsCase{"Japanese", UiLanguage::Japanese, "保存",
                                                       "キャンセル", "アドレス:"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace quillon
