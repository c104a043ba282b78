// A file replaced all at once: the new content goes to a temporary file beside
// the target, and only a successful commit() renames it over the target. A
// crash or a failure mid-write never leaves a partial or emptied file behind.
#pragma once

#include <memory>
#include <ostream>
#include <string>

#include "common/expected.h"

namespace quillon {

class AtomicFile {
 public:
  // Creates the temporary file in the target's folder, readable as a file
  // created by open(2) would be; a target that exists keeps its own mode. Its
  // name is "." + the target's name + ".tmp-" + 6 letters or digits, the
  // target's name shortened so that it fits wherever the target's name does;
  // it is locked (flock) while this object lives. A failure here shows in
  // stream() and commit().
  explicit AtomicFile(std::string path);
  // Without a successful commit the temporary file is removed.
  ~AtomicFile();
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Where the new content goes; bad once anything failed, and writes then do nothing.
  std::ostream& stream() { return stream_; }

  // Flushes, closes and renames the temporary file over the target. On failure
  // the target is as it was, no temporary file remains, and the message names
  // the target and the reason. Call it once.
  Status commit();

 private:
  class Buffer;

  Failure fail(int error);

  std::string path_;
  std::string temporary_;  // "" when there is none (not created, renamed or removed)
  std::unique_ptr<Buffer> buffer_;
  std::ostream stream_;
};

// Removes the temporary files of AtomicFile writers that ended without a
// commit or a clean-up (a killed program) from folder: files named as above
// whose lock nobody holds. Files of living writers stay. Returns how many went.
int RemoveStaleTemporaryFiles(const std::string& folder);

}  // namespace quillon
