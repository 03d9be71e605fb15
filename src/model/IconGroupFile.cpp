// Reading and writing icon files for TIconGroup: one sub-icon per frame.

#include "model/FileIO.h"
#include "model/Groups.h"
#include "model/codecs/IconCodec.h"

void TIconGroup::LoadFromFile(const std::string& name) {
  const TBytes bytes = ReadFileBytes(name);
  // Every entry is decoded before the first frame is added, so a damaged file adds nothing.
  const std::vector<TIconImage> images = ReadIcon(bytes.data(), bytes.size());
  ClearFrames();
  for (const TIconImage& icon : images) {
    TWorkFrame* frame = AddFrame();
    frame->SetWidth(icon.Image.Width());
    frame->SetHeight(icon.Image.Height());
    frame->SetBitCount(icon.BitCount);
    TPaletteRecord& pal = frame->GetPalette();
    if (icon.BitCount > 8) {
      FillDefaultPalette264(pal);
    } else {
      pal = TPaletteRecord{};
      pal.Count = uint16_t(1 << icon.BitCount);
      for (size_t i = 0; i < icon.Palette.size() && i < pal.Count; ++i)
        pal.SetColor(int(i), icon.Palette[i]);
    }
    frame->SetLeftColor(clBlack);
    frame->SetRightColor(clWhite);
    frame->EditImage() = icon.Image;
  }
  TImageGroup::LoadFromFile(name);
}

void TIconGroup::SaveToFile(const std::string& name) {
  std::vector<TIconImage> images;
  for (int i = 0; i < Count(); ++i) {
    TIconFrame copy;
    copy.Assign(*GetFrame(i));
    copy.DropLayer();
    TIconImage icon;
    icon.Image = copy.Image();
    icon.BitCount = uint8_t(copy.GetBitCount());
    if (icon.BitCount <= 8) {
      const TPaletteRecord& pal = copy.GetPalette();
      for (int k = 0; k < pal.Count && k < (1 << icon.BitCount); ++k)
        icon.Palette.push_back(pal.Color(k));
    }
    images.push_back(std::move(icon));
  }
  WriteFileAtomic(name, WriteIcon(images));
  TImageGroup::SaveToFile(name);
}
