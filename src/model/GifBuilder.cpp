#include "model/GifBuilder.h"

#include <algorithm>
#include <unordered_map>

#include "model/ColorReduction.h"
#include "model/Groups.h"
#include "model/WorkImages.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTables.h"

namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (size_t i = 0; i < lines.size(); ++i) text += (i ? "\r\n" : "") + lines[i];
  return text;
}

// Looks every pixel up exactly in the table (first match wins); colours missing from it are
// written as index 0. The transparent colour, when it is not a table colour (the transparent
// pixels of sub-icons), is added to the table while there is room, so it stays transparent.
std::vector<uint8_t> IndexPixels(const TSurface& image, std::vector<TColor>& table,
                                 std::optional<TColor> key, int& keyIndex) {
  std::unordered_map<TPixel, uint8_t> index;
  for (size_t i = table.size(); i-- > 0;) index[ColorToPixel(table[i])] = uint8_t(i);
  keyIndex = -1;
  if (key) {
    auto it = index.find(ColorToPixel(*key));
    if (it == index.end() && table.size() < 256) {
      table.push_back(*key);
      it = index.emplace(ColorToPixel(*key), uint8_t(table.size() - 1)).first;
    }
    if (it != index.end()) keyIndex = it->second;
  }
  std::vector<uint8_t> out(size_t(image.Width()) * size_t(image.Height()));
  size_t o = 0;
  for (int y = 0; y < image.Height(); ++y) {
    const TPixel* row = image.Row(y);
    for (int x = 0; x < image.Width(); ++x, ++o) {
      const auto it = index.find(row[x] & 0xFFFFFF);
      out[o] = it == index.end() ? 0 : it->second;
    }
  }
  return out;
}

// Sub-icons can be deeper than a GIF allows: they are reduced to 256 colours first.
void LimitToEightBits(TSelectBitmap& raster) {
  if (raster.GetBitCount() <= 8) return;
  const std::vector<TColor> colors = QuantizeColors(raster.Image(), 256);
  TPaletteRecord pal;
  pal.Count = 256;
  for (size_t i = 0; i < colors.size(); ++i) pal.SetColor(int(i), colors[i]);
  raster.SetBitCount(8);
  raster.ApplyPalette(pal, TDitherMode::FloydSteinberg);
}

TGifFrameData BuildFrame(const TImageGroup& group, int i, const TGifData& gif) {
  const TWorkFrame& source = *group.GetFrame(i);
  TSelectBitmap raster;
  raster.Assign(source);
  raster.DropLayer();
  const bool wasPaletted = raster.GetBitCount() <= 8;
  LimitToEightBits(raster);
  const auto* uniform = dynamic_cast<const TUniformFrame*>(&source);
  const bool useGlobal =
      uniform && !uniform->LocalPalette() && wasPaletted && !gif.GlobalTable.empty();
  std::vector<TColor> table = useGlobal ? gif.GlobalTable : PaletteColors(raster.GetPalette(), 256);
  const size_t tableSize = table.size();
  std::optional<TColor> key;
  if (source.GetTransparent()) key = raster.NearestColor(source.GetTransparentColor());
  if (source.IsIconFrame()) key = IconTransparentColor;  // never a palette colour

  TGifFrameData f;
  f.Width = raster.Width();
  f.Height = raster.Height();
  int keyIndex = -1;
  f.Indices = IndexPixels(raster.Image(), table, key, keyIndex);
  if (!useGlobal || table.size() != tableSize) {
    f.LocalTable = table;
    f.LocalBits = gif_detail::BitsForCount(table.size());
  }
  const auto* gifFrame = dynamic_cast<const TWorkGifFrame*>(&source);
  if (gifFrame && !gifFrame->Comments().empty()) f.Comments = {JoinLines(gifFrame->Comments())};
  f.Control.Present = true;
  f.Control.DelayCs = uint16_t(gifFrame ? gifFrame->Delay() / 10 : 30);
  f.Control.Transparent = keyIndex >= 0;
  f.Control.TransparentIndex = uint8_t(std::max(keyIndex, 0));
  f.Control.Disposal = gifFrame ? gifFrame->Disposal : DisposeBackground;
  f.Interlaced = gifFrame && gifFrame->Interlaced();
  return f;
}

}  // namespace

TBytes BuildGifStream(const TImageGroup& group) {
  const auto* gifGroup = dynamic_cast<const TGifImageGroup*>(&group);
  TGifData gif;
  gif.ScreenWidth = std::max(group.Width, 1);
  gif.ScreenHeight = std::max(group.Height, 1);
  for (int i = 0; i < group.Count(); ++i) {
    gif.ScreenWidth = std::max(gif.ScreenWidth, group.GetFrame(i)->Width());
    gif.ScreenHeight = std::max(gif.ScreenHeight, group.GetFrame(i)->Height());
  }
  if (group.Palette.Count >= 1 && group.Palette.Count <= 256) {
    gif.GlobalTable = PaletteColors(group.Palette, 256);
    gif.GlobalBits = gif_detail::BitsForCount(gif.GlobalTable.size());
  }
  gif.BitsPerPixel = gif.GlobalTable.empty() ? 8 : gif.GlobalBits;
  gif.LoopCount = gifGroup ? (gifGroup->LoopCount & 0xFFFF) : 0;
  for (int i = 0; i < group.Count(); ++i) gif.Frames.push_back(BuildFrame(group, i, gif));
  const auto compression =
      TGifCompression(gifGroup ? gifGroup->Compression() : DefaultGifCompression());
  return WriteGif(OptimizeGif(gif), compression);
}

TBytes EncodeGifPicture(const TSelectBitmap& image, const std::vector<std::string>& comments,
                        bool interlaced, uint8_t compression) {
  TGifData gif;
  gif.ScreenWidth = image.Width();
  gif.ScreenHeight = image.Height();
  gif.GlobalTable = PaletteColors(image.GetPalette(), 256);
  if (gif.GlobalTable.empty()) gif.GlobalTable = {clBlack};
  gif.GlobalBits = gif_detail::BitsForCount(gif.GlobalTable.size());
  gif.BitsPerPixel = gif.GlobalBits;
  std::vector<TColor> table = gif.GlobalTable;
  TGifFrameData f;
  f.Width = image.Width();
  f.Height = image.Height();
  int keyIndex = -1;
  std::optional<TColor> key;
  if (image.GetTransparent()) key = image.NearestColor(image.GetTransparentColor());
  f.Indices = IndexPixels(image.Image(), table, key, keyIndex);
  if (table.size() != gif.GlobalTable.size()) gif.GlobalTable = table;
  f.Control.Present = true;
  f.Control.Transparent = keyIndex >= 0;
  f.Control.TransparentIndex = uint8_t(std::max(keyIndex, 0));
  if (!comments.empty() && !JoinLines(comments).empty()) f.Comments = {JoinLines(comments)};
  f.Interlaced = interlaced;
  gif.Frames.push_back(std::move(f));
  return WriteGif(gif, TGifCompression(compression));
}

int GifImageCount(const uint8_t* data, size_t size) {
  const TGifData gif = ReadGif(data, size);
  return int(std::count_if(gif.Frames.begin(), gif.Frames.end(),
                           [](const TGifFrameData& f) { return f.Width > 0 && f.Height > 0; }));
}
