#include <gtest/gtest.h>
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "../model/TempDir.h"
#include "model/Document.h"
#include "model/FileIO.h"
#include "model/GraphUtils.h"
#include "model/Groups.h"
#include "model/WorkImages.h"
#include "model/codecs/PngCodec.h"
#include "../model/TestRasters.h"

namespace {

struct TRun {
  int Status = -1;
  std::string Out;
};

// Runs velmora-cli with the arguments; stderr goes to the output as well.
TRun Cli(const std::string& args) {
  TRun run;
  FILE* p = ::popen((std::string(VELMORA_CLI) + " " + args + " 2>&1").c_str(), "r");
  if (!p) return run;
  std::array<char, 4096> buf;
  size_t n;
  while ((n = std::fread(buf.data(), 1, buf.size(), p)) > 0) run.Out.append(buf.data(), n);
  const int status = ::pclose(p);
  run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return run;
}

// A 4x3 transparent 4-bit GIF image.
std::string MakeGif(const TTempDir& dir) {
  TWorkGifImage gif;
  gif.InitImage(4, 3, nullptr, 4);
  gif.EditImage().Fill(ColorToPixel(gif.GetPalette().Color(9)));
  gif.EditImage().SetPixel(3, 2, ColorToPixel(gif.GetPalette().Color(0)));
  gif.SetTransparent(true);
  gif.SetTransparentColor(gif.GetPalette().Color(0));
  const std::string path = dir.File("t.gif");
  gif.SaveToFile(path);
  return path;
}

}  // namespace

TEST(Cli, InfoDescribesTheDocumentAsJson) {
  TTempDir dir;
  const TRun run = Cli("info " + MakeGif(dir));
  EXPECT_EQ(run.Status, 0) << run.Out;
  EXPECT_NE(run.Out.find("\"class\": \"TWorkGifImage\""), std::string::npos);
  EXPECT_NE(run.Out.find("\"bitCount\": 4"), std::string::npos);
  EXPECT_NE(run.Out.find("\"transparentColor\": \"#000000\""), std::string::npos);
}

TEST(Cli, FramesAreRgbaPngsWithTransparentPixelsClear) {
  TTempDir dir;
  const TRun run = Cli("frames " + MakeGif(dir) + " " + dir.File("out"));
  ASSERT_EQ(run.Status, 0) << run.Out;
  const TBytes png = ReadFileBytes(dir.File("out/frame-000.png"));
  const TRgbaImage rgba = ReadPng(png.data(), png.size());
  ASSERT_EQ(rgba.Width, 4);
  EXPECT_EQ(rgba.Rgba[3], 255);
  EXPECT_EQ(rgba.Rgba[(2 * 4 + 3) * 4 + 3], 0);
  EXPECT_EQ(rgba.Rgba[1], 0);  // blue is entry 9 of the default 16 colours
  EXPECT_EQ(rgba.Rgba[2], 255);
}

TEST(Cli, ConvertBuildsTheDocumentOfTheOutputExtension) {
  TTempDir dir;
  const std::string gif = MakeGif(dir);
  ASSERT_EQ(Cli("convert " + gif + " " + dir.File("a.ico")).Status, 0);
  TDocument icon = OpenDocument(dir.File("a.ico"));
  ASSERT_EQ(icon.Group->Count(), 1);
  EXPECT_EQ(ColorAt(icon.Group->GetFrame(0)->Image(), 3, 2), IconTransparentColor);

  ASSERT_EQ(Cli("convert " + dir.File("a.ico") + " " + dir.File("b.bmp") + " --bits 1").Status, 0);
  TDocument bmp = OpenDocument(dir.File("b.bmp"));
  EXPECT_EQ(bmp.Image->GetBitCount(), 1);

  const TRun jpeg = Cli("convert " + gif + " " + dir.File("c.jpg") + " --quality 20");
  ASSERT_EQ(jpeg.Status, 0) << jpeg.Out;
  EXPECT_EQ(OpenDocument(dir.File("c.jpg")).Image->GetBitCount(), 24);

  const TRun rle = Cli("convert " + dir.File("b.bmp") + " " + dir.File("d.gif") +
                       " --compression rle --dither 1");
  ASSERT_EQ(rle.Status, 0) << rle.Out;
  EXPECT_EQ(OpenDocument(dir.File("d.gif")).Image->GetBitCount(), 1);
}

TEST(Cli, ConvertReadsPngWithItsTransparency) {
  TTempDir dir;
  std::vector<uint8_t> rgba = {255, 0, 0, 255, 0, 0, 255, 0};  // red, then a clear pixel
  WriteFileAtomic(dir.File("in.png"), WritePng(2, 1, rgba.data()));
  ASSERT_EQ(Cli("convert " + dir.File("in.png") + " " + dir.File("out.bmp")).Status, 0);
  TDocument doc = OpenDocument(dir.File("out.bmp"));
  EXPECT_EQ(ColorAt(doc.Image->Image(), 0, 0), MakeColor(255, 0, 0));
  EXPECT_NE(ColorAt(doc.Image->Image(), 1, 0), MakeColor(255, 0, 0));
}

TEST(Cli, AlphaSurvivesConvertInfoAndFrames) {
  TTempDir dir;
  std::vector<uint8_t> rgba = {255, 0, 0, 255, 0, 0, 255, 0, 10, 20, 30, 77};
  WriteFileAtomic(dir.File("in.png"), WritePng(3, 1, rgba.data()));
  ASSERT_EQ(Cli("convert " + dir.File("in.png") + " " + dir.File("out.png")).Status, 0);
  EXPECT_EQ(ReadPng(ReadFileBytes(dir.File("out.png")).data(),
                    ReadFileBytes(dir.File("out.png")).size()).Rgba, rgba);
  EXPECT_NE(Cli("info " + dir.File("out.png")).Out.find("\"usesAlpha\": true"), std::string::npos);
  ASSERT_EQ(Cli("frames " + dir.File("out.png") + " " + dir.File("f")).Status, 0);
  const TBytes frame = ReadFileBytes(dir.File("f/frame-000.png"));
  EXPECT_EQ(ReadPng(frame.data(), frame.size()).Rgba, rgba);
  // BMP keeps alpha too.
  ASSERT_EQ(Cli("convert " + dir.File("in.png") + " " + dir.File("out.bmp")).Status, 0);
  const TDocument bmp = OpenDocument(dir.File("out.bmp"));
  EXPECT_EQ(bmp.Image->GetBitCount(), 32);
  EXPECT_EQ(AlphaOf(bmp.Image->Image().Pixel(2, 0)), 77);
  // Depths without alpha keep the transparent pixels as a key colour.
  ASSERT_EQ(Cli("convert " + dir.File("in.png") + " " + dir.File("out.gif")).Status, 0);
  const TDocument gif = OpenDocument(dir.File("out.gif"));
  EXPECT_TRUE(gif.Image->GetTransparent());
  EXPECT_NE(Cli("info " + dir.File("out.gif")).Out.find("\"usesAlpha\": false"), std::string::npos);
}

TEST(Cli, UsageErrorsExitWithTwoAndFileErrorsWithOne) {
  TTempDir dir;
  EXPECT_EQ(Cli("").Status, 2);
  EXPECT_EQ(Cli("info").Status, 2);
  EXPECT_EQ(Cli("convert a.bmp b.bmp --dither 9").Status, 2);
  EXPECT_EQ(Cli("convert " + MakeGif(dir) + " " + dir.File("x.bmp") + " --loop 3").Status, 2);
  const TRun missing = Cli("info " + dir.File("none.bmp"));
  EXPECT_EQ(missing.Status, 1);
  EXPECT_EQ(missing.Out.rfind("velmora-cli: " + dir.File("none.bmp") + ": ", 0), 0u) << missing.Out;
  // Messages speak of formats and depths.
  const TRun tif = Cli("convert " + MakeGif(dir) + " " + dir.File("x.tif"));
  EXPECT_EQ(tif.Status, 2);
  EXPECT_NE(tif.Out.find("cannot write .tif files; the output name must end in one of .bmp, .jpg"),
            std::string::npos)
      << tif.Out;
  const TRun bits = Cli("convert " + MakeGif(dir) + " " + dir.File("x.bmp") + " --bits 3");
  EXPECT_EQ(bits.Status, 2);
  EXPECT_NE(bits.Out.find("--bits 3: BMP images take 1, 4, 8, 16, 24 or 32 bits"), std::string::npos)
      << bits.Out;
}

TEST(Cli, ConvertKeepsWhatTheFileHolds) {
  TTempDir dir;
  // An interlaced single image stays interlaced.
  TWorkGifImage one;
  one.InitImage(4, 9, nullptr, 2);
  one.SetInterlaced(true);
  one.SaveToFile(dir.File("i.gif"));
  ASSERT_EQ(Cli("convert " + dir.File("i.gif") + " " + dir.File("j.gif")).Status, 0);
  EXPECT_TRUE(static_cast<TWorkGifImage&>(*OpenDocument(dir.File("j.gif")).Image).Interlaced());
  // An animation that plays once still does.
  TGifImageGroup anim;
  anim.SetBitCount(1);
  FillDefaultPalette(anim.Palette, 1);
  anim.AddFrame();
  anim.AddFrame();
  anim.SetWidth(3);
  anim.SetHeight(2);
  anim.LoopCount = NoLoopExtension;
  anim.SaveToFile(dir.File("a.gif"));
  ASSERT_EQ(Cli("convert " + dir.File("a.gif") + " " + dir.File("b.gif")).Status, 0);
  TDocument b = OpenDocument(dir.File("b.gif"));
  EXPECT_EQ(static_cast<TGifImageGroup&>(*b.Group).LoopCount, NoLoopExtension);
  // A reduced icon keeps its transparent pixels transparent and the others opaque.
  std::vector<uint8_t> rgba;
  for (int i = 0; i < 64; ++i) rgba.insert(rgba.end(), {uint8_t(i * 4), 200, uint8_t(255 - i), 255});
  for (int i = 0; i < 64; i += 3) rgba[size_t(i) * 4 + 3] = 0;
  WriteFileAtomic(dir.File("t.png"), WritePng(8, 8, rgba.data()));
  for (const char* depth : {"4", "8"}) {
    ASSERT_EQ(Cli("convert " + dir.File("t.png") + " " + dir.File("t.ico") + " --bits " + depth).Status,
              0);
    const TDocument doc = OpenDocument(dir.File("t.ico"));
    const TWorkFrame& icon = *doc.Group->GetFrame(0);
    for (int i = 0; i < 64; ++i)
      EXPECT_EQ(ColorAt(icon.Image(), i % 8, i / 8) == IconTransparentColor, i % 3 == 0)
          << depth << " " << i;
  }
}

TEST(Cli, FramesReplacesTheFramesOfAnEarlierRun) {
  TTempDir dir;
  std::filesystem::create_directories(dir.File("out"));
  for (const char* stale : {"frame-000.png", "frame-007.png", "notes.txt"})
    std::ofstream(dir.File("out/" + std::string(stale))) << "old";
  ASSERT_EQ(Cli("frames " + MakeGif(dir) + " " + dir.File("out")).Status, 0);
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/frame-000.png")));
  EXPECT_GT(std::filesystem::file_size(dir.File("out/frame-000.png")), 3u);
  EXPECT_FALSE(std::filesystem::exists(dir.File("out/frame-007.png")));
  EXPECT_TRUE(std::filesystem::exists(dir.File("out/notes.txt")));
}

TEST(Cli, GarbageFilesGiveAMessageNotACrash) {
  TTempDir dir;
  std::mt19937 random(7);
  for (const char* ext : {".bmp", ".gif", ".jpg", ".ico", ".png"}) {
    for (int size : {0, 1, 6, 40, 600}) {
      std::string bytes(size_t(size), '\0');
      for (char& c : bytes) c = char(random());
      if (size >= 2 && std::string(ext) == ".bmp") bytes[0] = 'B', bytes[1] = 'M';
      if (size >= 4 && std::string(ext) == ".ico") bytes[0] = bytes[1] = bytes[3] = 0, bytes[2] = 1;
      const std::string path = dir.File("junk" + std::to_string(size) + ext);
      std::ofstream(path, std::ios::binary) << bytes;
      const TRun run = Cli("info " + path);
      EXPECT_EQ(run.Status, 1) << path << ": " << run.Out;
    }
  }
}
