#pragma once
// Decodes files with ImageMagick and Pillow, as other programs will read what we write, and
// compares their RGBA with our pixel words.

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "model/Colors.h"
#include "model/Surface.h"

namespace external {

// Runs a command and returns its standard output; nullopt when it fails.
inline std::optional<std::string> Run(const std::string& command) {
  FILE* p = ::popen(command.c_str(), "r");
  if (!p) return std::nullopt;
  std::string out;
  std::array<char, 65536> buf;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  const int status = ::pclose(p);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return out;
}

// 8-bit RGBA rows as ImageMagick decodes the file (`file` may name a sub-image: "x.ico[2]").
inline std::optional<std::string> MagickRgba(const std::string& file) {
  return Run("convert '" + file + "' -depth 8 rgba:- 2>/dev/null");
}

// 8-bit RGBA rows as Pillow decodes the file; `size` picks an icon's sub-image.
inline std::optional<std::string> PillowRgba(const std::string& path, int size = 0) {
  const std::string pick =
      size ? "im.size = (" + std::to_string(size) + ", " + std::to_string(size) + "); " : "";
  return Run("/usr/bin/python3 -c \"import sys; from PIL import Image; im = Image.open('" + path +
             "'); " + pick + "sys.stdout.buffer.write(im.convert('RGBA').tobytes())\" 2>/dev/null");
}

// The RGBA a picture shows: alpha from the pixel words of a 32-bit image, otherwise 0 for
// pixels of the key colour and 255 for the rest.
inline std::string ExpectedRgba(const TSurface& image, bool alpha,
                                std::optional<TColor> key = std::nullopt) {
  std::string out;
  for (int y = 0; y < image.Height(); ++y)
    for (int x = 0; x < image.Width(); ++x) {
      const TPixel p = image.Pixel(x, y);
      const bool clear = key && (p & 0xFFFFFF) == ColorToPixel(*key);
      out += char(p >> 16);
      out += char(p >> 8);
      out += char(p);
      out += char(alpha ? AlphaOf(p) : clear ? 0 : 255);
    }
  return out;
}

// Compares what is visible: alpha everywhere, colours where alpha is not 0. Returns the index
// of the first differing pixel, or -1.
inline long FirstVisibleDifference(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return -2;
  for (size_t i = 0; i + 3 < a.size(); i += 4) {
    if (a[i + 3] != b[i + 3]) return long(i / 4);
    if (a[i + 3] != 0 && a.compare(i, 3, b, i, 3) != 0) return long(i / 4);
  }
  return -1;
}

}  // namespace external
