// The commands that build one file from several: icon, gif, and palette conversion. What they
// write is read back by ImageMagick and Pillow, as other programs will read it.

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "../model/TempDir.h"
#include "model/Document.h"
#include "model/FileIO.h"
#include "model/codecs/CodecBytes.h"
#include "model/Groups.h"
#include "model/codecs/IconCodec.h"
#include "model/codecs/PngCodec.h"

namespace {

// Runs a command line; stderr goes to the output as well. Returns the exit status.
int Shell(const std::string& command, std::string& out) {
  out.clear();
  FILE* p = ::popen((command + " 2>&1").c_str(), "r");
  if (!p) return -1;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) out.append(buf.data(), n);
  const int status = ::pclose(p);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

int Cli(const std::string& args, std::string& out) {
  return Shell(std::string(VELMORA_CLI) + " " + args, out);
}

// What a one-line Python program using Pillow prints about a file.
std::string Pillow(const std::string& path, const std::string& expression) {
  std::string out;
  Shell("/usr/bin/python3 -c \"from PIL import Image; im = Image.open('" + path + "'); print(" + expression +
          ")\"",
      out);
  return out;
}

// A square PNG of one colour whose top-left pixel is see-through.
std::string MakePng(const TTempDir& dir, const std::string& name, int size, uint8_t red) {
  std::vector<uint8_t> rgba(size_t(size) * size_t(size) * 4);
  for (size_t i = 0; i < rgba.size(); i += 4) {
    rgba[i] = red;
    rgba[i + 1] = 40;
    rgba[i + 2] = 200;
    rgba[i + 3] = i == 0 ? 0 : 255;
  }
  WriteFileAtomic(dir.File(name), WritePng(size, size, rgba.data()));
  return dir.File(name);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(CliBuild, IconHoldsEveryInputSmallestFirst) {
  TTempDir dir;
  const std::string big = MakePng(dir, "big.png", 48, 250), small = MakePng(dir, "s.png", 16, 10);
  std::string out;
  ASSERT_EQ(Cli("icon " + dir.File("pair.ico") + " " + big + " " + small, out), 0) << out;
  // An icon given as input brings all its entries.
  ASSERT_EQ(Cli("icon " + dir.File("all.ico") + " " + dir.File("pair.ico") + " " +
                    MakePng(dir, "m.png", 32, 128) + " --bits 8",
                out),
            0)
      << out;
  TDocument icon = OpenDocument(dir.File("all.ico"));
  ASSERT_EQ(icon.Group->Count(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(icon.Group->GetFrame(i)->Width(), 16 * (i + 1));
  EXPECT_EQ(icon.Group->GetFrame(0)->GetBitCount(), 8);

  std::string sizes;
  Shell("identify -format '%w %z|' " + dir.File("all.ico"), sizes);
  EXPECT_EQ(sizes, "16 8|32 8|48 8|");
  EXPECT_EQ(Pillow(dir.File("all.ico"), "sorted(im.info['sizes'])"),
            "[(16, 16), (32, 32), (48, 48)]\n");
  // The see-through corner stays see-through, the rest keeps its colour.
  EXPECT_EQ(Pillow(dir.File("pair.ico"),
                   "[im.size, im.convert('RGBA').getpixel((0, 0))[3], "
                   "im.convert('RGBA').getpixel((5, 5))]"),
            "[(48, 48), 0, (250, 40, 200, 255)]\n");
}

TEST(CliBuild, IconEntriesKeepAlphaAndTheLargestStaysPng) {
  const TTempDir dir;
  std::string out;
  ASSERT_EQ(Cli("icon " + dir.File("a.ico") + " " + MakePng(dir, "big.png", 256, 30) + " " +
                    MakePng(dir, "small.png", 16, 60),
                out),
            0)
      << out;
  const TBytes file = ReadFileBytes(dir.File("a.ico"));
  const std::vector<TIconImage> icons = ReadIcon(file.data(), file.size());
  ASSERT_EQ(icons.size(), 2u);
  for (const TIconImage& icon : icons) {
    EXPECT_EQ(icon.BitCount, 32);
    EXPECT_EQ(AlphaOf(icon.Image.Pixel(0, 0)), 0);
    EXPECT_EQ(icon.Image.Pixel(1, 0), ColorToPixel(MakeColor(icon.Image.Width() == 16 ? 60 : 30, 40, 200)));
  }
  const size_t second = GetLE32(file.data() + 6 + 16 + 12);
  EXPECT_TRUE(HasPngSignature(file.data() + second, file.size() - second));
}

TEST(CliBuild, GifIsOneOptimisedAnimationOfTheFrames) {
  TTempDir dir;
  const std::string a = MakePng(dir, "a.png", 16, 0), b = MakePng(dir, "b.png", 16, 255);
  std::string out;
  ASSERT_EQ(
      Cli("gif " + dir.File("anim.gif") + " " + a + " " + b + " " + a + " --delay 250 --loop 3",
          out),
      0)
      << out;
  std::string delays;
  Shell("identify -format '%T %w|' " + dir.File("anim.gif"), delays);
  EXPECT_EQ(delays.substr(0, 7), "25 16|2");  // the first frame whole, the others as stored
  EXPECT_EQ(Pillow(dir.File("anim.gif"), "[im.n_frames, im.info['duration'], im.info['loop']]"),
            "[3, 250, 3]\n");
  // Every composed frame shows its picture.
  EXPECT_EQ(Pillow(dir.File("anim.gif"),
                   "[(im.seek(i), im.convert('RGBA').getpixel((7, 7)))[1] for i in range(3)]"),
            "[(0, 40, 200, 255), (255, 40, 200, 255), (0, 40, 200, 255)]\n");

  // Frames of different sizes are refused with the frame named, and nothing is written.
  EXPECT_EQ(Cli("gif " + dir.File("bad.gif") + " " + a + " " + MakePng(dir, "c.png", 8, 0), out),
            1);
  EXPECT_NE(out.find("c.png: The frame is 8x8 pixels, the first one 16x16."), std::string::npos)
      << out;
  EXPECT_FALSE(std::ifstream(dir.File("bad.gif")).good());
  EXPECT_EQ(Cli("gif " + dir.File("x.gif") + " --delay 5", out), 2);
  EXPECT_EQ(Cli("gif " + dir.File("x.gif") + " " + a + " --bits 9", out), 2);
  EXPECT_EQ(Cli("icon " + dir.File("x.png") + " " + a, out), 2);
}

TEST(CliBuild, PaletteConvertsThroughEveryFormat) {
  TTempDir dir;
  std::ofstream(dir.File("in.gpl")) << "GIMP Palette\nName: Three\n#\n255 0 0 Red\n0 255 0\n0 0 "
                                       "255\tBlue\n";
  std::string out;
  ASSERT_EQ(Cli("palette " + dir.File("in.gpl") + " " + dir.File("a.pal"), out), 0) << out;
  EXPECT_EQ(ReadAll(dir.File("a.pal")),
            "JASC-PAL\r\n0100\r\n3\r\n255 0 0\r\n0 255 0\r\n0 0 255\r\n");
  ASSERT_EQ(Cli("palette " + dir.File("a.pal") + " " + dir.File("b.pal") + " --format riff", out),
            0);
  ASSERT_EQ(Cli("palette " + dir.File("b.pal") + " " + dir.File("c.act"), out), 0);
  ASSERT_EQ(Cli("palette " + dir.File("c.act") + " " + dir.File("d.plt4"), out), 0);
  ASSERT_EQ(Cli("palette " + dir.File("d.plt4") + " " + dir.File("e.gpl"), out), 0);
  EXPECT_EQ(ReadAll(dir.File("b.pal")).substr(0, 4), "RIFF");
  EXPECT_EQ(ReadAll(dir.File("c.act")).size(), 772u);
  EXPECT_EQ(ReadAll(dir.File("e.gpl")),
            "GIMP Palette\nName: e\nColumns: 8\n#\n255   0   0\tIndex 0\n  0 255   0\tIndex 1\n"
            "  0   0 255\tIndex 2\n");

  std::ofstream(dir.File("bad.pal")) << "JASC-PAL\r\n0100\r\n4\r\n1 2 3\r\n";
  EXPECT_EQ(Cli("palette " + dir.File("bad.pal") + " " + dir.File("f.gpl"), out), 1);
  EXPECT_NE(out.find("bad.pal: The JASC palette is shorter than it claims."), std::string::npos);
  EXPECT_EQ(Cli("palette " + dir.File("none.gpl") + " " + dir.File("f.gpl"), out), 1);
  EXPECT_EQ(Cli("palette " + dir.File("in.gpl") + " " + dir.File("f.gpl") + " --format png", out),
            2);
}
