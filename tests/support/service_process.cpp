#include "tests/support/service_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

extern char** environ;

namespace quillon::testing {

namespace {

using Clock = std::chrono::steady_clock;

class SpawnActions {
 public:
  SpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~SpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  SpawnActions(const SpawnActions&) = delete;
  SpawnActions& operator=(const SpawnActions&) = delete;
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

struct Pipe {
  int read = -1;
  int write = -1;
  Pipe() {
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    read = fds[0];
    write = fds[1];
  }
};

pid_t spawn(const std::string& program, const std::vector<std::string>& args,
            SpawnActions& actions) {
  std::vector<std::string> argv{program};
  argv.insert(argv.end(), args.begin(), args.end());
  std::vector<char*> pointers;
  for (auto& arg : argv) pointers.push_back(arg.data());
  pointers.push_back(nullptr);
  pid_t pid = -1;
  const int error =
      posix_spawn(&pid, program.c_str(), actions.get(), nullptr, pointers.data(), environ);
  if (error != 0) {
    throw std::runtime_error("cannot start " + program + ": " + std::strerror(error));
  }
  return pid;
}

int exitCodeOf(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Waits for the child up to the time limit; -2 when it is still running.
int waitFor(pid_t pid, std::chrono::milliseconds limit) {
  const auto deadline = Clock::now() + limit;
  while (true) {
    int status = 0;
    const pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) return exitCodeOf(status);
    if (done < 0 && errno != EINTR) return -1;
    if (Clock::now() >= deadline) return -2;
    usleep(2000);
  }
}

int remainingMs(Clock::time_point deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
  return static_cast<int>(std::max<std::int64_t>(0, left.count()));
}

std::string readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

}  // namespace

std::string BuiltProgram(std::string_view relativePath) {
  const char* folder = std::getenv("QUILLON_BIN_DIR");
  if (folder != nullptr && *folder != '\0')
    return std::string(folder) + "/" + std::string(relativePath);
  // Otherwise the test programs lie in <build>/tests/<area>/.
  std::error_code error;
  const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) throw std::runtime_error("QUILLON_BIN_DIR is not set; run the tests through CTest");
  return (self.parent_path().parent_path().parent_path() / relativePath).string();
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         std::chrono::milliseconds timeout) {
  Pipe out;
  Pipe err;
  SpawnActions actions;
  posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(actions.get(), out.write, 1);
  posix_spawn_file_actions_adddup2(actions.get(), err.write, 2);
  pid_t pid = -1;
  try {
    pid = spawn(program, args, actions);
  } catch (...) {
    for (int fd : {out.read, out.write, err.read, err.write}) close(fd);
    throw;
  }
  close(out.write);
  close(err.write);

  ProgramResult result;
  const auto deadline = Clock::now() + timeout;
  pollfd fds[2] = {{out.read, POLLIN, 0}, {err.read, POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open = 2;
  bool timedOut = false;
  while (open > 0) {
    const int ready = poll(fds, 2, remainingMs(deadline));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) {
      timedOut = true;
      break;
    }
    for (int i = 0; i < 2; ++i) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      char buffer[65536];
      const ssize_t got = read(fds[i].fd, buffer, sizeof buffer);
      if (got > 0) {
        sinks[i]->append(buffer, static_cast<std::size_t>(got));
      } else if (got == 0 || errno != EINTR) {
        close(fds[i].fd);
        fds[i].fd = -1;
        --open;
      }
    }
  }
  for (const auto& fd : fds) {
    if (fd.fd >= 0) close(fd.fd);
  }
  if (timedOut) kill(pid, SIGKILL);
  int code = waitFor(pid, std::chrono::seconds(timedOut ? 10 : 60));
  if (code == -2) {
    kill(pid, SIGKILL);
    code = waitFor(pid, std::chrono::seconds(10));
  }
  result.exitCode = code;
  if (timedOut) result.err += "\n[killed after the time-out]";
  return result;
}

ServiceProcess::ServiceProcess(const std::vector<std::string>& args) {
  const std::string program = BuiltProgram("service/product-service");
  char errTemplate[] = "/tmp/quillon-service-err-XXXXXX";
  const int errFd = mkstemp(errTemplate);
  if (errFd < 0) throw std::runtime_error("mkstemp failed");
  close(errFd);
  errPath_ = errTemplate;

  Pipe out;
  SpawnActions actions;
  posix_spawn_file_actions_addopen(actions.get(), 0, "/dev/null", O_RDONLY, 0);
  posix_spawn_file_actions_adddup2(actions.get(), out.write, 1);
  posix_spawn_file_actions_addopen(actions.get(), 2, errPath_.c_str(), O_WRONLY | O_TRUNC, 0);
  std::vector<std::string> all = args;
  all.insert(all.end(), {"--port", "0"});
  try {
    pid_ = spawn(program, all, actions);
  } catch (...) {
    close(out.read);
    close(out.write);
    unlink(errPath_.c_str());
    throw;
  }
  close(out.write);
  stdoutFd_ = out.read;

  // Sanitizer builds start slowly; a healthy service answers in well under a second.
  const auto deadline = Clock::now() + std::chrono::seconds(30);
  std::string text;
  std::string failure;
  while (prefix_.empty() || suffix_.empty()) {
    pollfd ready{stdoutFd_, POLLIN, 0};
    const int polled = poll(&ready, 1, remainingMs(deadline));
    if (polled < 0 && errno == EINTR) continue;
    if (polled <= 0) {
      failure = "product-service did not announce its Prefix and Suffix in time";
      break;
    }
    char buffer[4096];
    const ssize_t got = read(stdoutFd_, buffer, sizeof buffer);
    if (got <= 0) {
      failure = "product-service ended before announcing its Prefix and Suffix";
      break;
    }
    text.append(buffer, static_cast<std::size_t>(got));
    std::size_t lineEnd;
    while ((lineEnd = text.find('\n')) != std::string::npos) {
      const std::string line = text.substr(0, lineEnd);
      text.erase(0, lineEnd + 1);
      if (line.rfind("Prefix=", 0) == 0) prefix_ = line.substr(7);
      if (line.rfind("Suffix=", 0) == 0) suffix_ = line.substr(7);
    }
  }
  if (!failure.empty()) {
    const int code = stop();
    const std::string err = readFile(errPath_);
    close(stdoutFd_);
    unlink(errPath_.c_str());
    throw std::runtime_error(failure + " (exit code " + std::to_string(code) + "): " + err);
  }
  // "http://127.0.0.1:PORT/products/"
  const auto colon = prefix_.rfind(':');
  if (colon != std::string::npos) port_ = std::atoi(prefix_.c_str() + colon + 1);
}

int ServiceProcess::stop() {
  if (pid_ <= 0) return exitCode_;
  kill(pid_, SIGTERM);
  int code = waitFor(pid_, std::chrono::seconds(10));
  if (code == -2) {
    kill(pid_, SIGKILL);
    code = waitFor(pid_, std::chrono::seconds(10));
  }
  pid_ = -1;
  exitCode_ = code;
  return code;
}

ServiceProcess::~ServiceProcess() {
  stop();
  if (stdoutFd_ >= 0) close(stdoutFd_);
  if (!errPath_.empty()) unlink(errPath_.c_str());
}

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
  SpawnActions actions;
  posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(actions.get(), STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_ = spawn(program, args, actions);
}

ChildProcess::~ChildProcess() {
  kill(SIGKILL);
}

int ChildProcess::kill(int signal) {
  if (pid_ <= 0) return exitCode_;
  ::kill(pid_, signal);
  exitCode_ = waitFor(pid_, std::chrono::seconds(30));
  pid_ = -1;
  return exitCode_;
}

int ChildProcess::wait(std::chrono::milliseconds timeout) {
  if (pid_ <= 0) return exitCode_;
  const int code = waitFor(pid_, timeout);
  if (code == -2) return kill(SIGKILL);
  pid_ = -1;
  exitCode_ = code;
  return exitCode_;
}

}  // namespace quillon::testing
