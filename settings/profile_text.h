// The profile file grammar over the file's text, as pure functions, read as the platform's
// profile reader reads it:
// - "\r\n", "\n" and "\r" each end a line; a UTF-8 byte-order mark at the start is no text.
// - Blanks are space, tab, vertical tab, form feed and character 26; they are trimmed from
//   lines, names and values.
// - A line whose first character is "[" and that holds a "]" opens the section named by what
//   stands between the "[" and the last "]"; a "[" line without "]" is a key line.
// - Any other non-blank line is a key: the name before its first "=" and the value after it. A
//   line without "=" is a key without a value: it reads as missing, and it hides later lines of
//   the same key. Lines before the first section belong to no section.
// - Names match without regard to case (ASCII letters only). Only the first section of a name and
//   the first line of a key in it count.
// - A value ends at a zero byte; one pair of " or ' around the whole value is dropped; then it is
//   cut to kMaxProfileValue characters.
// Where we deliberately differ from the platform, and why (the differential test leaves these out
// by name):
// - ErasedDuplicateSection: erasing a section removes every section of that name. The platform
//   removes only the first, and an older copy of the ignore section would then come back.
// - QuotedValueAtTheLimit: a quoted value of exactly kMaxProfileValue characters reads whole; the
//   platform loses its last character.
// - Utf16File: a file that starts with a UTF-16 byte-order mark is read as 8-bit text; the
//   platform reads it as UTF-16 text.
// - Utf8MarkedText: after a UTF-8 byte-order mark, bytes of 0x80 and above are handed on as they
//   stand; the platform decodes the file as UTF-8 and hands its text on in its own code page,
//   where a character that the code page lacks, or a byte that is no UTF-8, becomes "?".
// Every line that a change does not touch is kept byte for byte, its line ending included.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "settings/profile_store.h"

namespace tarvex {

// The value of the key, as the reader gives it; nothing when the section or the key is missing,
// or when the key's first line has no "=". Each call reads the text from its start: for many
// reads of one text, ProfileIndex reads it once.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

// A value as it is written on its line: line breaks and zero bytes become blanks, so no value
// can end its line and inject keys or sections, nor be cut short; and a value that the reader
// would take out of its quotes gets one more pair, so that it reads back as written.
std::string ProfileLineValue(std::string_view value);

// The text with the changes made in order, in one pass. A key is replaced in place (its first
// line, "=" or not), or added after its section's last non-blank line, or added with a new
// section at the end; an erased section loses its header and lines, every copy of it.
std::string WithProfileChanges(std::string_view text, const ProfileChanges& changes);

std::string WithProfileValue(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value);
std::string WithoutProfileSection(std::string_view text, std::string_view section);

}  // namespace tarvex
