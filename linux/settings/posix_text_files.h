// Whole-file reads and replacements with the POSIX calls: the new content is written to a
// temporary file beside the old one, flushed to the disk, renamed over the old one, and the
// directory is flushed too, so that a crash or a full disk leaves either the old file or the new
// one, never half of either.
#pragma once

#include "settings/text_files.h"

namespace tarvex::posix {

class PosixTextFiles final : public TextFiles {
 public:
  // Missing when nothing is there (or a part of the path is no directory); unreadable when
  // something is there that cannot be read as a regular file.
  FileContent Read(const std::string& path) override;
  // Refuses a file that is read-only (no write permission bit at all, or not writable by this
  // process) and anything that is not a regular file. A symbolic link is followed: its target is
  // replaced and the link stays. The new file keeps the old one's mode and, where permitted, its
  // owner; a new file gets 0644 under the process's umask.
  bool Replace(const std::string& path, const std::string& text) override;
};

}  // namespace tarvex::posix
