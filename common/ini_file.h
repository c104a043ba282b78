// Reading one value of setting.ini in the program folder.
#pragma once

#include <string>
#include <string_view>

namespace quillon {

// Value of key in section of <programFolder>/setting.ini; the default when the
// file, section or key is missing, the value is empty, or anything fails.
// Section and key ignore letter case; blanks and one pair of quotes around the
// value are removed (what is between the quotes is kept); the value is cut to
// 1023 bytes of the code page, or of UTF-8 when the file is UTF-8 (see
// Utf8FileText).
std::string GetIniValue(const std::string& programFolder, std::string_view section,
                        std::string_view key, std::string_view defaultValue);

// The same lookup on the text of an INI file already in memory (UTF-8).
std::string FindIniValue(std::string_view iniText, std::string_view section, std::string_view key);

// setting.ini read once, for a program that reads several settings at one
// moment: every value() answers as GetIniValue would have at the read.
class IniFile {
 public:
  static IniFile Read(const std::string& programFolder);
  std::string value(std::string_view section, std::string_view key,
                    std::string_view defaultValue) const;

 private:
  std::string text_;   // as UTF-8
  bool utf8_ = false;  // the file itself was UTF-8
  bool read_ = false;  // false: every value is the default
};

// A True/False setting: "True" or "False" in any letter case, or a number (0 is
// false); anything else is false.
bool ReadFlag(std::string_view text);

}  // namespace quillon
