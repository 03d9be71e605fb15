#pragma once
// Telling image files apart by their first bytes, for files whose extension is missing or names
// another format than they hold.

#include <cstddef>
#include <cstdint>
#include <string>

#include "model/FileIO.h"
#include "model/Picture.h"

enum class TFileFormat : uint8_t { Unknown, Bmp, Gif, Ico, Jpeg, Png };

// The format the data starts like. Icon files are recognised by a plausible directory (their
// header has no signature of its own).
TFileFormat SniffFileFormat(const uint8_t* data, size_t size);

// Puts a BMP file header in front of a headerless device-independent bitmap (as the clipboard
// holds them); leaves other data alone.
void AddBmpFileHeader(TBytes& bytes);

// The format an extension names (".bmp", ".jpg" ...), or Unknown.
TFileFormat FormatOfExtension(const std::string& extension);

// A PNG file as a 24-bit picture: pixels less than half opaque become the transparent colour, a
// colour no opaque pixel has. Throws EVelmoraError.
TDecodedPicture DecodePngPicture(const uint8_t* data, size_t size);
