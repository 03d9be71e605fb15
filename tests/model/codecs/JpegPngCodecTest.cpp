// JPEG and PNG through their libraries: fidelity, options and error reporting.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "model/Errors.h"
#include "model/codecs/CodecTestUtil.h"
#include "model/codecs/JpegCodec.h"
#include "model/codecs/PngCodec.h"

namespace {

double MeanError(const TSurface& a, const TSurface& b) {
  double sum = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      for (int shift : {0, 8, 16})
        sum +=
            std::abs(int((a.Pixel(x, y) >> shift) & 0xFF) - int((b.Pixel(x, y) >> shift) & 0xFF));
  return sum / (3.0 * a.Width() * a.Height());
}

std::string JpegError(const TBytes& file) {
  try {
    ReadJpeg(file.data(), file.size());
  } catch (const EVelmoraError& e) {
    return e.what();
  }
  return "";
}

}  // namespace

TEST(JpegCodec, RoundTripStaysCloseToTheOriginal) {
  const TSurface image = GradientImage(67, 45);
  const TBytes file = WriteJpeg(image, 90);
  ASSERT_GT(file.size(), 4u);
  EXPECT_EQ(file[0], 0xFF);
  EXPECT_EQ(file[1], 0xD8);
  const TDecodedPicture read = ReadJpeg(file.data(), file.size());
  EXPECT_EQ(read.Kind, TPictureKind::Other);
  EXPECT_EQ(read.BitCount, 24);
  ASSERT_EQ(read.Image.Width(), 67);
  ASSERT_EQ(read.Image.Height(), 45);
  EXPECT_LT(MeanError(image, read.Image), 2.0);
  for (int y = 0; y < 45; ++y)
    for (int x = 0; x < 67; ++x) ASSERT_EQ(read.Image.Pixel(x, y) >> 24, 0u);
}

TEST(JpegCodec, QualityTradesSizeForFidelity) {
  TSurface image = GradientImage(64, 64);
  for (int y = 0; y < 64; y += 3) image.FillRect({0, y, 64, y + 1}, 0x202020);
  const TBytes low = WriteJpeg(image, 10), high = WriteJpeg(image, 95);
  EXPECT_LT(low.size(), high.size());
  const TDecodedPicture a = ReadJpeg(low.data(), low.size());
  const TDecodedPicture b = ReadJpeg(high.data(), high.size());
  EXPECT_GT(MeanError(image, a.Image), MeanError(image, b.Image));
  // From quality 90 on colours keep full resolution: a red and blue checkerboard stays close.
  TSurface checks(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) checks.SetPixel(x, y, (x + y) % 2 ? 0xFF0000 : 0x0000FF);
  const TBytes q90 = WriteJpeg(checks, 90), q89 = WriteJpeg(checks, 89);
  EXPECT_LT(MeanError(checks, ReadJpeg(q90.data(), q90.size()).Image) * 3,
            MeanError(checks, ReadJpeg(q89.data(), q89.size()).Image));
  // Out-of-range qualities are clamped rather than refused.
  EXPECT_EQ(WriteJpeg(image, 0), WriteJpeg(image, 1));
  EXPECT_EQ(WriteJpeg(image, 250), WriteJpeg(image, 100));
}

TEST(JpegCodec, DamagedFilesFailOrDecodeWhatTheyHave) {
  const TSurface large = GradientImage(160, 160);
  const TBytes full = WriteJpeg(large, 95);
  // Cut in the middle of the entropy-coded data: the top part decodes, the rest is grey.
  const TBytes cut(full.begin(), full.end() - long(full.size() / 4));
  const TDecodedPicture read = ReadJpeg(cut.data(), cut.size());
  EXPECT_EQ(read.Image.Width(), 160);
  EXPECT_LT(MeanError(large, read.Image), 60.0);
  EXPECT_EQ(read.Image.Pixel(0, 159), 0x808080u);
  EXPECT_EQ(read.Image.Pixel(159, 159), 0x808080u);
  EXPECT_NEAR(int(read.Image.Pixel(0, 0) & 0xFF), int(large.Pixel(0, 0) & 0xFF), 4);
  const TSurface image = GradientImage(32, 32);
  const TBytes file = WriteJpeg(image, 80);
  // Every prefix either decodes or fails with a sentence for the user around the codec's words.
  int damaged = 0;
  for (size_t n = 0; n < file.size(); ++n) {
    const TBytes prefix(file.begin(), file.begin() + long(n));
    try {
      ReadJpeg(prefix.data(), prefix.size());
    } catch (const EVelmoraError& e) {
      const std::string message = e.what();
      damaged += message.rfind("The JPEG file is damaged: ", 0) == 0;
      ASSERT_TRUE(message.rfind("The JPEG file is damaged: ", 0) == 0 ||
                  message == "The JPEG file is empty." || message == "Not a JPEG file.")
          << n << ": " << message;
    }
  }
  EXPECT_GT(damaged, 0);
  EXPECT_EQ(JpegError({}), "The JPEG file is empty.");
  EXPECT_EQ(JpegError({'B', 'M', 0, 0}), "Not a JPEG file.");
  // A frame header announcing 65500 x 65500 pixels is refused before anything is allocated.
  TBytes huge = file;
  for (size_t i = 0; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = huge[i + 7] = 0xFF;
      huge[i + 6] = huge[i + 8] = 0xDC;
      break;
    }
  EXPECT_THROW(ReadJpeg(huge.data(), huge.size()), EVelmoraError);
  EXPECT_THROW(WriteJpeg(TSurface(), 90), EVelmoraError);
}

TEST(PngCodec, RoundTripAndLimits) {
  const uint8_t rgba[] = {1, 2, 3, 4, 250, 251, 252, 253, 0, 0, 0, 0, 9, 8, 7, 255};
  const TBytes file = WritePng(2, 2, rgba);
  EXPECT_TRUE(HasPngSignature(file.data(), file.size()));
  const TRgbaImage read = ReadPng(file.data(), file.size());
  EXPECT_EQ(read.Width, 2);
  EXPECT_EQ(read.Height, 2);
  EXPECT_EQ(read.Rgba, std::vector<uint8_t>(rgba, rgba + 16));
  EXPECT_THROW(ReadPng(file.data(), file.size(), 3), EVelmoraError);
  // Prefixes fail, except those that only lack the end chunk after complete image data.
  for (size_t n = 0; n < file.size(); ++n) {
    try {
      EXPECT_EQ(ReadPng(file.data(), n).Rgba, read.Rgba) << n;
      EXPECT_GT(n, file.size() - 16);
    } catch (const EVelmoraError&) {
    }
  }
  TBytes bad = file;
  bad[20] ^= 0x40;  // header checksum no longer matches
  EXPECT_THROW(ReadPng(bad.data(), bad.size()), EVelmoraError);
  EXPECT_THROW(WritePng(0, 3, rgba), EVelmoraError);
}

TEST(PngCodec, BothWaysOfCompressingGiveThePixelsBack) {
  // Noise in the left half and flat bands on the right, large enough for several data chunks.
  std::mt19937 rng(12);
  const int w = 301, h = 120;
  std::vector<uint8_t> rgba(size_t(w) * h * 4);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t* p = &rgba[(size_t(y) * w + x) * 4];
      for (int c = 0; c < 4; ++c) p[c] = x < w / 2 ? uint8_t(rng()) : uint8_t(y / 8 * 16 + c);
    }
  for (bool fewColors : {false, true}) {
    const TBytes file = WritePng(w, h, rgba.data(), fewColors);
    const TRgbaImage read = ReadPng(file.data(), file.size());
    EXPECT_EQ(read.Width, w);
    EXPECT_EQ(read.Height, h);
    EXPECT_EQ(read.Rgba, rgba) << fewColors;
  }
}
