#include "foundation/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <climits>
#include <random>

namespace {

// Closes a descriptor when the scope ends.
class TFileDescriptor {
public:
  explicit TFileDescriptor(int fd = -1) : FFd(fd) {}
  ~TFileDescriptor() { Reset(); }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;
  int Get() const { return FFd; }
  void Reset(int fd = -1) {
    if (FFd >= 0) ::close(FFd);
    FFd = fd;
  }
  // Closes now and tells whether the close succeeded (a write error may
  // only show up here on some file systems).
  bool Close() {
    const int fd = FFd;
    FFd = -1;
    return fd < 0 || ::close(fd) == 0;
  }

private:
  int FFd;
};

std::string CannotOpen(const std::string& fileName, const std::string& reason = std::string()) {
  std::string text = "Cannot open file \"" + fileName + "\"";
  if (!reason.empty()) text += ": " + reason;
  return text + ".";
}

std::string FolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string NameOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    const ssize_t written = ::write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// A name no other save uses at the same time: concurrent saves to one
// target (two windows, two scripts) must not share their temporary file.
std::string TemporaryName(const std::string& base) {
  static const char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937_64 random{std::random_device{}() ^ (static_cast<std::uint64_t>(::getpid()) << 32)};
  std::uniform_int_distribution<int> pick(0, static_cast<int>(sizeof(Letters)) - 2);
  // Long names are cut so the temporary name stays within the name limit.
  std::string name = "." + base.substr(0, 200) + ".";
  for (int i = 0; i < 10; ++i) name += Letters[pick(random)];
  return name + ".tmp~";
}

}  // namespace

std::string UnsupportedTextEncoding(const std::string& bytes) {
  auto at = [&](size_t i) { return i < bytes.size() ? static_cast<unsigned char>(bytes[i]) : 0x100u; };
  if (at(0) == 0x00 && at(1) == 0x00 && at(2) == 0xFE && at(3) == 0xFF) return "UTF-32";
  if (at(0) == 0xFF && at(1) == 0xFE && at(2) == 0x00 && at(3) == 0x00) return "UTF-32";
  if ((at(0) == 0xFF && at(1) == 0xFE) || (at(0) == 0xFE && at(1) == 0xFF)) return "UTF-16";
  // ISO-8859-1 and UTF-8 text never holds a zero byte; wide text without a
  // byte order mark has one beside its first character.
  if (bytes.size() >= 4 && at(0) == 0 && at(1) == 0 && at(2) == 0 && at(3) != 0) return "UTF-32";
  if (bytes.size() >= 4 && at(0) != 0 && at(1) == 0 && at(2) == 0 && at(3) == 0) return "UTF-32";
  if (bytes.size() >= 2 && ((at(0) == 0) != (at(1) == 0))) return "UTF-16";
  return std::string();
}

std::string ReadFileBytes(const std::string& fileName) {
  // Without O_NONBLOCK opening a pipe waits for a writer that may never come.
  TFileDescriptor fd(::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
  if (fd.Get() < 0) throw EFOpenError(CannotOpen(fileName));
  struct stat status {};
  if (::fstat(fd.Get(), &status) != 0) throw EFOpenError(CannotOpen(fileName));
  if (!S_ISREG(status.st_mode)) throw EFOpenError(CannotOpen(fileName, "it is not a regular file"));
  const std::string tooLarge =
      CannotOpen(fileName, "it is larger than " + std::to_string(MaxDocumentFileSize / (1024 * 1024)) +
                               " MB, the largest file this program reads");
  if (static_cast<std::uint64_t>(status.st_size) > MaxDocumentFileSize) throw EFOpenError(tooLarge);

  std::string bytes;
  bytes.reserve(static_cast<size_t>(status.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(fd.Get(), buffer, sizeof buffer);
    if (got < 0) {
      if (errno == EINTR || errno == EAGAIN) continue;
      throw EFOpenError(CannotOpen(fileName));
    }
    if (got == 0) break;
    // The file may grow while it is read.
    if (bytes.size() + static_cast<size_t>(got) > MaxDocumentFileSize) throw EFOpenError(tooLarge);
    bytes.append(buffer, static_cast<size_t>(got));
  }
  const std::string encoding = UnsupportedTextEncoding(bytes);
  if (!encoding.empty())
    throw EFOpenError(CannotOpen(fileName, "its text is in " + encoding +
                                               ", an encoding this program does not support (save it as "
                                               "ISO-8859-1)"));
  return bytes;
}

std::string ResolveSaveTarget(const std::string& fileName) {
  std::string path = fileName;
  // The same bound the system puts on links followed in one lookup.
  for (int hops = 0; hops < 40; ++hops) {
    struct stat status {};
    if (::lstat(path.c_str(), &status) != 0 || !S_ISLNK(status.st_mode)) return path;
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(path.c_str(), buffer, sizeof buffer - 1);
    if (length <= 0) return std::string();
    const std::string link(buffer, static_cast<size_t>(length));
    if (link[0] == '/' || path.find('/') == std::string::npos)
      path = link;
    else
      path = FolderOf(path) + "/" + link;
  }
  return std::string();
}

bool WriteFileAtomically(const std::string& fileName, const std::string& bytes) {
  const std::string target = ResolveSaveTarget(fileName);
  if (target.empty() || target.back() == '/') return false;

  struct stat old {};
  const bool replacing = ::lstat(target.c_str(), &old) == 0;
  if (replacing) {
    // Only a regular file is replaced, and only one the user may write:
    // renaming over a read-only file would bypass its protection.
    if (!S_ISREG(old.st_mode) || ::access(target.c_str(), W_OK) != 0) return false;
  } else if (errno != ENOENT) {
    return false;
  }

  TFileDescriptor folder(::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.Get() < 0) return false;
  const std::string base = NameOf(target);

  // O_EXCL with O_NOFOLLOW: a file or link planted under the temporary name
  // is never opened, let alone followed.
  std::string temporary;
  TFileDescriptor out;
  for (int attempt = 0; attempt < 100 && out.Get() < 0; ++attempt) {
    temporary = TemporaryName(base);
    out.Reset(::openat(folder.Get(), temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                       replacing ? 0600 : 0666));
    if (out.Get() < 0 && errno != EEXIST) return false;
  }
  if (out.Get() < 0) return false;

  auto discard = [&] {
    out.Reset();
    ::unlinkat(folder.Get(), temporary.c_str(), 0);
    return false;
  };
  if (replacing) {
    // The old owner where the saver may give it (root, or a group the saver
    // belongs to), then the old mode; set-id bits only stay with the owner.
    mode_t mode = old.st_mode & 07777;
    if (::fchown(out.Get(), old.st_uid, old.st_gid) != 0) {
      mode &= ~static_cast<mode_t>(S_ISUID);
      if (::fchown(out.Get(), static_cast<uid_t>(-1), old.st_gid) != 0) mode &= ~static_cast<mode_t>(S_ISGID);
    }
    if (::fchmod(out.Get(), mode) != 0) return discard();
  }
  if (!WriteAll(out.Get(), bytes.data(), bytes.size())) return discard();
  if (::fsync(out.Get()) != 0) return discard();
  if (!out.Close()) {
    ::unlinkat(folder.Get(), temporary.c_str(), 0);
    return false;
  }
  if (::renameat(folder.Get(), temporary.c_str(), folder.Get(), base.c_str()) != 0) {
    ::unlinkat(folder.Get(), temporary.c_str(), 0);
    return false;
  }
  // The rename itself reaches the disk only with the folder. Some file
  // systems cannot sync a folder; the file is in place all the same.
  (void)::fsync(folder.Get());
  return true;
}
