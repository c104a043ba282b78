// The settings reader on an arbitrary setting.ini: a value or the default, never
// a crash, never more than the buffer holds.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <string>

#include "common/code_page.h"
#include "common/ini_file.h"

namespace {

const std::string& folder() {
  static const std::string path = [] {
    char pattern[] = "/tmp/quillon-ini-fuzz-XXXXXX";
    const char* made = mkdtemp(pattern);
    return std::string(made ? made : "/tmp");
  }();
  return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  {
    std::ofstream out(folder() + "/setting.ini", std::ios::binary | std::ios::trunc);
    out << bytes;
  }
  for (const char* key : {"XMLPath", "CloseCount", "Prefix", "a"}) {
    const std::string value = quillon::GetIniValue(folder(), "DefaultSetting", key, "dflt");
    if (value.empty()) std::abort();  // an empty value gives the default
    if (value != "dflt" && quillon::Utf8ToCodePage(value).size() > 1023) std::abort();
  }
  (void)quillon::FindIniValue(bytes, "RequestURL", "Suffix");
  return 0;
}
