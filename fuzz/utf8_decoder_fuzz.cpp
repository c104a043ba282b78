// The response decoder on arbitrary bytes: always valid UTF-8 out, never more
// characters than bytes in, and ASCII passes unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>

#include "fetcher/utf8_decoder.h"

namespace {

bool isValidUtf8(const std::string& text) {
  for (std::size_t i = 0; i < text.size();) {
    const auto b = static_cast<unsigned char>(text[i]);
    const std::size_t length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : 0;
    if (length == 0 || i + length > text.size()) return false;
    for (std::size_t k = 1; k < length; ++k)
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    i += length;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const std::string dropped = quillon::fetcher::Utf8ToString(bytes, "");
  const std::string replaced = quillon::fetcher::Utf8ToString(bytes, "?");
  if (!isValidUtf8(dropped) || !isValidUtf8(replaced)) std::abort();
  if (dropped.size() > size * 3 || replaced.size() > size * 3) std::abort();
  bool ascii = true;
  for (std::size_t i = 0; i < size; ++i) ascii = ascii && data[i] < 0x80;
  if (ascii && dropped != std::string(reinterpret_cast<const char*>(data), size)) std::abort();
  return 0;
}
