#include "common/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <functional>
#include <random>
#include <streambuf>
#include <thread>
#include <utility>

namespace quillon {

// Buffers the content and writes it to the temporary file; the first error
// stops all further writing and is kept for the report.
class AtomicFile::Buffer final : public std::streambuf {
 public:
  Buffer(int fd, int error) : fd_(fd), error_(error) {
    setp(space_.data(), space_.data() + space_.size());
  }
  ~Buffer() override {
    if (fd_ >= 0) ::close(fd_);
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
  int error_;
  std::array<char, 1 << 16> space_;
};

namespace {

// Opens a new file named after the target in the target's folder. Mode 0666
// lets the umask decide, as for any file the programs create.
struct Temporary {
  int fd = -1;
  int error = 0;
  std::string name;
};

Temporary createTemporary(const std::string& path) {
  const std::filesystem::path target(path);
  const std::filesystem::path folder =
      target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");
  const std::string prefix = (folder / ("." + target.filename().string() + ".tmp-")).string();
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::mt19937_64 random(
      static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
      (static_cast<std::uint64_t>(::getpid()) << 32) ^
      std::hash<std::thread::id>{}(std::this_thread::get_id()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix;
    for (int k = 0; k < 6; ++k) name += kLetters[random() % (sizeof kLetters - 1)];
    const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return {fd, 0, std::move(name)};
    if (errno != EEXIST) return {-1, errno, {}};
  }
  return {-1, EEXIST, {}};
}

}  // namespace

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
