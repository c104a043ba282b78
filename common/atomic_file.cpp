#include "common/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <streambuf>
#include <string_view>
#include <thread>
#include <utility>

namespace quillon {

// Buffers the content and writes it to the temporary file; the first error
// stops all further writing and is kept for the report. A second descriptor of
// the file keeps its lock after the file is closed, until the AtomicFile ends
// (by then the temporary name is renamed or removed).
class AtomicFile::Buffer final : public std::streambuf {
 public:
  Buffer(int fd, int error)
      : fd_(fd), lock_(fd >= 0 ? ::fcntl(fd, F_DUPFD_CLOEXEC, 0) : -1), error_(error) {
    setp(space_.data(), space_.data() + space_.size());
  }
  ~Buffer() override {
    if (fd_ >= 0) ::close(fd_);
    if (lock_ >= 0) ::close(lock_);
  }
  Buffer(const Buffer&) = delete;
  Buffer& operator=(const Buffer&) = delete;

  int error() const { return error_; }

  bool setMode(mode_t mode) {
    if (error_ != 0 || fd_ < 0) return false;
    if (::fchmod(fd_, mode) == 0) return true;
    error_ = errno;
    return false;
  }

  // Writes out what is buffered and closes the file, so that an error a
  // deferred write only shows at close is seen too.
  bool finish() {
    if (!drain()) return false;
    if (::close(std::exchange(fd_, -1)) != 0) {
      error_ = errno;
      return false;
    }
    return true;
  }

 protected:
  int_type overflow(int_type c) override {
    if (!drain()) return traits_type::eof();
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
      *pptr() = traits_type::to_char_type(c);
      pbump(1);
    }
    return traits_type::not_eof(c);
  }

  std::streamsize xsputn(const char* bytes, std::streamsize count) override {
    if (count < static_cast<std::streamsize>(space_.size()))
      return std::streambuf::xsputn(bytes, count);
    // Large pieces go straight to the file instead of through the buffer.
    if (!drain() || !writeAll(bytes, static_cast<std::size_t>(count))) return 0;
    return count;
  }

  int sync() override { return drain() ? 0 : -1; }

 private:
  bool drain() {
    if (error_ != 0 || fd_ < 0) return error_ == 0 && pptr() == pbase();
    const bool written = writeAll(pbase(), static_cast<std::size_t>(pptr() - pbase()));
    setp(space_.data(), space_.data() + space_.size());
    return written;
  }

  bool writeAll(const char* bytes, std::size_t count) {
    while (count > 0) {
      const ssize_t n = ::write(fd_, bytes, count);
      if (n < 0) {
        if (errno == EINTR) continue;
        error_ = errno;
        return false;
      }
      bytes += n;
      count -= static_cast<std::size_t>(n);
    }
    return true;
  }

  int fd_;
  int lock_;
  int error_;
  std::array<char, 1 << 16> space_;
};

namespace {

constexpr std::string_view kTemporaryMark = ".tmp-";
constexpr std::size_t kRandomLetters = 6;

// The longest file name the folder takes (255 on the usual file systems).
std::size_t longestName(const std::filesystem::path& folder) {
  const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  return longest > 0 ? static_cast<std::size_t>(longest) : 255;
}

// "." + the target's name + ".tmp-" + 6 letters. The part taken from the
// target's name is shortened (at a character start) when the whole would not
// fit where the target's own name does.
std::string temporaryStem(const std::string& name, std::size_t longest) {
  const std::size_t added = 1 + kTemporaryMark.size() + kRandomLetters;
  std::size_t keep = name.size();
  if (keep + added > longest) {
    keep = longest > added ? longest - added : 0;
    while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80) --keep;
  }
  std::string stem;
  stem.reserve(keep + added);
  stem += '.';
  stem.append(name, 0, keep);
  stem += kTemporaryMark;
  return stem;
}

struct Temporary {
  int fd = -1;
  int error = 0;
  std::string name;
};

// Whether name still names the file open as fd (a cleaner may have removed it
// between its creation and its lock).
bool stillNamed(int fd, const std::string& name) {
  struct stat opened {};
  struct stat named {};
  return ::fstat(fd, &opened) == 0 && ::stat(name.c_str(), &named) == 0 &&
         opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Opens a new file named after the target in the target's folder and locks it,
// so that RemoveStaleTemporaryFiles can tell it from one whose writer died.
// Mode 0666 lets the umask decide, as for any file the programs create.
Temporary createTemporary(const std::string& path) {
  const std::filesystem::path target(path);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  const std::string prefix =
      (folder / temporaryStem(target.filename().string(), longestName(folder))).string();
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::mt19937_64 random(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<std::uint64_t>(::getpid()) << 32) ^
      std::hash<std::thread::id>{}(std::this_thread::get_id()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (std::size_t k = 0; k < kRandomLetters; ++k)
      name += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno != EEXIST) return {-1, errno, {}};
      continue;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 ? stillNamed(fd, name) : errno != EWOULDBLOCK)
      return {fd, 0, std::move(name)};  // locked, or on a file system without locks
    ::close(fd);
  }
  return {-1, EEXIST, {}};
}

// A name AtomicFile gives its temporary files.
bool isTemporaryName(std::string_view name) {
  const std::size_t tail = kTemporaryMark.size() + kRandomLetters;
  if (name.size() < 1 + tail || name.front() != '.') return false;
  const std::string_view letters = name.substr(name.size() - kRandomLetters);
  return name.substr(name.size() - tail, kTemporaryMark.size()) == kTemporaryMark &&
         std::all_of(letters.begin(), letters.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
         });
}

}  // namespace

int RemoveStaleTemporaryFiles(const std::string& folder) {
  int removed = 0;
  std::error_code error;
  for (std::filesystem::directory_iterator entries(folder, error), end; !error && entries != end;
       entries.increment(error)) {
    const std::string name = entries->path().filename().string();
    std::error_code kind;
    if (!isTemporaryName(name) || !entries->is_regular_file(kind)) continue;
    const std::string path = entries->path().string();
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) continue;
    // A living writer holds its lock until the file is renamed or removed.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::unlink(path.c_str()) == 0) ++removed;
    ::close(fd);
  }
  return removed;
}

AtomicFile::AtomicFile(std::string path) : path_(std::move(path)), stream_(nullptr) {
  Temporary created = createTemporary(path_);
  buffer_ = std::make_unique<Buffer>(created.fd, created.error);
  temporary_ = std::move(created.name);
  stream_.rdbuf(buffer_.get());
  if (created.fd < 0) stream_.setstate(std::ios::badbit);
}

AtomicFile::~AtomicFile() {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
}

Status AtomicFile::commit() {
  if (temporary_.empty()) return fail(buffer_->error() != 0 ? buffer_->error() : EBADF);
  // A file that is replaced keeps its mode; a new one has the mode the umask gives.
  struct stat existing {};
  const bool replaces = ::stat(path_.c_str(), &existing) == 0 && S_ISREG(existing.st_mode);
  if (replaces && !buffer_->setMode(existing.st_mode & 07777)) return fail(buffer_->error());
  if (!buffer_->finish()) return fail(buffer_->error());
  if (stream_.fail()) return fail(EIO);
  if (::rename(temporary_.c_str(), path_.c_str()) != 0) return fail(errno);
  temporary_.clear();
  return Success();
}

Failure AtomicFile::fail(int error) {
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  temporary_.clear();
  return Failure{FailureKind::CannotWriteFile, path_, error};
}

}  // namespace quillon
