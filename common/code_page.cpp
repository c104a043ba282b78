#include "common/code_page.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <memory>
#include <stdexcept>

#include "common/atomic_file.h"
#include "common/utf8.h"

namespace quillon {
namespace {

struct ConverterCloser {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, ConverterCloser>;

// Writes "?" for every character the code page lacks. ICU's own substitute
// callback drops the "default ignorable" ones (U+FEFF, soft hyphen, U+200B,
// variation selectors) instead, so they would vanish from a record silently.
void substituteEveryCharacter(const void*, UConverterFromUnicodeArgs* args, const UChar*, int32_t,
                              UChar32, UConverterCallbackReason reason, UErrorCode* status) {
  if (reason > UCNV_IRREGULAR) return;  // reset, close or clone: nothing to write
  *status = U_ZERO_ERROR;
  ucnv_cbFromUWriteSub(args, 0, status);
}

// One converter per thread, opened on first use: every record file and every
// settings read converts, and opening a converter costs more than a short line.
// Each conversion call resets it, so nothing carries over between texts.
UConverter* codePage() {
  thread_local const Converter converter = [] {
    UErrorCode status = U_ZERO_ERROR;
    Converter opened(ucnv_open("windows-31j", &status));
    if (U_FAILURE(status)) throw std::runtime_error("ICU has no Windows-31J converter");
    ucnv_setSubstChars(opened.get(), "?", 1, &status);
    ucnv_setFromUCallBack(opened.get(), substituteEveryCharacter, nullptr, nullptr, nullptr,
                          &status);
    if (U_FAILURE(status)) throw std::runtime_error("ICU cannot set the substitute callback");
    return opened;
  }();
  return converter.get();
}

bool isAscii(std::string_view text) {
  for (const char c : text)
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  return true;
}

std::u16string utf8ToUtf16(std::string_view utf8) {
  std::u16string out(utf8.size(), u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                       &length, utf8.data(), static_cast<int32_t>(utf8.size()), 0xFFFD, nullptr,
                       &status);
  out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return out;
}

std::string utf16ToUtf8(std::u16string_view utf16) {
  std::string out(utf16.size() * 3, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length,
                     reinterpret_cast<const UChar*>(utf16.data()),
                     static_cast<int32_t>(utf16.size()), 0xFFFD, nullptr, &status);
  out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return out;
}

std::string toCodePage(UConverter* converter, std::string_view utf8) {
  if (isAscii(utf8)) return std::string(utf8);
  const std::u16string utf16 = utf8ToUtf16(utf8);
  std::string out(utf16.size() * 2 + 2, '\0');
  UErrorCode status = U_ZERO_ERROR;
  const int32_t length = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                         reinterpret_cast<const UChar*>(utf16.data()),
                                         static_cast<int32_t>(utf16.size()), &status);
  out.resize(U_SUCCESS(status) ? static_cast<std::size_t>(length) : 0);
  return out;
}

// Converts a long UTF-8 text piece by piece onto the end of `out`, so that it
// never has a UTF-16 copy of its own; pieces end at character starts.
void appendCodePage(UConverter* converter, std::string_view utf8, std::string& out) {
  constexpr std::size_t kPiece = std::size_t{1} << 16;
  // No character takes more bytes in the code page than in UTF-8.
  out.reserve(out.size() + utf8.size());
  std::size_t start = 0;
  while (start < utf8.size()) {
    std::size_t end = std::min(utf8.size(), start + kPiece);
    // Back to the start of a character (one of at most four bytes).
    for (int back = 0;
         back < 3 && end < utf8.size() && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80;
         ++back)
      --end;
    out += toCodePage(converter, utf8.substr(start, end - start));
    start = end;
  }
}

// Converts code-page bytes to UTF-8 through small buffers; plain ASCII is
// returned as it came.
std::string fromCodePage(UConverter* converter, std::string&& bytes) {
  if (isAscii(bytes)) return bytes;
  ucnv_resetToUnicode(converter);
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  constexpr std::size_t kUnits = std::size_t{1} << 14;
  std::vector<UChar> units(kUnits);
  std::vector<char> utf8(kUnits * 3);
  const char* source = bytes.data();
  const char* const sourceEnd = source + bytes.size();
  UErrorCode status = U_ZERO_ERROR;
  do {
    status = U_ZERO_ERROR;
    UChar* target = units.data();
    ucnv_toUnicode(converter, &target, units.data() + units.size(), &source, sourceEnd, nullptr,
                   true, &status);
    if (U_FAILURE(status) && status != U_BUFFER_OVERFLOW_ERROR) return {};
    int32_t length = 0;
    UErrorCode written = U_ZERO_ERROR;
    u_strToUTF8WithSub(utf8.data(), static_cast<int32_t>(utf8.size()), &length, units.data(),
                       static_cast<int32_t>(target - units.data()), 0xFFFD, nullptr, &written);
    if (U_FAILURE(written)) return {};
    out.append(utf8.data(), static_cast<std::size_t>(length));
  } while (status == U_BUFFER_OVERFLOW_ERROR);
  return out;
}

std::string fromCodePage(UConverter* converter, std::string_view bytes) {
  return fromCodePage(converter, std::string(bytes));
}

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

// A file descriptor closed on every path.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// Opening does not wait for a writer (O_NONBLOCK), and a FIFO or a device (a
// link to /dev/zero) is then refused before anything is read from it.
FileDescriptor openForReading(const std::string& path) {
  return FileDescriptor(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
}

Status checkRegularFile(const std::string& path, const FileDescriptor& fd, struct stat& info) {
  if (fd.get() < 0) return Failure{FailureKind::CannotReadFile, path, errno};
  if (::fstat(fd.get(), &info) != 0) return Failure{FailureKind::CannotReadFile, path, errno};
  if (S_ISDIR(info.st_mode)) return Failure{FailureKind::CannotReadFile, path, EISDIR};
  if (!S_ISREG(info.st_mode)) return Failure{FailureKind::NotARegularFile, path};
  return Success();
}

// Reads a regular file a piece at a time, handing each piece to `take` until it
// returns false or the file ends.
template <typename Take>
Status readPieces(const std::string& path, Take take) {
  const FileDescriptor fd = openForReading(path);
  struct stat info {};
  if (Status regular = checkRegularFile(path, fd, info); !regular) return regular;
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return Failure{FailureKind::CannotReadFile, path, errno};
    }
    if (n == 0 || !take(std::string_view(buffer, static_cast<std::size_t>(n)))) return Success();
  }
}

Expected<std::string> readBytes(const std::string& path) {
  std::string bytes;
  const Status read = readPieces(path, [&bytes](std::string_view piece) {
    bytes.append(piece);
    return true;
  });
  if (!read) return read.failure();
  return bytes;
}

}  // namespace

std::string Utf8ToCodePage(std::string_view utf8) {
  return toCodePage(codePage(), utf8);
}

std::string CodePageToUtf8(std::string_view bytes) {
  return fromCodePage(codePage(), bytes);
}

namespace {

// Lines ending at any byte of `ends`; CR LF counts as one line end.
std::vector<std::string> splitAt(std::string_view text, const char* ends) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find_first_of(ends, start);
    if (end == std::string_view::npos) {
      lines.emplace_back(text.substr(start));
      break;
    }
    lines.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return lines;
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view bytes) {
  return splitAt(bytes, "\r");
}

std::vector<std::string> SplitUtf8Lines(std::string_view text) {
  return splitAt(text, "\r\n");
}

std::optional<std::string> Utf8FileText(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Bom)) {
    const std::string_view text = bytes.substr(kUtf8Bom.size());
    if (utf8::IsValid(text)) return std::string(text);
    return utf16ToUtf8(utf8ToUtf16(text));
  }
  // Windows-31J text is almost never valid UTF-8 as well; plain ASCII is both
  // and keeps the code page's line rules.
  if (isAscii(bytes) || !utf8::IsValid(bytes)) return std::nullopt;
  return std::string(bytes);
}

Expected<std::vector<std::string>> ReadTextLines(const std::string& path) {
  Expected<std::string> bytes = readBytes(path);
  if (!bytes) return bytes.failure();
  if (const std::optional<std::string> text = Utf8FileText(bytes.value()))
    return SplitUtf8Lines(*text);
  // A file with no CR at all was written with LF line ends (an editor or echo on
  // Linux): its lines end at LF, which no Windows-31J character contains.
  std::vector<std::string> lines = bytes.value().find('\r') == std::string::npos
                                       ? SplitUtf8Lines(bytes.value())
                                       : SplitLines(bytes.value());
  for (std::string& line : lines) line = fromCodePage(codePage(), line);
  return lines;
}

Expected<std::string> ReadFirstLine(const std::string& path) {
  Expected<std::vector<std::string>> lines = ReadTextLines(path);
  if (!lines) return lines.failure();
  if (lines.value().empty()) return Failure{FailureKind::EmptyFile, path};
  return std::move(lines).value().front();
}

namespace {

// The bytes of a file up to its first CR (not included), read a piece at a
// time so that whatever follows the first line is never read. More than
// maxBytes before the CR is refused.
Expected<std::string> readUpToFirstCr(const std::string& path, std::size_t maxBytes) {
  std::string bytes;
  bool tooLong = false;
  const Status read = readPieces(path, [&](std::string_view piece) {
    const std::size_t cr = piece.find('\r');
    bytes.append(piece.substr(0, cr));
    tooLong = bytes.size() > maxBytes;
    return !tooLong && cr == std::string_view::npos;
  });
  if (!read) return read.failure();
  if (tooLong) return Failure{FailureKind::CannotReadFile, path, EFBIG};
  return bytes;
}

// The text of record bytes: code page, or UTF-8 after a UTF-8 byte order mark.
Expected<std::string> recordText(const std::string& path, std::string content) {
  const bool utf8 = content.starts_with(kUtf8Bom);
  const std::size_t begin = utf8 ? kUtf8Bom.size() : 0;
  if (content.size() == begin) return Failure{FailureKind::EmptyFile, path};
  content.erase(0, begin);
  if (utf8) return content;
  return fromCodePage(codePage(), std::move(content));
}

}  // namespace

Expected<std::string> ReadFirstCodePageLine(const std::string& path, std::size_t maxBytes) {
  Expected<std::string> bytes = readUpToFirstCr(path, maxBytes);
  if (!bytes) return bytes.failure();
  return recordText(path, std::move(bytes).value());
}

Expected<std::string> ReadCodePageRecord(const std::string& path) {
  Expected<std::string> bytes = readBytes(path);
  if (!bytes) return bytes.failure();
  std::string content = std::move(bytes).value();
  if (content.ends_with("\r\n")) content.resize(content.size() - 2);
  return recordText(path, std::move(content));
}

namespace {

// Whether the file at path holds exactly these bytes, read a piece at a time.
bool fileHolds(const std::string& path, std::string_view bytes) {
  FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
      static_cast<std::size_t>(info.st_size) != bytes.size())
    return false;
  char buffer[65536];
  std::size_t compared = 0;
  for (;;) {
    const ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n == 0 && compared == bytes.size();
    const auto count = static_cast<std::size_t>(n);
    if (compared + count > bytes.size() ||
        bytes.compare(compared, count, std::string_view(buffer, count)) != 0)
      return false;
    compared += count;
  }
}

Status writeBytesAtomic(const std::string& path, const std::string& bytes) {
  // Rewriting the same bytes changes nothing but costs a file system round
  // trip (a rename over an existing file makes ext4 flush at once): a re-crawl
  // of unchanged answers only renews the file's time, which says when it was
  // last written (the age of a stored record). Where the time cannot be set,
  // the file is written anew.
  if (fileHolds(path, bytes) && ::utimensat(AT_FDCWD, path.c_str(), nullptr, 0) == 0)
    return Success();
  AtomicFile file(path);
  file.stream() << bytes;
  return file.commit();
}

}  // namespace

Status WriteTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) {
    appendCodePage(codePage(), line, bytes);
    bytes += "\r\n";
  }
  return writeBytesAtomic(path, bytes);
}

Status WriteTextLineAtomic(const std::string& path, std::string_view line) {
  std::string bytes;
  appendCodePage(codePage(), line, bytes);
  bytes += "\r\n";
  return writeBytesAtomic(path, bytes);
}

}  // namespace quillon
