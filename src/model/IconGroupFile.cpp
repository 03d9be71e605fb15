// Reading and writing icon files for TIconGroup: one sub-icon per frame.

#include "model/FileIO.h"
#include "model/Groups.h"
#include "model/ReadBudget.h"
#include "model/codecs/IconCodec.h"

void TIconGroup::LoadFromFile(const std::string& name) {
  const TReadBudget budget;
  const TBytes bytes = ReadFileBytes(name);
  // Every entry is decoded before the first frame is added, so a damaged file adds nothing.
  std::vector<TIconImage> images = ReadIcon(bytes.data(), bytes.size());
  ClearFrames();
  for (TIconImage& icon : images) {
    TWorkFrame* frame = AddFrame();
    // The pixels move into the frame first, so sizing it takes no second picture.
    frame->EditImage() = std::move(icon.Image);
    frame->SetWidth(frame->Image().Width());
    frame->SetHeight(frame->Image().Height());
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
    if (auto* iconFrame = dynamic_cast<TIconFrame*>(frame)) iconFrame->StoredAsPng = icon.Png;
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
    icon.Png = copy.StoredAsPng;
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
