// What went wrong and what it concerns, with no wording: each front end words
// a failure in its own language (the command lines in English, the windows in
// Japanese).
#pragma once

#include <string>

namespace quillon {

enum class FailureKind {
  Message,                  // detail holds the whole text, in English (command lines only)
  CannotReadFile,           // subject: the file
  CannotWriteFile,          // subject: the file
  EmptyFile,                // subject: the file
  NotARegularFile,          // subject: a FIFO, device or socket where a file is read
  NoStartAsin,              // subject: StartProductASIN.txt, whose first line is empty
  NoStartProductFile,       // subject: StartProductASIN.txt, missing: no crawl has been made here
  ProgramFolderMissing,     // subject: the folder given with --folder
  ProgramFolderNotAFolder,  // subject: the path given with --folder
  ProgramFolderNotCreated,  // subject: the per-user program folder, which cannot be made
  RecordFolderMissing,      // subject: the record folder (setting XMLPath)
  RecordFolderNotAFolder,   // subject: the path the setting XMLPath names
  RecordFolderLocked,       // subject: the record folder, which may not be entered
  UnsafeAsin,               // subject: an ASIN that could name a file outside the record folder
  UnknownStartProduct,      // subject: the start ASIN, for which the service names no product
  MissingPrefix,            // subject: setting.ini, whose [RequestURL] Prefix is missing or empty
  NoProductData,            // the keyword graph asked for before any load
  NoKeyWords,               // the keyword graph asked for with keywords.txt empty
};

struct Failure {
  // A failure already worded, for the command lines only.
  explicit Failure(std::string message) : kind(FailureKind::Message), detail(std::move(message)) {}
  explicit Failure(FailureKind kindIn, std::string subjectIn = {}, int errorIn = 0,
                   std::string detailIn = {})
      : kind(kindIn), subject(std::move(subjectIn)), error(errorIn), detail(std::move(detailIn)) {}

  FailureKind kind;
  std::string subject;  // the file, folder or ASIN it concerns
  int error = 0;        // errno of the system call that failed; 0 when none did
  std::string detail;   // the reason when there is no errno (a library's words)
};

// The failure as the command lines print it, in English.
std::string FailureText(const Failure& failure);

}  // namespace quillon
