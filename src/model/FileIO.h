#pragma once
// Whole-file reading and safe writing.

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

// Reads a whole file. Throws EVelmoraError with a short message when it cannot.
TBytes ReadFileBytes(const std::string& path);
// The same, reporting failure as an errno value (0 when the file was read) instead of throwing.
int ReadFileBytesErrno(const std::string& path, TBytes& bytes);

// Reads at most the first `limit` bytes of a file and tells its whole size in `fileSize`
// (when not null). Throws as ReadFileBytes does.
TBytes ReadFileStart(const std::string& path, size_t limit, uint64_t* fileSize);

// How far a written file must have got before it replaces the old one.
enum class TFileSync : uint8_t {
  // On the disk before it replaces an existing file: not even a power cut can leave a truncated
  // file in place of the old one. A file that replaces nothing is not waited for.
  Disk,
  // Handed to the system: a crash of the program cannot half-write it, but the wait for the
  // disk (milliseconds per file) is skipped even when a file is replaced. For exports that can
  // simply be made again.
  System
};

// Writes a file through a temporary file beside it that is renamed over the target, so a
// failed write never destroys the previous file. A path that is a symbolic link writes the file
// the link points to (the link stays), and a replaced file keeps its permission bits. Temporary
// files (".name.velmora-XXXXXX") that an earlier, interrupted save of the same target left
// behind are removed. Throws EVelmoraError on failure.
void WriteFileAtomic(const std::string& path, const TBytes& bytes,
                     TFileSync sync = TFileSync::Disk);

// The file a path finally names once symbolic links in its last part are followed; the path
// itself when it is no link. A dangling link gives the file it would create.
std::string ResolveSaveTarget(const std::string& path);

// The file name's extension in lower case with its dot (".bmp"), or "" without one.
std::string LowerExtension(const std::string& path);
