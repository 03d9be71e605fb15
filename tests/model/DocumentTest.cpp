#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "TempDir.h"
#include "TestRasters.h"
#include "model/Document.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/GraphUtils.h"
#include "model/Groups.h"
#include "model/WorkImages.h"
#include "model/GifBuilder.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/HandMadeFiles.h"
#include "model/codecs/PngCodec.h"

namespace {

// A 6x4 picture in the first colours of the default palette of `bits`.
void Paint(TSelectBitmap& r, int bits) {
  r.InitImage(6, 4, nullptr, bits);
  const int n = std::min<int>(r.GetPalette().Count, 16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 6; ++x)
      r.EditImage().SetPixel(x, y, ColorToPixel(r.GetPalette().Color((x + 3 * y) % n)));
}

template <typename Doc>
std::unique_ptr<Doc> Reload(const std::string& path) {
  auto doc = std::make_unique<Doc>();
  doc->LoadFromFile(path);
  return doc;
}

}  // namespace

TEST(Documents, BitmapsKeepTheirDepthAndPixels) {
  TTempDir dir;
  for (int bits : {1, 4, 8, 24, 32}) {
    TWorkBitmap bmp;
    Paint(bmp, bits);
    const std::string path = dir.File("b" + std::to_string(bits) + ".bmp");
    bmp.SaveToFile(path);
    EXPECT_FALSE(bmp.IsModified());
    EXPECT_EQ(bmp.GetFileName(), path);
    auto back = Reload<TWorkBitmap>(path);
    EXPECT_EQ(back->GetBitCount(), bits);
    EXPECT_EQ(back->Image(), bmp.Image()) << bits << " bits";
    EXPECT_FALSE(back->IsModified());
    EXPECT_EQ(back->GetLeftColor(), back->NearestColor(clBlack));
  }
}

// A 16-bit bitmap is saved in the layout it was read in, so every pixel reads back as it was:
// the default 5-5-5, 5-6-5 and 4-4-4 given by masks.
TEST(Documents, HighColourBitmapsKeepTheirLayout) {
  TTempDir dir;
  const std::vector<std::vector<uint32_t>> layouts = {
      {}, {0xF800, 0x07E0, 0x001F}, {0x0F00, 0x00F0, 0x000F}};
  for (const auto& masks : layouts) {
    TBmpLayout s;  // every 16-bit value once
    s.Width = 256;
    s.Height = 256;
    s.Bits = 16;
    s.Compression = masks.empty() ? 0 : 3;
    s.Masks = masks;
    for (uint32_t v = 0; v < 65536; ++v) PushLE(s.Pixels, v, 2);
    const TBytes file = MakeBmp(s);
    WriteFileAtomic(dir.File("in.bmp"), file);
    TWorkBitmap bmp;
    bmp.LoadFromFile(dir.File("in.bmp"));
    EXPECT_EQ(bmp.GetBitCount(), 16);
    bmp.SaveToFile(dir.File("out.bmp"));
    const TBytes saved = ReadFileBytes(dir.File("out.bmp"));
    EXPECT_EQ(GetLE32(saved.data() + 30), masks.empty() ? 0u : 3u) << masks.size();
    EXPECT_EQ(Reload<TWorkBitmap>(dir.File("out.bmp"))->Image(), bmp.Image());
  }
}

TEST(Documents, SavingMergesAFloatingLayerButTheDocumentKeepsIt) {
  TTempDir dir;
  TWorkBitmap bmp;
  Paint(bmp, 24);
  bmp.EditMask().SetSelected(0, 0, true);
  bmp.LiftSelection(true, clWhite);
  bmp.LayerLeft = 2;
  bmp.SaveToFile(dir.File("layer.bmp"));
  ASSERT_TRUE(bmp.HasLayer());
  EXPECT_EQ(bmp.LayerLeft, 2);
  auto back = Reload<TWorkBitmap>(dir.File("layer.bmp"));
  EXPECT_EQ(back->Image().Pixel(2, 0), bmp.Layer()->Pixel(0, 0));
  EXPECT_EQ(ColorAt(back->Image(), 0, 0), clWhite);
}

TEST(Documents, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  TTempDir dir;
  TWorkBitmap bmp;
  Paint(bmp, 8);
  const std::string path = dir.File("keep.bmp");
  bmp.SaveToFile(path);
  const TBytes before = ReadFileBytes(path);
  bmp.EditImage().SetPixel(0, 0, 0x123456);
  EXPECT_THROW(bmp.SaveToFile(dir.File("missing/folder/x.bmp")), EVelmoraError);
  EXPECT_TRUE(bmp.IsModified());
  EXPECT_EQ(bmp.GetFileName(), path);
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read |
                                               std::filesystem::perms::owner_exec);
  if (::geteuid() != 0) {  // root may write anywhere
    EXPECT_THROW(bmp.SaveToFile(path), EVelmoraError);
    EXPECT_EQ(ReadFileBytes(path), before);
  }
  std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
}

TEST(Documents, JpegQualityAndGifCommentsSurviveCommittedEdits) {
  TWorkJpeg jpeg;
  Paint(jpeg, 24);
  jpeg.Quality = 40;
  TSelectBitmap edit;
  edit.Assign(jpeg);
  jpeg.Assign(edit);  // how the editor commits a stroke
  EXPECT_EQ(jpeg.Quality, 40);
  TWorkBitmap other;
  Paint(other, 24);
  jpeg.Assign(other);  // another kind of document gives the default
  EXPECT_EQ(jpeg.Quality, 90);

  TWorkGifImage gif;
  Paint(gif, 4);
  gif.SetComments({"made by hand"});
  edit.Assign(gif);
  gif.Assign(edit);
  EXPECT_EQ(gif.Comments(), std::vector<std::string>{"made by hand"});
}

TEST(Documents, JpegOpensWithQuality90) {
  TTempDir dir;
  TWorkJpeg jpeg;
  Paint(jpeg, 24);
  jpeg.Quality = 30;
  jpeg.SaveToFile(dir.File("q.jpg"));
  auto back = Reload<TWorkJpeg>(dir.File("q.jpg"));
  EXPECT_EQ(back->Quality, 90);
  EXPECT_EQ(back->GetBitCount(), 24);
}

TEST(Documents, GifImagesKeepTransparencyCommentsAndInterlace) {
  TTempDir dir;
  TWorkGifImage gif;
  Paint(gif, 4);
  gif.SetTransparent(true);
  gif.SetTransparentColor(gif.GetPalette().Color(3));
  gif.SetComments({"one", "two"});
  gif.SetInterlaced(true);
  gif.SetCompression(1);
  gif.SaveToFile(dir.File("g.gif"));
  auto back = Reload<TWorkGifImage>(dir.File("g.gif"));
  EXPECT_EQ(back->Image(), gif.Image());
  EXPECT_EQ(back->GetBitCount(), 4);
  EXPECT_TRUE(back->GetTransparent());
  EXPECT_EQ(back->GetTransparentColor(), gif.GetPalette().Color(3));
  EXPECT_EQ(back->Comments(), (std::vector<std::string>{"one", "two"}));  // never merged
  EXPECT_TRUE(back->Interlaced());
  EXPECT_EQ(back->Compression(), DefaultGifCompression());  // not taken from the file
  EXPECT_FALSE(back->IsModified());
}

TEST(Documents, TheExtensionPicksTheClass) {
  EXPECT_EQ(CreateDocumentForFile("/x/a.BMP", false).ClassName(), "TWorkBitmap");
  EXPECT_EQ(CreateDocumentForFile("a.jpeg", false).ClassName(), "TWorkJpeg");
  EXPECT_EQ(CreateDocumentForFile("a.gif", false).ClassName(), "TWorkGifImage");
  EXPECT_EQ(CreateDocumentForFile("a.gif", true).ClassName(), "TGifImageGroup");
  EXPECT_EQ(CreateDocumentForFile("a.ico", false).ClassName(), "TIconGroup");
  EXPECT_EQ(CreateDocumentForFile("dir/a.ico", false).FileName(), "dir/a.ico");
  EXPECT_EQ(CreateDocumentForFile("a.png", false).ClassName(), "TWorkPng");
  try {
    CreateDocumentForFile("a.tif", false);
    FAIL();
  } catch (const EVelmoraError& e) {
    EXPECT_STREQ(e.what(), "Unknown extension type");
  }
}

namespace {

// Two 8x8 frames on the default 16-colour palette; the second is transparent.
void MakeAnimation(TGifImageGroup& g) {
  g.SetBitCount(4);
  FillDefaultPalette(g.Palette, 4);
  for (int i = 0; i < 2; ++i) g.AddFrame();
  g.SetWidth(8);
  g.SetHeight(8);
  for (int i = 0; i < 2; ++i) {
    auto* f = static_cast<TWorkGifFrame*>(g.GetFrame(i));
    f->EditImage().Fill(ColorToPixel(g.Palette.Color(9 + i)));
    f->EditImage().SetPixel(i, i, ColorToPixel(g.Palette.Color(1)));
    f->SetDelay(uint16_t(70 + 10 * i));
  }
  auto* second = static_cast<TWorkGifFrame*>(g.GetFrame(1));
  second->SetTransparent(true);
  second->SetTransparentColor(g.Palette.Color(1));
  second->Disposal = DisposeNone;
}

}  // namespace

TEST(Documents, AnimationsRoundTripFrameByFrame) {
  TTempDir dir;
  TGifImageGroup g;
  MakeAnimation(g);
  g.LoopCount = 3;
  g.SaveToFile(dir.File("anim.gif"));
  EXPECT_FALSE(g.IsModified());
  TDocument doc = OpenDocument(dir.File("anim.gif"));
  ASSERT_TRUE(doc.IsGroup());
  auto& back = static_cast<TGifImageGroup&>(*doc.Group);
  ASSERT_EQ(back.Count(), 2);
  EXPECT_EQ(back.LoopCount, 3);
  EXPECT_EQ(back.GetChildName(), "Frame");
  auto* first = static_cast<TWorkGifFrame*>(back.GetFrame(0));
  auto* second = static_cast<TWorkGifFrame*>(back.GetFrame(1));
  EXPECT_EQ(first->Image(), g.GetFrame(0)->Image());
  EXPECT_EQ(first->Delay(), 70);
  EXPECT_EQ(second->Delay(), 80);
  EXPECT_TRUE(second->GetTransparent());
  // The second frame's transparent pixel shows the first frame underneath.
  EXPECT_EQ(second->Image().Pixel(1, 1), first->Image().Pixel(1, 1));
  EXPECT_EQ(ColorAt(second->Image(), 0, 0), g.Palette.Color(10));
  EXPECT_FALSE(back.IsModified());
}

TEST(Documents, AOneImageGifOpensAsASingleImage) {
  TTempDir dir;
  TWorkGifImage gif;
  Paint(gif, 2);
  gif.SaveToFile(dir.File("one.gif"));
  EXPECT_EQ(OpenDocument(dir.File("one.gif")).ClassName(), "TWorkGifImage");
}

// A file opens by what it holds when its extension is missing or names another format; PNGs open
// in the class their extension names when that class takes them.
TEST(Documents, FilesOpenByTheirContent) {
  TTempDir dir;
  TGifImageGroup anim;
  MakeAnimation(anim);
  anim.SaveToFile(dir.File("anim.gif"));
  std::filesystem::rename(dir.File("anim.gif"), dir.File("anim"));
  EXPECT_EQ(OpenDocument(dir.File("anim")).ClassName(), "TGifImageGroup");
  TWorkBitmap bmp;
  Paint(bmp, 4);
  bmp.SaveToFile(dir.File("b.bmp"));
  std::filesystem::rename(dir.File("b.bmp"), dir.File("b.gif"));
  TDocument b = OpenDocument(dir.File("b.gif"));
  EXPECT_EQ(b.ClassName(), "TWorkBitmap");
  EXPECT_EQ(b.Image->Image(), bmp.Image());
  // The clipboard's bitmaps lack the file header.
  const TBytes file = ReadFileBytes(dir.File("b.gif"));
  WriteFileAtomic(dir.File("clip.dib"), TBytes(file.begin() + 14, file.end()));
  EXPECT_EQ(OpenDocument(dir.File("clip.dib")).Image->Image(), bmp.Image());

  const uint8_t rgba[] = {255, 0, 0, 255, 0, 0, 255, 0};  // red, then a clear pixel
  WriteFileAtomic(dir.File("p.bmp"), WritePng(2, 1, rgba));
  TDocument p = OpenDocument(dir.File("p.bmp"));
  EXPECT_EQ(p.ClassName(), "TWorkBitmap");
  EXPECT_EQ(ColorAt(p.Image->Image(), 0, 0), clRed);
  EXPECT_TRUE(p.Image->GetTransparent());
  EXPECT_EQ(ColorAt(p.Image->Image(), 1, 0), p.Image->GetTransparentColor());
  WriteFileAtomic(dir.File("p.ico"), WritePng(2, 1, rgba));
  TDocument i = OpenDocument(dir.File("p.ico"));
  ASSERT_EQ(i.ClassName(), "TIconGroup");
  EXPECT_EQ(i.Group->GetFrame(0)->GetBitCount(), 32);
  EXPECT_EQ(i.Group->GetFrame(0)->Image().Pixel(1, 0), WithAlpha(ColorToPixel(MakeColor(0, 0, 255)), 0));
  // Under any other name a PNG opens as a PNG picture.
  WriteFileAtomic(dir.File("p.dat"), WritePng(2, 1, rgba));
  EXPECT_EQ(OpenDocument(dir.File("p.dat")).ClassName(), "TWorkPng");

  WriteFileAtomic(dir.File("junk"), TBytes{1, 2, 3, 4});
  EXPECT_THROW(OpenDocument(dir.File("junk")), EVelmoraError);
}

TEST(Documents, IconsKeepSubIconsInOrderWithTheirKeys) {
  TTempDir dir;
  TIconGroup icon;
  const int sizes[3][2] = {{16, 16}, {32, 32}, {48, 24}};
  const int depths[3] = {4, 8, 24};
  for (int i = 0; i < 3; ++i) {
    TWorkFrame* f = icon.AddFrame();
    f->InitImage(sizes[i][0], sizes[i][1], nullptr, depths[i]);
    f->EditImage().Fill(ColorToPixel(f->GetPalette().Color(2)));
    f->EditImage().SetPixel(0, 0, ColorToPixel(IconTransparentColor));
    f->EditImage().SetPixel(1, 0, ColorToPixel(IconInvertColor));
  }
  icon.SaveToFile(dir.File("three.ico"));
  TDocument doc = OpenDocument(dir.File("three.ico"));
  ASSERT_EQ(doc.Group->Count(), 3);
  for (int i = 0; i < 3; ++i) {
    const TWorkFrame* f = doc.Group->GetFrame(i);
    EXPECT_EQ(f->Width(), sizes[i][0]);
    EXPECT_EQ(f->Height(), sizes[i][1]);
    EXPECT_EQ(f->GetBitCount(), depths[i]);
    EXPECT_EQ(f->Image(), icon.GetFrame(i)->Image()) << "sub-icon " << i;
  }
}

TEST(Documents, ThumbnailsOfIconsKeepTheirTransparentPixels) {
  TIconGroup icon;
  TWorkFrame* f = icon.AddFrame();
  f->InitImage(4, 4, nullptr, 4);
  f->EditImage().Fill(ColorToPixel(f->GetPalette().Color(12)));
  f->EditImage().SetPixel(2, 2, ColorToPixel(IconTransparentColor));
  const TBytes gif = BuildGifStream(icon);
  TDecodedPicture pic = DecodeGifPicture(gif.data(), gif.size());
  ASSERT_TRUE(pic.Transparent);
  EXPECT_EQ(pic.Image.Pixel(2, 2) & 0xFFFFFF, ColorToPixel(*pic.TransparentColor));
  EXPECT_EQ(pic.Image.Pixel(0, 0) & 0xFFFFFF, ColorToPixel(f->GetPalette().Color(12)));
}
