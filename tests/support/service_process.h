// Runs the project's programs as real child processes: the product service on a
// free loopback port for as long as a test needs it, or any program to its end.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace quillon::testing {

// A program of this build: $QUILLON_BIN_DIR (set for every test) / relativePath.
std::string BuiltProgram(std::string_view relativePath);

struct ProgramResult {
  int exitCode = -1;  // 128 + signal number when a signal ended it
  std::string out;
  std::string err;
};

// Runs a program (no shell) to its end and captures both outputs; a program
// still running after the time-out is killed.
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         std::chrono::milliseconds timeout = std::chrono::seconds(120));

// A program started in the background with its output thrown away, for tests
// that end it on purpose; killed and reaped when the object goes.
class ChildProcess {
 public:
  ChildProcess(const std::string& program, const std::vector<std::string>& args);
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Sends the signal and reaps the child; its exit code as ProgramResult counts it.
  int kill(int signal);
  // Waits for the child to end by itself (killing it after the time-out).
  int wait(std::chrono::milliseconds timeout);

 private:
  pid_t pid_ = -1;
  int exitCode_ = -1;
};

// The product-service executable started with the given arguments and
// "--port 0"; it is stopped and reaped when the object goes.
class ServiceProcess {
 public:
  // Throws std::runtime_error, with the service's error output, when it does
  // not announce its Prefix and Suffix.
  explicit ServiceProcess(const std::vector<std::string>& args);
  ~ServiceProcess();
  ServiceProcess(const ServiceProcess&) = delete;
  ServiceProcess& operator=(const ServiceProcess&) = delete;

  const std::string& prefix() const { return prefix_; }
  const std::string& suffix() const { return suffix_; }
  std::string url(std::string_view asin) const { return prefix_ + std::string(asin) + suffix_; }
  int port() const { return port_; }
  pid_t pid() const { return pid_; }

  // Sends SIGTERM and waits; the exit code as ProgramResult counts it.
  int stop();

 private:
  pid_t pid_ = -1;
  int stdoutFd_ = -1;
  std::string errPath_;
  std::string prefix_;
  std::string suffix_;
  int port_ = 0;
  int exitCode_ = -1;
};

}  // namespace quillon::testing
