#include "model/PaletteFormats.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "../TempDir.h"
#include "model/Errors.h"
#include "model/PaletteStore.h"

namespace {

TPaletteRecord Read(const std::string& bytes, const std::string& name) {
  TPaletteRecord pal;
  ReadAnyPaletteBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), name, pal);
  return pal;
}

// Whether reading throws EVelmoraError and leaves the record untouched.
bool Refused(const std::string& bytes, const std::string& name) {
  TPaletteRecord pal;
  pal.Count = 2;
  pal.SetColor(1, MakeColor(1, 2, 3));
  const TPaletteRecord before = pal;
  try {
    ReadAnyPaletteBytes(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), name, pal);
  } catch (const EVelmoraError&) {
    return pal == before;
  }
  return false;
}

std::string Le16(int v) {
  return {char(v & 0xFF), char(v >> 8)};
}
std::string Le32(uint32_t v) {
  return Le16(int(v & 0xFFFF)) + Le16(int(v >> 16));
}

TPaletteRecord Sample(int count) {
  TPaletteRecord pal;
  pal.Count = uint16_t(count);
  for (int i = 0; i < count; ++i) pal.SetColor(i, MakeColor(i % 256, (7 * i) % 256, 255 - i % 256));
  return pal;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// Files as other programs write them, typed from the published layouts.
TEST(PaletteFormats, ReadsFilesOfOtherPrograms) {
  const TPaletteRecord gimp = Read(
      "GIMP Palette\r\nName: Warm\r\nColumns: 4\r\n# made by hand\r\n"
      "255   0   0\tRed\r\n  0 128  64 Moss green\r\n\r\n 10  20  30\r\n",
      "warm.gpl");
  ASSERT_EQ(gimp.Count, 3);
  EXPECT_EQ(gimp.Color(0), MakeColor(255, 0, 0));
  EXPECT_EQ(gimp.Color(1), MakeColor(0, 128, 64));
  EXPECT_EQ(gimp.Color(2), MakeColor(10, 20, 30));

  const TPaletteRecord jasc = Read("JASC-PAL\r\n0100\r\n2\r\n1 2 3\r\n250 251 252\r\n", "x.pal");
  ASSERT_EQ(jasc.Count, 2);
  EXPECT_EQ(jasc.Color(1), MakeColor(250, 251, 252));

  // A RIFF palette with a chunk before "data", which readers skip.
  const std::string riff = "RIFF" + Le32(4 + 10 + 8 + 12) + "PAL " + "note" + Le32(1) + "x" +
                           std::string(1, '\0') + "data" + Le32(12) + Le16(0x0300) + Le16(2) +
                           std::string("\x11\x22\x33\x00\x44\x55\x66\x00", 8);
  const TPaletteRecord r = Read(riff, "x.pal");
  ASSERT_EQ(r.Count, 2);
  EXPECT_EQ(r.Color(0), MakeColor(0x11, 0x22, 0x33));
  EXPECT_EQ(r.Color(1), MakeColor(0x44, 0x55, 0x66));

  // Adobe tables: 768 bytes are 256 colours; the 4-byte trailer gives the count used.
  std::string act(768, '\0');
  act[3] = char(200);
  EXPECT_EQ(Read(act, "a.act").Count, 256);
  EXPECT_EQ(Read(act, "a.act").Color(1), MakeColor(200, 0, 0));
  EXPECT_EQ(Read(act + std::string("\x00\x05\xff\xff", 4), "a.ACT").Count, 5);
}

TEST(PaletteFormats, EveryFormatWritesWhatItReads) {
  for (const TPaletteFormatInfo& format : PaletteFormats())
    for (int count : {1, 16, 256, 264}) {
      if (format.Format == TPaletteFormat::Act && count > 256) {
        EXPECT_THROW(PaletteBytesAs(format.Format, Sample(count), "n"), EVelmoraError);
        continue;
      }
      const std::string bytes = PaletteBytesAs(format.Format, Sample(count), "Sample");
      const std::string name = std::string("Sample") + format.Extension;
      EXPECT_EQ(
          DetectPaletteFormat(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), name),
          format.Format)
          << format.Key;
      EXPECT_EQ(Read(bytes, name), Sample(count)) << format.Key << " " << count;
    }
  // The text formats as other programs expect them.
  EXPECT_EQ(PaletteBytesAs(TPaletteFormat::Jasc, Sample(1), ""),
            "JASC-PAL\r\n0100\r\n1\r\n0 0 255\r\n");
  EXPECT_EQ(PaletteBytesAs(TPaletteFormat::Gimp, Sample(1), "Two\nlines"),
            "GIMP Palette\nName: Two lines\nColumns: 8\n#\n  0   0 255\tIndex 0\n");
}

TEST(PaletteFormats, DamagedFilesAreRefusedWithoutTouchingThePalette) {
  EXPECT_TRUE(Refused("GIMP Palette\n1 2\n", "a.gpl"));
  EXPECT_TRUE(Refused("GIMP Palette\n1 2 256\n", "a.gpl"));
  EXPECT_TRUE(Refused("GIMP Palette\n1 2 3x\n", "a.gpl"));
  EXPECT_TRUE(Refused("GIMP Palette\nName: empty\n", "a.gpl"));
  std::string many = "GIMP Palette\n";
  for (int i = 0; i < 265; ++i) many += "1 2 3\n";
  EXPECT_TRUE(Refused(many, "a.gpl"));

  EXPECT_TRUE(Refused("JASC-PAL\r\n0100\r\n3\r\n1 2 3\r\n4 5 6\r\n", "a.pal"));  // one short
  EXPECT_TRUE(Refused("JASC-PAL\r\n0200\r\n1\r\n1 2 3\r\n", "a.pal"));
  EXPECT_TRUE(Refused("JASC-PAL\r\n0100\r\n-1\r\n", "a.pal"));
  EXPECT_TRUE(Refused("JASC-PAL\r\n0100\r\n99999\r\n", "a.pal"));

  const std::string head = "RIFF" + Le32(100) + "PAL ";
  EXPECT_TRUE(Refused(head, "a.pal"));  // no data chunk
  EXPECT_TRUE(Refused(head + "data" + Le32(8) + Le16(0x300) + Le16(2) + "abcd", "a.pal"));
  EXPECT_TRUE(Refused(head + "data" + Le32(1000) + Le16(0x300) + Le16(1) + "abcd", "a.pal"));
  EXPECT_TRUE(Refused(head + "data" + Le32(4) + Le16(0x300) + Le16(0), "a.pal"));

  EXPECT_TRUE(Refused(std::string(767, '\0'), "a.act"));
  EXPECT_TRUE(Refused(std::string(768, '\0') + "\x01\x01\xff\xff", "a.act"));  // 257 colours
}

TEST(PaletteFormats, StoreReadsAndWritesEveryFormatByName) {
  TTempDir dir;
  const TPaletteRecord pal = Sample(16);
  const auto always = [](const std::string&) { return true; };
  for (const char* name : {"w.gpl", "w.pal", "w.act", "w.plt16"}) {
    ASSERT_TRUE(WritePalette(dir.File(name), pal, always)) << name;
    TPaletteRecord back;
    ReadPalette(dir.File(name), back);
    EXPECT_EQ(back, pal) << name;
    EXPECT_EQ(CheckPaletteFile(dir.File(name)), "") << name;
  }
  EXPECT_EQ(ReadAll(dir.File("w.pal")).substr(0, 8), "JASC-PAL");
  ASSERT_TRUE(WritePalette(dir.File("r.pal"), pal, always, TPaletteFormat::Riff));
  EXPECT_EQ(ReadAll(dir.File("r.pal")).substr(0, 4), "RIFF");
  EXPECT_EQ(ListPaletteFiles(dir.Path().string(), AllPalettesPattern),
            (std::vector<std::string>{"r.pal", "w.act", "w.gpl", "w.pal", "w.plt16"}));

  // A palette the format cannot hold leaves the old file alone and asks nothing.
  EXPECT_THROW(WritePalette(dir.File("w.act"), Sample(264),
                            [](const std::string&) {
                              ADD_FAILURE() << "asked before the palette was known to fit";
                              return true;
                            }),
               EVelmoraError);
  TPaletteRecord back;
  ReadPalette(dir.File("w.act"), back);
  EXPECT_EQ(back, pal);

  // Files too large for any palette are not loaded.
  std::ofstream(dir.File("big.gpl"), std::ios::binary) << "GIMP Palette\n"
                                                       << std::string(MaxPaletteFileSize, '#');
  EXPECT_THROW(ReadPalette(dir.File("big.gpl"), back), EVelmoraError);
}
