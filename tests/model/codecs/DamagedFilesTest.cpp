// Damaged input of every kind must end in EVelmoraError (or a partial picture where the format
// allows one), never in a crash or a read outside the data. Run under the sanitizers, these
// loops also check the bounds of every read.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/Errors.h"
#include "model/codecs/BmpCodec.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/CodecTestUtil.h"
#include "model/codecs/HandMadeFiles.h"
#include "model/codecs/IconCodec.h"
#include "model/codecs/JpegCodec.h"
#include "model/codecs/PngCodec.h"

namespace {

// Runs `read` on every prefix of `file`; returns how many prefixes were refused.
template <typename TRead>
size_t RefusedPrefixes(const TBytes& file, TRead read) {
  size_t refused = 0;
  for (size_t n = 0; n < file.size(); ++n) {
    const TBytes prefix(file.begin(), file.begin() + long(n));
    try {
      read(prefix);
    } catch (const EVelmoraError&) {
      ++refused;
    }
  }
  return refused;
}

void ReadAnyBmp(const TBytes& b) {
  ReadBmp(b.data(), b.size());
}
void ReadAnyIcon(const TBytes& b) {
  ReadIcon(b.data(), b.size());
}

}  // namespace

TEST(DamagedFiles, EveryPrefixOfAnUncompressedBmpIsRefused) {
  const std::vector<TColor> palette = RampPalette(256);
  for (int bits : {1, 4, 8, 15, 16, 24, 32}) {
    SCOPED_TRACE(bits);
    const TBytes file = WriteBmp(PaletteImage(7, 3, palette), bits, palette.data(), 256);
    // Only the last row's padding may be missing.
    const size_t padding = size_t(DibPadding(7, bits == 15 ? 16 : bits));
    EXPECT_EQ(RefusedPrefixes(file, ReadAnyBmp), file.size() - padding);
  }
}

TEST(DamagedFiles, PrefixesOfHandMadeBmpVariants) {
  TBmpLayout rle;
  rle.Width = 6;
  rle.Height = 4;
  rle.Bits = 8;
  rle.Compression = 1;
  rle.Palette = {clRed, clWhite};
  rle.Pixels = {3, 1, 0, 0, 0, 3, 1, 0, 1, 0, 0, 2, 2, 1, 9, 1, 0, 1};
  TBmpLayout core;
  core.HeaderSize = 12;
  core.Width = 3;
  core.Height = 2;
  core.Bits = 4;
  core.Palette = {clRed, clWhite};
  core.Pixels = {0x01, 0x10, 0, 0, 0x11, 0x00, 0, 0};
  TBmpLayout v5;
  v5.HeaderSize = 124;
  v5.Width = 2;
  v5.Height = -1;
  v5.Bits = 16;
  v5.Compression = 3;
  v5.Masks = {0xF800, 0x7E0, 0x1F};
  v5.Pixels = {1, 2, 3, 4};
  for (const TBmpLayout& layout : {rle, core, v5}) {
    const TBytes file = MakeBmp(layout);
    EXPECT_GT(RefusedPrefixes(file, ReadAnyBmp), 0u);
    EXPECT_NO_THROW(ReadAnyBmp(file));
  }
}

TEST(DamagedFiles, EveryPrefixOfAnIconIsRefused) {
  TIconImage a, b, c;
  a.Image = PaletteImage(16, 16, SixteenColors());
  a.BitCount = 4;
  a.Palette = SixteenColors();
  b.Image = GradientImage(5, 3);
  b.BitCount = 24;
  c.Image = GradientImage(3, 2);
  c.BitCount = 16;
  const TBytes file = WriteIcon({a, b, c});
  EXPECT_EQ(RefusedPrefixes(file, ReadAnyIcon), file.size());
}

TEST(DamagedFiles, CorruptedBytesNeverCrash) {
  // Every byte of the headers set to a few telling values, one at a time.
  const std::vector<TColor> palette = SixteenColors();
  const TBytes bmp = WriteBmp(PaletteImage(5, 4, palette), 4, palette.data(), 16);
  TIconImage icon;
  icon.Image = PaletteImage(4, 4, palette);
  icon.BitCount = 4;
  icon.Palette = palette;
  const TBytes ico = WriteIcon({icon});
  const TBytes jpeg = WriteJpeg(GradientImage(9, 9), 75);
  const uint8_t values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
  for (const TBytes* file : {&bmp, &ico, &jpeg}) {
    for (size_t i = 0; i < std::min<size_t>(file->size(), 200); ++i)
      for (uint8_t v : values) {
        TBytes damaged = *file;
        damaged[i] = v;
        try {
          if (file == &bmp) ReadBmp(damaged.data(), damaged.size());
          if (file == &ico) ReadIcon(damaged.data(), damaged.size());
          if (file == &jpeg) ReadJpeg(damaged.data(), damaged.size());
        } catch (const EVelmoraError&) {
        }
      }
  }
}

// Inputs that the fuzzers once found faulty, kept as files in tests/data/regressions.
TEST(DamagedFiles, FuzzerFindingsStayFixed) {
  const std::filesystem::path dir = TestDataPath("regressions");
  ASSERT_TRUE(std::filesystem::is_directory(dir));
  size_t count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    const TBytes bytes = ReadFileBytes(entry.path().string());
    const std::string name = entry.path().filename().string();
    SCOPED_TRACE(name);
    try {
      if (name.starts_with("bmp")) ReadBmp(bytes.data(), bytes.size());
      if (name.starts_with("ico")) WriteIcon(ReadIcon(bytes.data(), bytes.size()));
      if (name.starts_with("jpeg")) ReadJpeg(bytes.data(), bytes.size());
      if (name.starts_with("png")) ReadPng(bytes.data(), bytes.size());
    } catch (const EVelmoraError&) {
    }
    ++count;
  }
  EXPECT_GT(count, 0u);
}
