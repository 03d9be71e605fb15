#include "model/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "model/Errors.h"

namespace {

std::string BaseName(const std::string& path) {
  return std::filesystem::path(path).filename().string();
}

[[noreturn]] void Fail(const std::string& what, const std::string& path, int err) {
  throw EVelmoraError(what + " " + BaseName(path) + ": " + std::strerror(err));
}

}  // namespace

TBytes ReadFileBytes(const std::string& path) {
  std::error_code ec;
  if (std::filesystem::is_directory(path, ec)) Fail("Cannot read", path, EISDIR);
  std::ifstream in(path, std::ios::binary);
  if (!in) Fail("Cannot open", path, errno ? errno : ENOENT);
  in.seekg(0, std::ios::end);
  const std::streamoff size = in.tellg();
  if (size < 0) Fail("Cannot read", path, EIO);
  in.seekg(0, std::ios::beg);
  TBytes bytes(static_cast<size_t>(size));
  if (size > 0 && !in.read(reinterpret_cast<char*>(bytes.data()), size))
    Fail("Cannot read", path, EIO);
  return bytes;
}

void WriteFileAtomic(const std::string& path, const TBytes& bytes) {
  const std::filesystem::path target(path);
  std::filesystem::path dir = target.parent_path();
  if (dir.empty()) dir = ".";
  std::string tmpl = (dir / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(tmpl.data());
  if (fd < 0) Fail("Cannot write", path, errno);
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int err = errno;
      ::close(fd);
      ::unlink(tmpl.c_str());
      Fail("Cannot write", path, err);
    }
    done += size_t(n);
  }
  // Keep the permissions of the file being replaced; new files get the usual 0666 & ~umask.
  struct stat st;
  const bool replacing = ::stat(path.c_str(), &st) == 0;
  if (replacing) {
    ::fchmod(fd, st.st_mode & 07777);
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ::fchmod(fd, 0666 & ~mask);
  }
  // A file that replaces another reaches the disk before the rename, so a crash leaves the old or
  // the new content, never an empty file. A new file replaces nothing and skips the wait.
  int err = !replacing || ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) {
    ::unlink(tmpl.c_str());
    Fail("Cannot write", path, err);
  }
  if (std::rename(tmpl.c_str(), path.c_str()) != 0) {
    const int err = errno;
    ::unlink(tmpl.c_str());
    Fail("Cannot write", path, err);
  }
}

std::string LowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return char(std::tolower(c)); });
  return ext;
}
