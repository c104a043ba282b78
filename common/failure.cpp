#include "common/failure.h"

#include <cstring>

namespace quillon {
namespace {

std::string Reason(const Failure& failure) {
  if (!failure.detail.empty()) return failure.detail;
  return failure.error != 0 ? std::strerror(failure.error) : "unknown reason";
}

std::string Quoted(const std::string& text) {
  return "\"" + text + "\"";
}

}  // namespace

std::string FailureText(const Failure& failure) {
  const std::string& subject = failure.subject;
  switch (failure.kind) {
    case FailureKind::Message:
      return failure.detail;
    case FailureKind::CannotReadFile:
      return "Cannot read file " + subject + ": " + Reason(failure) + ".";
    case FailureKind::CannotWriteFile:
      return "Cannot write file " + subject + ": " + Reason(failure) + ".";
    case FailureKind::EmptyFile:
      return "File " + subject + " is empty.";
    case FailureKind::NotARegularFile:
      return subject + " is not a regular file (a pipe or a device), so it is not read.";
    case FailureKind::NoStartProductFile:
      return "File " + subject +
             " does not exist: collect product data with the fetcher first, or name the folder "
             "that holds it (--folder, or XMLPath in setting.ini).";
    case FailureKind::NoStartAsin:
      return "File " + subject + " has no ASIN on its first line.";
    case FailureKind::ProgramFolderMissing:
      return "The folder " + subject + " does not exist.";
    case FailureKind::ProgramFolderNotAFolder:
      return subject + " is not a folder.";
    case FailureKind::ProgramFolderNotCreated:
      return "Cannot create the program folder " + subject + ": " + Reason(failure) + ".";
    case FailureKind::RecordFolderMissing:
      return "The record folder " + subject + " does not exist.";
    case FailureKind::RecordFolderNotAFolder:
      return "The record folder " + subject + " is not a folder.";
    case FailureKind::RecordFolderLocked:
      return "The record folder " + subject + " cannot be opened (permission denied).";
    case FailureKind::UnsafeAsin:
      return "The ASIN " + Quoted(subject) +
             " cannot be used: it could name a file outside the record folder.";
    case FailureKind::UnknownStartProduct:
      return "The start ASIN " + Quoted(subject) +
             " names no product: the service's answer for it has no title.";
    case FailureKind::MissingPrefix:
      return "The setting Prefix in section [RequestURL] of " + subject + " is missing or empty.";
    case FailureKind::NoProductData:
      return "No product data is loaded, so there is no keyword graph to draw.";
    case FailureKind::NoKeyWords:
      return "keywords.txt holds no keyword, so there is no keyword graph to draw.";
  }
  return failure.detail;
}

}  // namespace quillon
