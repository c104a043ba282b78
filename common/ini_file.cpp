#include "common/ini_file.h"

#include <fstream>
#include <iterator>
#include <optional>

#include "common/code_page.h"
#include "common/numbers.h"
#include "common/text_compare.h"
#include "common/utf8.h"
#include "common/working_folder.h"

namespace quillon {
namespace {

constexpr std::size_t kValueBytes = 1023;  // a 1024-byte buffer with its closing zero

std::string_view trim(std::string_view text) {
  const auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

// Cuts UTF-8 text to the buffer size without leaving part of a character.
std::string cutUtf8ToBuffer(std::string text) {
  if (text.size() <= kValueBytes) return text;
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t width = utf8::Decode(text, i).length;
    if (i + width > kValueBytes) break;
    i += width;
  }
  text.resize(i);
  return text;
}

// Cuts code-page bytes to the buffer size without leaving half a double-byte character.
std::string cutToBuffer(std::string bytes) {
  if (bytes.size() <= kValueBytes) return bytes;
  std::size_t i = 0;
  while (i < kValueBytes) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    const bool lead = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
    const std::size_t width = lead ? 2 : 1;
    if (i + width > kValueBytes) break;
    i += width;
  }
  bytes.resize(i);
  return bytes;
}

}  // namespace

std::string FindIniValue(std::string_view iniText, std::string_view section, std::string_view key) {
  bool inSection = false;
  std::size_t start = 0;
  while (start <= iniText.size()) {
    std::size_t end = iniText.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = iniText.size();
    const std::string_view line = trim(iniText.substr(start, end - start));
    start = end + 1;
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      const std::string_view name =
          trim(line.substr(1, close == std::string_view::npos ? line.size() - 1 : close - 1));
      if (inSection) return {};  // the key is not in the first section of that name
      inSection = EqualsIgnoringAsciiCase(name, section);
      continue;
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (!EqualsIgnoringAsciiCase(trim(line.substr(0, equals)), key)) continue;
    std::string_view value = trim(line.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return std::string(value);
  }
  return {};
}

IniFile IniFile::Read(const std::string& programFolder) {
  IniFile file;
  try {
    std::ifstream in(ProgramFilePath(programFolder, "setting.ini"), std::ios::binary);
    if (!in) return file;
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::optional<std::string> utf8 = Utf8FileText(bytes);
    file.utf8_ = utf8.has_value();
    file.text_ = utf8 ? std::move(*utf8) : CodePageToUtf8(bytes);
    file.read_ = true;
  } catch (...) {
    return IniFile();
  }
  return file;
}

std::string IniFile::value(std::string_view section, std::string_view key,
                           std::string_view defaultValue) const {
  if (!read_) return std::string(defaultValue);
  try {
    std::string value = FindIniValue(text_, section, key);
    // A UTF-8 file's values are cut in its own bytes and never pass the code page.
    value = utf8_ ? cutUtf8ToBuffer(std::move(value))
                  : CodePageToUtf8(cutToBuffer(Utf8ToCodePage(value)));
    // The reader's buffer ends at the first zero byte.
    if (const std::size_t zero = value.find('\0'); zero != std::string::npos) value.resize(zero);
    if (value.empty()) return std::string(defaultValue);
    return value;
  } catch (...) {
    return std::string(defaultValue);
  }
}

std::string GetIniValue(const std::string& programFolder, std::string_view section,
                        std::string_view key, std::string_view defaultValue) {
  return IniFile::Read(programFolder).value(section, key, defaultValue);
}

bool ReadFlag(std::string_view text) {
  if (EqualsIgnoringAsciiCase(text, "true")) return true;
  if (EqualsIgnoringAsciiCase(text, "false")) return false;
  return IsNumber(text) && LeadingNumber(text) != 0;
}

}  // namespace quillon
