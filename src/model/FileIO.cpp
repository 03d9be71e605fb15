#include "model/FileIO.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "model/Errors.h"
#include "model/ReadBudget.h"

namespace {

constexpr int MaxLinkDepth = 40;  // as the system allows when it follows links itself
constexpr size_t TemporarySuffixLength = 6;  // the XXXXXX of mkstemp

std::string BaseName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
  throw EVelmoraError(what + " " + BaseName(path) + ": " + std::strerror(err));
}

// A temporary file cannot be made beside the target: say plainly when that is because the folder
// does not let us write.
[[noreturn]] void FailCreate(const std::string& path, const std::string& folder, int err) {
  if (err == EACCES || err == EPERM || err == EROFS)
    throw EVelmoraError("Cannot write " + BaseName(path) + ": the folder " + folder +
                        " is read-only.");
  Fail("Cannot write", path, err);
}

class TFile {
 public:
  explicit TFile(int fd) : fd_(fd) {}
  ~TFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  TFile(const TFile&) = delete;
  TFile& operator=(const TFile&) = delete;
  int Get() const { return fd_; }
 private:
  int fd_;
};

// The temporary files of a save are ".name.velmora-XXXXXX" beside the target: a name no one
// gives a file of their own, since stale ones are removed.
std::string TemporaryPrefix(const std::string& name) {
  return "." + name + ".velmora-";
}

bool IsTemporaryOf(const std::string& entry, const std::string& prefix) {
  if (entry.size() != prefix.size() + TemporarySuffixLength || entry.compare(0, prefix.size(), prefix))
    return false;
  return std::all_of(entry.begin() + ptrdiff_t(prefix.size()), entry.end(),
                     [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

// A save holds a lock on its temporary file until it is renamed, and the system drops the lock
// when the saving process dies. A temporary file nobody holds locked was left by a save that was
// killed, and can go; one being written by another process right now stays.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  const std::string prefix = TemporaryPrefix(name);
  while (const dirent* entry = ::readdir(dir)) {
    if (!IsTemporaryOf(entry->d_name, prefix)) continue;
    const int fd = ::openat(::dirfd(dir), entry->d_name, O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) continue;
    TFile file(fd);
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) continue;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) continue;
    ::unlinkat(::dirfd(dir), entry->d_name, 0);
  }
  ::closedir(dir);
}

void WriteAll(int fd, const TBytes& bytes, const std::string& path) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      Fail("Cannot write", path, errno);
    }
    done += size_t(n);
  }
}

// Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
// Returns whether a file is being replaced.
bool TakePermissions(int fd, const std::string& target) {
  struct stat st;
  if (::stat(target.c_str(), &st) == 0) {
    ::fchmod(fd, st.st_mode & 07777);
    return true;
  }
  const mode_t mask = ::umask(0);
  ::umask(mask);
  ::fchmod(fd, 0666 & ~mask);
  return false;
}

}  // namespace

int ReadFileBytesErrno(const std::string& path, TBytes& bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return errno;
  TFile file(fd);
  struct stat st;
  if (::fstat(fd, &st) != 0) return errno;
  if (S_ISDIR(st.st_mode)) return EISDIR;
  // A document being read counts its file towards its memory budget.
  if (S_ISREG(st.st_mode)) ChargeReadBudget(st.st_size);
  bytes.clear();
  if (S_ISREG(st.st_mode)) bytes.reserve(size_t(st.st_size));
  uint8_t buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (n == 0) return 0;
    bytes.insert(bytes.end(), buffer, buffer + n);
  }
}

TBytes ReadFileBytes(const std::string& path) {
  TBytes bytes;
  const int err = ReadFileBytesErrno(path, bytes);
  if (err == ENOENT || err == EACCES || err == ELOOP) Fail("Cannot open", path, err);
  if (err != 0) Fail("Cannot read", path, err);
  return bytes;
}

TBytes ReadFileStart(const std::string& path, size_t limit, uint64_t* fileSize) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    Fail(err == ENOENT || err == EACCES || err == ELOOP ? "Cannot open" : "Cannot read", path, err);
  }
  TFile file(fd);
  struct stat st;
  if (::fstat(fd, &st) != 0) Fail("Cannot read", path, errno);
  if (S_ISDIR(st.st_mode)) Fail("Cannot read", path, EISDIR);
  if (fileSize) *fileSize = uint64_t(st.st_size);
  TBytes bytes(std::min<uint64_t>(uint64_t(std::max<off_t>(st.st_size, 0)), limit));
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail("Cannot read", path, errno);
    if (n == 0) break;  // the file shrank meanwhile
    done += size_t(n);
  }
  bytes.resize(done);
  return bytes;
}

std::string ResolveSaveTarget(const std::string& path) {
  std::filesystem::path current(path);
  for (int depth = 0; depth < MaxLinkDepth; ++depth) {
    struct stat st;
    if (::lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current.string();
    std::error_code ec;
    const std::filesystem::path next = std::filesystem::read_symlink(current, ec);
    if (ec) return current.string();
    current = next.is_absolute() ? next : current.parent_path() / next;
  }
  Fail("Cannot write", path, ELOOP);
}

void WriteFileAtomic(const std::string& path, const TBytes& bytes, TFileSync sync) {
  const std::filesystem::path target(ResolveSaveTarget(path));
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  const std::string name = target.filename().string();
  RemoveStaleTemporaries(dir.string(), name);
  std::string tmpl = (dir / (TemporaryPrefix(name) + "XXXXXX")).string();
  const int fd = mkstemp(tmpl.data());
  if (fd < 0) FailCreate(path, dir.string(), errno);
  // The lock marks the temporary file as in use; it is held until the file has been renamed.
  TFile file(fd);
  ::flock(fd, LOCK_EX);
  try {
    WriteAll(fd, bytes, path);
    // A file that replaces another reaches the disk before the rename, so a crash leaves the old
    // or the new content, never an empty file. A new file replaces nothing and skips the wait, as
    // does every file whose writer asked only for the system to have it.
    const bool replacing = TakePermissions(fd, target.string());
    if (replacing && sync == TFileSync::Disk && ::fsync(fd) != 0) Fail("Cannot write", path, errno);
    if (std::rename(tmpl.c_str(), target.c_str()) != 0) Fail("Cannot write", path, errno);
  } catch (...) {
    ::unlink(tmpl.c_str());
    throw;
  }
}

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}
