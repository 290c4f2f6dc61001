#pragma once
// Reading project and parameter files from disk and writing them back.
//
// Reading takes regular files only, up to MaxDocumentFileSize: a device or a
// pipe would never end, and a huge file would exhaust memory before it could
// be refused. Text in UTF-16 or UTF-32 is refused with its own message
// instead of being parsed as if it were ISO-8859-1.
//
// Writing replaces a file only once the new content is whole and on disk:
// the text goes to a uniquely named temporary file in the target's folder
// (created exclusively, never through a link), which takes over the old
// file's mode and owner and is renamed over the target. A symbolic link is
// resolved and the file it points to is replaced, so the link stays.

#include <cstdint>
#include <stdexcept>
#include <string>

// Raised when a file cannot be opened or read; the text is the message to show.
class EFOpenError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

inline constexpr std::uint64_t MaxDocumentFileSize = 512ull * 1024 * 1024;

// Reads a whole regular file as bytes. Raises EFOpenError when it cannot be
// opened, is not a regular file, is larger than MaxDocumentFileSize or is
// text in an encoding the reader does not support.
std::string ReadFileBytes(const std::string& fileName);

// The name of a text encoding the reader does not support when the bytes
// start in one (a UTF-16 or UTF-32 byte order mark, or the zero bytes of
// such text without one); empty otherwise.
std::string UnsupportedTextEncoding(const std::string& bytes);

// Writes bytes to fileName safely (see above). False when the target cannot
// be written (read-only, not a regular file, folder not writable, disk full);
// the old file is then left as it was.
bool WriteFileAtomically(const std::string& fileName, const std::string& bytes);

// The path a save to fileName replaces: fileName with every symbolic link
// along the final component resolved (the target need not exist yet).
// Empty when the links loop or cannot be read.
std::string ResolveSaveTarget(const std::string& fileName);
