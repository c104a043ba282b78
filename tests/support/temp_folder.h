// A real folder under the system's temporary folder, removed with its content
// when the test ends.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quillon::testing {

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string file(std::string_view name) const { return path_ + "/" + std::string(name); }
  // Writes raw bytes (no conversion) to a file in the folder.
  void write(std::string_view name, std::string_view bytes) const;
  // Raw bytes of a file in the folder; "" when missing.
  std::string read(std::string_view name) const;
  bool exists(std::string_view name) const;

 private:
  std::string path_;
};

}  // namespace quillon::testing
