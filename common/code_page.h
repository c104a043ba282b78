// Text files in the Windows-31J code page (CP932), read and written by line, so
// that they stay interchangeable with files written on Japanese Windows systems.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/expected.h"

namespace quillon {

// UTF-8 to Windows-31J; characters the code page cannot hold become "?".
std::string Utf8ToCodePage(std::string_view utf8);
// Windows-31J to UTF-8; bytes that are not valid in the code page become U+FFFD.
std::string CodePageToUtf8(std::string_view bytes);

// Splits code-page bytes into lines: a line ends at CR or CR LF; a lone LF
// stays in the line. Text after the last line end is a line of its own.
std::vector<std::string> SplitLines(std::string_view bytes);
// Splits UTF-8 text into lines: a line ends at CR, CR LF or LF.
std::vector<std::string> SplitUtf8Lines(std::string_view text);

// The text of a file that a user writes (setting.ini, keywords.txt,
// StartProductASIN.txt) when it is UTF-8: it starts with a UTF-8 byte order mark
// (dropped; invalid sequences become U+FFFD), or it is valid UTF-8 and not plain
// ASCII, as files written on Linux are. Nothing when it is in the code page.
std::optional<std::string> Utf8FileText(std::string_view bytes);

// Reads every line of a text file that a user writes, converted to UTF-8: a
// UTF-8 file (see Utf8FileText) by SplitUtf8Lines, a code-page file by SplitLines,
// or at LF too when it holds no CR at all.
Expected<std::vector<std::string>> ReadTextLines(const std::string& path);
// Reads the first line only (fails on an empty file).
Expected<std::string> ReadFirstLine(const std::string& path);
// The longest first line of a record that is read: far beyond any answer.
inline constexpr std::size_t kMaxRecordLineBytes = std::size_t{64} << 20;

// The first line of a file this system writes (a record): the code page and its
// line ends, or UTF-8 after a UTF-8 byte order mark; fails on an empty file
// or an empty first line. Nothing after the first CR is read; a first line
// longer than maxBytes fails (EFBIG). Every reader here fails on what is not a
// regular file (a FIFO, a device).
Expected<std::string> ReadFirstCodePageLine(const std::string& path,
                                            std::size_t maxBytes = kMaxRecordLineBytes);
// The whole text of a file this system writes as one line (a record), with the
// one CR LF written after it dropped: line ends inside the text are kept, so an
// answer with line breaks comes back as it was stored. Fails on an empty file.
Expected<std::string> ReadCodePageRecord(const std::string& path);

// Replaces a file by the given lines, each followed by CR LF. The text goes to a
// temporary file in the same folder that is then renamed over the old one, so a
// crash mid-write never leaves a partial or emptied file behind. A file that
// already holds exactly these bytes keeps them (no rename) and gets the
// current time as its modification time.
Status WriteTextLinesAtomic(const std::string& path, const std::vector<std::string>& lines);
// The same for one line, converted without a copy of its own (a record).
Status WriteTextLineAtomic(const std::string& path, std::string_view line);

}  // namespace quillon
