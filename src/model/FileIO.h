#pragma once
// Whole-file reading and safe writing.

#include <cstdint>
#include <string>
#include <vector>

using TBytes = std::vector<uint8_t>;

// Reads a whole file. Throws EVelmoraError with a short message when it cannot.
TBytes ReadFileBytes(const std::string& path);

// Writes a file through a temporary file beside it that is renamed over the target, so a
// failed write never destroys the previous file. Throws EVelmoraError on failure.
void WriteFileAtomic(const std::string& path, const TBytes& bytes);

// The file name's extension in lower case with its dot (".bmp"), or "" without one.
std::string LowerExtension(const std::string& path);
