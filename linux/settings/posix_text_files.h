// Whole-file reads and replacements with the POSIX calls: the new content is written to a
// temporary file beside the old one, flushed to the disk, renamed over the old one, and the
// directory is flushed too, so that a crash or a full disk leaves either the old file or the new
// one, never half of either.
#pragma once

#include "settings/text_files.h"

namespace tarvex::posix {

// A symbolic link is followed only when this user or the superuser owns it, as the kernel's
// protected-symlinks rule has it for shared folders: a link that another user planted in a
// folder both may write (to the victim's ~/.profile, say) is neither read nor written through.
class PosixTextFiles final : public TextFiles {
 public:
  // Missing when nothing is there (or a part of the path is no directory); unreadable when
  // something is there that cannot be read as a regular file of at most kMaxSettingsFileSize.
  FileContent Read(const std::string& path) override;
  // Refuses a file that is read-only (no write permission bit at all, or not writable by this
  // process) and anything that is not a regular file. A symbolic link is followed: its target is
  // replaced and the link stays. The new file keeps the old one's mode, owner and group, and is
  // refused where it cannot keep them (another user's file, say), rather than take the file
  // over; a new file gets 0644 under the process's umask.
  bool Replace(const std::string& path, const std::string& text) override;
  // Holds the folder's lock across the read, the change and the replacement; gives up, false,
  // when another writer holds it for more than a few seconds.
  bool Update(const std::string& path, const FileEdit& edit) override;
};

}  // namespace tarvex::posix
