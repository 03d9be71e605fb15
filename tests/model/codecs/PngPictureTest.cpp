// PNG documents and 32-bit alpha: round trips at every depth, checked against ImageMagick and
// Pillow, and icons whose 32-bit entries keep their alpha.
#include <gtest/gtest.h>

#include "../TempDir.h"
#include "model/Document.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/Groups.h"
#include "model/ReadBudget.h"
#include "model/WorkImages.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/CodecTestUtil.h"
#include "model/codecs/ExternalDecoders.h"
#include "model/codecs/IconCodec.h"
#include "model/codecs/PngCodec.h"

namespace {

// A picture using every alpha level, with colours under fully transparent pixels too.
TSurface AlphaImage(int w, int h) {
  TSurface s = GradientImage(w, h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      s.SetPixel(x, y, WithAlpha(s.Pixel(x, y), (x * 37 + y * 11) & 0xFF));
  return s;
}

// Saves a PNG document of the given depth and opens it again.
struct TPngCase {
  int Bits;
  bool Key;
};

std::unique_ptr<TWorkPng> MakePng(const TPngCase& c, int w, int h) {
  auto png = std::make_unique<TWorkPng>();
  std::vector<TColor> palette = c.Bits == 1   ? std::vector<TColor>{clBlack, clWhite}
                                : c.Bits == 4 ? SixteenColors()
                                              : RampPalette(200);
  png->InitImage(w, h, nullptr, c.Bits);
  if (c.Bits <= 8) {
    TPaletteRecord& pal = png->GetPalette();
    pal.Count = uint16_t(palette.size());
    for (size_t i = 0; i < palette.size(); ++i) pal.SetColor(int(i), palette[i]);
    png->EditImage() = PaletteImage(w, h, palette);
  } else {
    png->EditImage() = c.Bits == 32 ? AlphaImage(w, h) : GradientImage(w, h);
  }
  if (c.Key) {
    png->SetTransparent(true);
    png->SetTransparentColor(PixelToColor(png->Image().Pixel(1, 0)));
  }
  return png;
}

}  // namespace

TEST(PngDocument, EveryDepthRoundTripsAndReadsTheSameElsewhere) {
  const TTempDir dir;
  for (const TPngCase c : {TPngCase{1, false}, TPngCase{1, true}, TPngCase{4, false},
                           TPngCase{4, true}, TPngCase{8, false}, TPngCase{8, true},
                           TPngCase{24, false}, TPngCase{24, true}, TPngCase{32, false}}) {
    SCOPED_TRACE(std::to_string(c.Bits) + (c.Key ? " bits with key" : " bits"));
    const auto png = MakePng(c, 23, 9);
    const std::string file = dir.File("p" + std::to_string(c.Bits) + (c.Key ? "k" : "") + ".png");
    png->SaveToFile(file);
    const TDocument back = OpenDocument(file);
    ASSERT_EQ(back.ClassName(), "TWorkPng");
    const TWorkImage& read = *back.Image;
    EXPECT_EQ(read.GetBitCount(), c.Bits);
    EXPECT_EQ(read.Image(), png->Image());
    EXPECT_EQ(read.GetTransparent(), c.Key);
    if (c.Key) {
      EXPECT_EQ(read.GetTransparentColor(), png->GetTransparentColor());
    }
    if (c.Bits <= 8) {  // the palette keeps its order and size
      EXPECT_EQ(read.GetPalette().Count, png->GetPalette().Count);
      for (int i = 0; i < png->GetPalette().Count; ++i)
        EXPECT_EQ(read.GetPalette().Color(i), png->GetPalette().Color(i)) << i;
    }
    const std::optional<TColor> key =
        c.Key ? std::optional<TColor>(png->GetTransparentColor()) : std::nullopt;
    const std::string expected = external::ExpectedRgba(png->Image(), c.Bits == 32, key);
    const auto magick = external::MagickRgba(file);
    const auto pillow = external::PillowRgba(file);
    ASSERT_TRUE(magick && pillow);
    EXPECT_EQ(external::FirstVisibleDifference(*magick, expected), -1);
    EXPECT_EQ(external::FirstVisibleDifference(*pillow, expected), -1);
    // Saving again without edits writes the same file.
    back.Image->SaveToFile(dir.File("again.png"));
    EXPECT_EQ(ReadFileBytes(dir.File("again.png")), ReadFileBytes(file));
  }
}

TEST(PngDocument, FilesFromOtherProgramsOpenWithTheirPixels) {
  // ImageMagick writes each colour type; opening and saving gives back what it decodes.
  const TTempDir dir;
  struct TMade {
    const char* Name;
    const char* Args;
    int Bits;
  } made[] = {
      {"graypal.png", "-size 20x7 gradient:black-white -type Grayscale PNG8:", 8},
      {"gray.png", "-size 20x7 gradient:black-white -depth 8 -type Grayscale PNG:", 24},
      {"gray16.png", "-size 20x7 gradient:black-white -depth 16 -type Grayscale PNG48:", 24},
      {"rgba.png", "-size 20x7 gradient:'rgba(255,0,0,0.1)'-'rgba(0,0,255,0.9)' PNG32:", 32},
      {"rgba16.png", "-size 20x7 gradient:'rgba(255,0,0,0.1)'-'rgba(0,90,255,0.9)' PNG64:", 32},
      {"palkey.png",
       "-size 20x7 gradient:'rgba(255,0,0,0.2)'-'rgba(0,0,255,1)' -colors 6 PNG8:", 8},
      {"rgbkey.png", "-size 20x7 gradient:red-blue -transparent red -type TrueColor PNG24:", 24},
  };
  for (const TMade& m : made) {
    SCOPED_TRACE(m.Name);
    const std::string file = dir.File(m.Name);
    ASSERT_TRUE(external::Run(std::string("convert ") + m.Args + file + " 2>/dev/null"));
    const auto original = external::MagickRgba(file);
    ASSERT_TRUE(original);
    const TDocument doc = OpenDocument(file);
    ASSERT_EQ(doc.ClassName(), "TWorkPng");
    EXPECT_EQ(doc.Image->GetBitCount(), m.Bits);
    doc.Image->SaveToFile(dir.File("out.png"));
    const auto saved = external::MagickRgba(dir.File("out.png"));
    const auto pillow = external::PillowRgba(dir.File("out.png"));
    ASSERT_TRUE(saved && pillow);
    if (std::string(m.Name) != "rgba16.png" && std::string(m.Name) != "gray16.png") {
      EXPECT_EQ(external::FirstVisibleDifference(*saved, *original), -1);
    }
    EXPECT_EQ(external::FirstVisibleDifference(*pillow, *saved), -1);
  }
}

TEST(PngDocument, PalettesWithPartialTransparencyOpenAsAlpha) {
  // A palette whose entries are half transparent cannot be said with a key colour.
  const TTempDir dir;
  const std::string file = dir.File("partial.png");
  ASSERT_TRUE(
      external::Run("/usr/bin/python3 -c \"from PIL import Image; im = Image.new('P', (5, 3)); "
                    "im.putpalette([255, 0, 0, 0, 255, 0, 0, 0, 255]); im.putdata([0, 1, 2] * 5); "
                    "im.save('" +
                    file + "', transparency=bytes([0, 128]))\""));
  const TDocument doc = OpenDocument(file);
  EXPECT_EQ(doc.Image->GetBitCount(), 32);
  EXPECT_EQ(doc.Image->Image().Pixel(0, 0), WithAlpha(0xFF0000, 0));
  EXPECT_EQ(doc.Image->Image().Pixel(1, 0), WithAlpha(0x00FF00, 128));
  EXPECT_EQ(doc.Image->Image().Pixel(2, 0), WithAlpha(0x0000FF, 255));
  doc.Image->SaveToFile(dir.File("out.png"));
  EXPECT_EQ(external::MagickRgba(dir.File("out.png")), external::MagickRgba(file));
}

TEST(PngDocument, HostileHeadersAreRefusedBeforeAllocation) {
  // A valid header announcing 60000 x 60000 pixels, then nothing.
  const TSurface small(2, 2, 0x123456);
  TPngPicture picture;
  picture.Image = &small;
  TBytes png = WritePngPicture(picture);
  for (int i : {16, 20}) {  // width and height of IHDR, big-endian
    png[size_t(i)] = 0;
    png[size_t(i) + 1] = 0;
    png[size_t(i) + 2] = 0xEA;
    png[size_t(i) + 3] = 0x60;
  }
  const TReadBudget budget(int64_t(64) << 20);
  EXPECT_THROW(ReadPngPicture(png.data(), png.size()), EVelmoraError);
  EXPECT_LT(budget.Peak(), int64_t(1) << 20);
  // Every cut of a real file fails with a message or reads.
  const TSurface alpha = AlphaImage(9, 9);
  picture.Image = &alpha;
  picture.BitCount = 32;
  const TBytes good = WritePngPicture(picture);
  for (size_t n = 0; n < good.size(); n += 7) {
    try {
      ReadPngPicture(good.data(), n);
    } catch (const EVelmoraError&) {
    }
  }
  EXPECT_EQ(ReadPngPicture(good.data(), good.size()).Image, alpha);
}

TEST(PngDocument, AChunkLongerThanTheFileIsRefusedBeforeLibpngAsksForIt) {
  // 42 bytes whose suggested-palette chunk claims 2 GB: libpng would allocate it whole first.
  const TBytes hostile = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A, 0,    0,    0,
                          13,   'I', 'H', 'D', 'R',  0,    0,    0,    6,    0,    0,
                          0,    6,   4,   3,   0,    0,    0,    0x12, 0xE2, 0xF2, 0x7B,
                          0x7A, 0,   0,   0,   's',  'P',  'L',  'T',  0x82};
  for (auto read : {+[](const TBytes& b) { ReadPngPicture(b.data(), b.size()); },
                    +[](const TBytes& b) { ReadPng(b.data(), b.size()); }}) {
    try {
      read(hostile);
      ADD_FAILURE() << "read a chunk past the end of the file";
    } catch (const EVelmoraError& e) {
      EXPECT_NE(std::string(e.what()).find("past the end"), std::string::npos) << e.what();
    }
  }
}

TEST(AlphaIcon, EntriesKeepTheirAlphaAndLargeOnesStayPng) {
  std::vector<TIconImage> icons;
  for (int size : {16, 48, 256}) {
    TIconImage icon;
    icon.Image = AlphaImage(size, size);
    icon.BitCount = 32;
    icons.push_back(std::move(icon));
  }
  const TBytes file = WriteIcon(icons);
  for (size_t i = 0; i < icons.size(); ++i) {
    const size_t offset = GetLE32(file.data() + 6 + 16 * i + 12);
    EXPECT_EQ(HasPngSignature(file.data() + offset, file.size() - offset), i == 2) << i;
  }
  const std::vector<TIconImage> read = ReadIcon(file.data(), file.size());
  ASSERT_EQ(read.size(), 3u);
  for (size_t i = 0; i < read.size(); ++i) {
    EXPECT_EQ(read[i].BitCount, 32);
    EXPECT_EQ(read[i].Image, icons[i].Image) << i;
  }

  // Opened and saved as a document, every entry decodes as before in ImageMagick and Pillow.
  const TTempDir dir;
  WriteFileAtomic(dir.File("in.ico"), file);
  const TDocument doc = OpenDocument(dir.File("in.ico"));
  ASSERT_TRUE(doc.IsGroup());
  doc.Group->SaveToFile(dir.File("out.ico"));
  const TBytes saved = ReadFileBytes(dir.File("out.ico"));
  EXPECT_EQ(saved, file);
  for (size_t i = 0; i < icons.size(); ++i) {
    const std::string expected = external::ExpectedRgba(icons[i].Image, true);
    const auto magick = external::MagickRgba(dir.File("out.ico") + "[" + std::to_string(i) + "]");
    const auto pillow = external::PillowRgba(dir.File("out.ico"), icons[i].Image.Width());
    ASSERT_TRUE(magick && pillow);
    EXPECT_EQ(external::FirstVisibleDifference(*magick, expected), -1) << i;
    EXPECT_EQ(external::FirstVisibleDifference(*pillow, expected), -1) << i;
  }
}

TEST(AlphaIcon, IconsFromOtherProgramsRoundTrip) {
  // ImageMagick stores 256-pixel entries as PNG and smaller ones as 32-bit bitmaps.
  const TTempDir dir;
  const std::string in = dir.File("im.ico");
  ASSERT_TRUE(external::Run(
      "convert -size 256x256 radial-gradient:'rgba(0,128,255,1)'-'rgba(255,0,0,0)' -define "
      "icon:auto-resize=256,32,16 " +
      in + " 2>/dev/null"));
  const TDocument doc = OpenDocument(in);
  ASSERT_TRUE(doc.IsGroup());
  doc.Group->SaveToFile(dir.File("out.ico"));
  for (int i = 0; i < doc.Group->Count(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(doc.Group->GetFrame(i)->GetBitCount(), 32);
    const std::string n = "[" + std::to_string(i) + "]";
    const auto before = external::MagickRgba(in + n),
               after = external::MagickRgba(dir.File("out.ico") + n);
    ASSERT_TRUE(before && after);
    EXPECT_EQ(external::FirstVisibleDifference(*after, *before), -1);
  }
}
