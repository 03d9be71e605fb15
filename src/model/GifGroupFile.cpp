// Reading and writing animated GIF files for TGifImageGroup. Reading flattens the animation:
// every frame becomes a full-size picture of the screen as it looks once that frame is drawn, and
// the looping extension's count is kept (a file without one plays once).

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
  const TGifData data = ReadGif(bytes.data(), bytes.size());
  // The composer checks the whole animation's size first; should memory still run out, the
  // frames read so far are dropped again.
  TGifComposer composer(data);
  const TComposedGif& gif = composer.Group();
  ClearFrames();
  try {
    SetBitCount(gif.BitCount);
    FillPalette(Palette, gif.Palette);
    SetWidth(gif.Width);
    SetHeight(gif.Height);
    LoopCount = data.LoopCount.value_or(NoLoopExtension);
    BackgroundIndex = data.BackgroundIndex;
    while (composer.Next()) AddComposedFrame(composer);
  } catch (...) {
    ClearFrames();
    throw;
  }
  TImageGroup::LoadFromFile(name);
}

void TGifImageGroup::AddComposedFrame(const TGifComposer& composer) {
  const TComposedFrame& f = composer.Frame();
  auto* frame = static_cast<TWorkGifFrame*>(AddFrame());
  frame->SetLocalPalette(f.LocalPalette);
  if (f.LocalPalette) FillPalette(frame->GetPalette(), f.Palette);
  frame->SetTransparent(f.Transparent);
  frame->SetTransparentColor(f.TransparentColor);
  frame->Disposal = f.Disposal;
  frame->HasControlExtension = f.ControlPresent;
  frame->NamesTransparentIndex = f.NamesTransparentIndex;
  frame->SetDelay(f.DelayMs);
  frame->SetInterlaced(f.Interlaced);
  frame->SetComments(f.Comments);
  composer.CopyPicture(frame->EditImage());
  frame->SetLeftColor(frame->NearestColor(clBlack));
  frame->SetRightColor(frame->NearestColor(clWhite));
}

void TGifImageGroup::SaveToFile(const std::string& name) {
  WriteFileAtomic(name, BuildGifStream(*this));
  TImageGroup::SaveToFile(name);
}
