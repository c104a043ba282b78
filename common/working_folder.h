// Where the shared files lie and how they are read and written: keywords.txt,
// StartProductASIN.txt and the product record files.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/expected.h"

namespace quillon {

// The folder that holds the running executable.
std::string ExecutableFolder();

// A program folder named on a command line: fails when it is missing or is no folder.
Status CheckProgramFolder(const std::string& programFolder);

// A file in the program folder: folder, "/", name; no doubled "/" when the
// folder already ends with one (the root folder).
std::string ProgramFilePath(const std::string& programFolder, std::string_view name);

// The record folder: setting XMLPath of section DefaultSetting, default the
// program folder; a relative value is taken relative to the program folder.
std::string RecordFolder(const std::string& programFolder);
// The same for an XMLPath value already read ("" when the setting is missing).
std::string RecordFolderOf(const std::string& programFolder, const std::string& xmlPath);

// A file in the record folder: folder, "/", name.
std::string RecordFilePath(const std::string& programFolder, std::string_view name);

// An ASIN may be used as a file name only when it cannot name a path outside
// the record folder: no "/" and no control character. "" is allowed.
bool IsSafeAsin(std::string_view asin);

// The record validity test: text of the first IsValid inside the first Request
// is exactly "True".
bool IsValidResponse(std::string_view text);

// The text of a record's first Title element, as written (escapes kept); "" when there is none.
std::string_view RecordTitle(std::string_view text);

// keywords.txt of the program folder, one keyword per line, empty lines kept.
Expected<std::vector<std::string>> ReadKeywords(const std::string& programFolder);

// First line of StartProductASIN.txt in the record folder.
Expected<std::string> ReadStartProductAsin(const std::string& programFolder);
// Makes the record folder when it is missing, then writes the file.
Status WriteStartProductAsin(const std::string& programFolder, std::string_view asin);

// The same in a record folder already looked up.
Status WriteStartProductAsinIn(const std::string& recordFolder, std::string_view asin);

// Replaces the record file of asin with text as one line (atomically).
Status WriteProductRecord(const std::string& programFolder, std::string_view asin,
                          std::string_view text);
// The same in a record folder already looked up.
Status WriteProductRecordIn(const std::string& recordFolder, std::string_view asin,
                            std::string_view text);

// The first line of the record file of asin when it is a valid record; "" when
// the file is missing, unreadable, empty or invalid, or the ASIN is unsafe.
std::string LoadProductRecord(const std::string& programFolder, std::string_view asin);

// The whole stored answer of asin (every line of its record file in
// recordFolder) when the record is valid; "" otherwise, as LoadProductRecord.
// What a crawl takes instead of asking the service again.
std::string LoadStoredAnswerFrom(const std::string& recordFolder, std::string_view asin);

// The same with the record folder already looked up (one settings read per load
// instead of one per product).
std::string LoadProductRecordFrom(const std::string& recordFolder, std::string_view asin);

// As LoadProductRecordFrom, but a record file that must not be read (not a
// regular file, or a first line beyond kMaxRecordLineBytes) is a failure that
// names it rather than "no record".
Expected<std::string> ReadProductRecordFrom(const std::string& recordFolder, std::string_view asin);

}  // namespace quillon
