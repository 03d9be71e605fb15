// Reading and writing animated GIF files for TGifImageGroup. Reading flattens the animation:
// every frame becomes a full-size picture of the screen as it looks once that frame is drawn.

#include "model/FileIO.h"
#include "model/GifBuilder.h"
#include "model/Groups.h"
#include "model/ReadBudget.h"
#include "model/codecs/GifCodec.h"

namespace {

void FillPalette(TPaletteRecord& pal, const std::vector<TColor>& colors) {
  pal = TPaletteRecord{};
  pal.Count = uint16_t(std::min<size_t>(colors.size(), MaxPaletteEntries));
  for (int i = 0; i < pal.Count; ++i) pal.SetColor(i, colors[size_t(i)]);
}

}  // namespace

void TGifImageGroup::LoadFromFile(const std::string& name) {
  const TReadBudget budget;
  const TBytes bytes = ReadFileBytes(name);
  // The whole file is decoded and composed before the first frame is added, so a damaged
  // file leaves nothing half-read.
  TComposedGif gif = ComposeGif(ReadGif(bytes.data(), bytes.size()));
  ClearFrames();
  SetBitCount(gif.BitCount);
  FillPalette(Palette, gif.Palette);
  SetWidth(gif.Width);
  SetHeight(gif.Height);
  for (TComposedFrame& f : gif.Frames) {
    auto* frame = static_cast<TWorkGifFrame*>(AddFrame());
    frame->SetLocalPalette(f.LocalPalette);
    if (f.LocalPalette) FillPalette(frame->GetPalette(), f.Palette);
    frame->SetTransparent(f.Transparent);
    frame->SetTransparentColor(f.TransparentColor);
    frame->Disposal = f.Disposal;
    frame->SetDelay(f.DelayMs);
    frame->SetInterlaced(f.Interlaced);
    frame->SetComments(f.Comments);
    frame->EditImage() = std::move(f.Image);
    frame->SetLeftColor(frame->NearestColor(clBlack));
    frame->SetRightColor(frame->NearestColor(clWhite));
  }
  TImageGroup::LoadFromFile(name);
}

void TGifImageGroup::SaveToFile(const std::string& name) {
  WriteFileAtomic(name, BuildGifStream(*this));
  TImageGroup::SaveToFile(name);
}
