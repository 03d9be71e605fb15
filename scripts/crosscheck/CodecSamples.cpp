// Helper for crosscheck.py: writes sample files with Velmora's codecs, or decodes a file with
// them, so that ImageMagick can be compared against both directions.
//
//   CodecSamples write DIR        writes DIR/NAME.{bmp,ico,jpg} with DIR/NAME.rgba (what was meant)
//   CodecSamples read FILE OUT    decodes FILE (first sub-icon of an icon) to raw RGBA in OUT
#include <cstdio>
#include <string>
#include <vector>

#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/IconCodec.h"
#include "model/codecs/JpegCodec.h"

namespace {

// Raw RGBA of a surface; the icon key colours become alpha 0.
TBytes ToRgba(const TSurface& s, bool iconKeys) {
  TBytes out;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      const TPixel p = s.Pixel(x, y) & 0xFFFFFF;
      const bool clear = iconKeys && (p == IconTransparentColor || p == IconInvertColor);
      const TColor c = PixelToColor(p);
      out.insert(out.end(), {uint8_t(RedOf(c)), uint8_t(GreenOf(c)), uint8_t(BlueOf(c)),
                             uint8_t(clear ? 0 : 255)});
    }
  return out;
}

std::vector<TColor> Palette(int count) {
  std::vector<TColor> p;
  for (int i = 0; i < count; ++i)
    p.push_back(i == 0 ? 0 : MakeColor((i * 67) & 0xFF, (i * 151) & 0xFF, (i * 29 + 40) & 0xFF));
  return p;
}

TSurface Picture(int w, int h, const std::vector<TColor>& palette) {
  TSurface s(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.SetPixel(x, y,
                 palette.empty() ? ColorToPixel(MakeColor(x * 255 / w, y * 255 / h, (x * y) & 0xFF))
                                 : ColorToPixel(palette[(x + 2 * y) % palette.size()]));
  return s;
}

void Save(const std::string& dir, const std::string& name, const TBytes& file, const TBytes& rgba) {
  WriteFileAtomic(dir + "/" + name, file);
  WriteFileAtomic(dir + "/" + name + ".rgba", rgba);
}

void WriteSamples(const std::string& dir) {
  for (int bits : {1, 4, 8, 15, 16, 24, 32}) {
    const std::vector<TColor> palette = bits <= 8 ? Palette(1 << bits) : std::vector<TColor>{};
    TSurface image = Picture(37, 11, palette);
    const TBytes file = WriteBmp(image, bits, palette.data(), int(palette.size()));
    // What was written, as Velmora reads it back (high colour is quantised on the way).
    const TDecodedPicture back = ReadBmp(file.data(), file.size());
    Save(dir, "bmp" + std::to_string(bits) + ".bmp", file, ToRgba(back.Image, false));
  }
  // A JPEG is lossy: ImageMagick must decode it as Velmora does.
  const TBytes jpeg = WriteJpeg(Picture(64, 48, {}), 92);
  Save(dir, "photo.jpg", jpeg, ToRgba(ReadJpeg(jpeg.data(), jpeg.size()).Image, false));
  for (int bits : {1, 4, 8, 16, 24}) {
    TIconImage icon;
    icon.BitCount = uint8_t(bits);
    if (bits <= 8) icon.Palette = Palette(1 << bits);
    icon.Image = Picture(32, 32, icon.Palette);
    if (bits == 16) icon.Image = Picture(32, 32, {MakeColor(255, 0, 0), MakeColor(0, 132, 255)});
    for (int i = 0; i < 32; ++i) icon.Image.SetPixel(i, i, IconTransparentColor);
    const TBytes file = WriteIcon({icon});
    Save(dir, "icon" + std::to_string(bits) + ".ico", file, ToRgba(icon.Image, true));
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "write" && argc == 3) {
      WriteSamples(argv[2]);
      return 0;
    }
    if (mode == "read" && argc == 4) {
      const std::string path = argv[2];
      const TBytes bytes = ReadFileBytes(path);
      const std::string ext = LowerExtension(path);
      TBytes rgba;
      if (ext == ".ico")
        rgba = ToRgba(ReadIcon(bytes.data(), bytes.size())[0].Image, true);
      else if (ext == ".jpg")
        rgba = ToRgba(ReadJpeg(bytes.data(), bytes.size()).Image, false);
      else
        rgba = ToRgba(ReadBmp(bytes.data(), bytes.size()).Image, false);
      WriteFileAtomic(argv[3], rgba);
      return 0;
    }
  } catch (const EVelmoraError& e) {
    std::fprintf(stderr, "%s\n", e.what());
    return 2;
  }
  std::fprintf(stderr, "usage: CodecSamples write DIR | read FILE OUT\n");
  return 1;
}
