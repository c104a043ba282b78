#include "common/working_folder.h"

#include <unistd.h>

#include <cerrno>

#include <filesystem>

#include "common/code_page.h"
#include "common/ini_file.h"
#include "common/tag_scanner.h"

namespace quillon {

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return std::filesystem::current_path(error).string();
  return exe.parent_path().string();
}

Status CheckProgramFolder(const std::string& programFolder) {
  std::error_code error;
  if (std::filesystem::is_directory(programFolder, error)) return Success();
  if (std::filesystem::exists(programFolder, error))
    return Failure{FailureKind::ProgramFolderNotAFolder, programFolder};
  return Failure{FailureKind::ProgramFolderMissing, programFolder};
}

std::string ProgramFilePath(const std::string& programFolder, std::string_view name) {
  if (!programFolder.empty() && programFolder.back() == '/')
    return programFolder + std::string(name);
  return programFolder + "/" + std::string(name);
}

std::string RecordFolder(const std::string& programFolder) {
  return RecordFolderOf(programFolder, GetIniValue(programFolder, "DefaultSetting", "XMLPath", ""));
}

std::string RecordFolderOf(const std::string& programFolder, const std::string& xmlPath) {
  if (xmlPath.empty()) return programFolder;
  if (xmlPath.front() != '/') return ProgramFilePath(programFolder, xmlPath);
  return xmlPath;
}

std::string RecordFilePath(const std::string& programFolder, std::string_view name) {
  return RecordFolder(programFolder) + "/" + std::string(name);
}

bool IsSafeAsin(std::string_view asin) {
  for (const char c : asin) {
    const auto b = static_cast<unsigned char>(c);
    if (c == '/' || b < 0x20 || b == 0x7F) return false;
  }
  return true;
}

bool IsValidResponse(std::string_view text) {
  // Every record read asks for these two tags: they are folded once.
  static const FoldedTag kRequest("Request");
  static const FoldedTag kIsValid("IsValid");
  return FirstTagText(FirstTagText(text, kRequest), kIsValid) == "True";
}

std::string_view RecordTitle(std::string_view text) {
  static const FoldedTag kTitle("Title");  // asked of every answer of a crawl
  return FirstTagText(text, kTitle);
}

Expected<std::vector<std::string>> ReadKeywords(const std::string& programFolder) {
  return ReadTextLines(ProgramFilePath(programFolder, "keywords.txt"));
}

Expected<std::string> ReadStartProductAsin(const std::string& programFolder) {
  return ReadFirstLine(RecordFilePath(programFolder, "StartProductASIN.txt"));
}

Status WriteStartProductAsin(const std::string& programFolder, std::string_view asin) {
  return WriteStartProductAsinIn(RecordFolder(programFolder), asin);
}

Status WriteStartProductAsinIn(const std::string& recordFolder, std::string_view asin) {
  // The first file a crawl writes: a record folder that is not there yet (a new
  // user's "records") is made. When it cannot be, the write names the reason.
  std::error_code error;
  std::filesystem::create_directories(recordFolder, error);
  return WriteTextLinesAtomic(recordFolder + "/StartProductASIN.txt", {std::string(asin)});
}

Status WriteProductRecord(const std::string& programFolder, std::string_view asin,
                          std::string_view text) {
  return WriteProductRecordIn(RecordFolder(programFolder), asin, text);
}

Status WriteProductRecordIn(const std::string& recordFolder, std::string_view asin,
                            std::string_view text) {
  if (!IsSafeAsin(asin)) return Failure{FailureKind::UnsafeAsin, std::string(asin)};
  return WriteTextLineAtomic(recordFolder + "/" + std::string(asin) + ".xml", text);
}

Expected<std::string> ReadProductRecordFrom(const std::string& recordFolder,
                                            std::string_view asin) {
  if (!IsSafeAsin(asin)) return std::string();
  Expected<std::string> line =
      ReadFirstCodePageLine(recordFolder + "/" + std::string(asin) + ".xml");
  if (!line) {
    const Failure& failure = line.failure();
    if (failure.kind == FailureKind::NotARegularFile || failure.error == EFBIG) return failure;
    return std::string();
  }
  if (!IsValidResponse(line.value())) return std::string();
  return line;
}

std::string LoadProductRecordFrom(const std::string& recordFolder, std::string_view asin) {
  Expected<std::string> record = ReadProductRecordFrom(recordFolder, asin);
  if (!record) return {};
  return std::move(record).value();
}

std::string LoadStoredAnswerFrom(const std::string& recordFolder, std::string_view asin) {
  if (!IsSafeAsin(asin)) return {};
  Expected<std::string> text = ReadCodePageRecord(recordFolder + "/" + std::string(asin) + ".xml");
  if (!text || !IsValidResponse(text.value())) return {};
  return std::move(text).value();
}

std::string LoadProductRecord(const std::string& programFolder, std::string_view asin) {
  return LoadProductRecordFrom(RecordFolder(programFolder), asin);
}

}  // namespace quillon
