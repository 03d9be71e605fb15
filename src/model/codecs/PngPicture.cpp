// PNG documents through libpng's full interface, which tells the stored colour type, palette and
// tRNS chunk (the simplified interface in PngCodec.cpp hands over RGBA only).
//
// libpng reports errors by longjmp. Every libpng call therefore runs inside one of the two
// "core" functions below, which hold no object with a destructor: what they fill lives in the
// caller's frame, and the caller's guard frees libpng's state on every path.

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <string>

#include <png.h>

#include "model/Errors.h"
#include "model/codecs/DibRows.h"
#include "model/codecs/PaletteMapper.h"
#include "model/codecs/PngCodec.h"

namespace {

struct TPngMessages {
  char Error[160] = "";
};

void OnError(png_structp png, png_const_charp message) {
  auto* messages = static_cast<TPngMessages*>(png_get_error_ptr(png));
  std::snprintf(messages->Error, sizeof messages->Error, "%s", message ? message : "");
  png_longjmp(png, 1);
}

void OnWarning(png_structp, png_const_charp) {}

[[noreturn]] void Fail(const TPngMessages& messages, const char* fallback) {
  std::string message = messages.Error[0] ? messages.Error : fallback;
  if (!message.empty() && message.back() != '.') message += '.';
  throw EVelmoraError("PNG error: " + message);
}

// ---- Reading ----

struct TMemoryInput {
  const uint8_t* Data;
  size_t Size;
  size_t Pos;
};

void ReadFromMemory(png_structp png, png_bytep out, png_size_t length) {
  auto* in = static_cast<TMemoryInput*>(png_get_io_ptr(png));
  if (length > in->Size - in->Pos) png_error(png, "the file is truncated");
  std::memcpy(out, in->Data + in->Pos, length);
  in->Pos += length;
}

// What the header and the palette chunks say, and how the rows are handed over.
struct TPngLayout {
  png_uint_32 Width = 0, Height = 0;
  int Depth = 0, ColorType = 0;
  bool Indexed = false;       // rows hold palette indices, one byte each
  bool Alpha = false;         // rows hold RGBA, else RGB (when not indexed)
  std::vector<TColor> Palette;
  int KeyIndex = -1;          // the palette's transparent entry
  std::optional<TColor> Key;  // an RGB file's transparent colour
};

// A palette's tRNS chunk can be said with a key colour when it makes exactly one entry fully
// transparent, leaves every other opaque, and that entry's colour appears nowhere else.
int SimpleKeyIndex(const std::vector<TColor>& palette, png_bytep alpha, int count) {
  int key = -1;
  for (int i = 0; i < count && i < int(palette.size()); ++i) {
    if (alpha[i] == 255) continue;
    if (alpha[i] != 0 || key >= 0) return -2;
    key = i;
  }
  if (key < 0) return -1;
  for (int i = 0; i < int(palette.size()); ++i)
    if (i != key && palette[size_t(i)] == palette[size_t(key)]) return -2;
  return key;
}

// Reads the header and chooses the transformations.
bool ReadHeaderCore(png_structp png, png_infop info, TPngLayout& layout) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_info(png, info);
  int interlace = 0;
  png_get_IHDR(png, info, &layout.Width, &layout.Height, &layout.Depth, &layout.ColorType,
               &interlace, nullptr, nullptr);
  png_colorp plte = nullptr;
  int plteCount = 0;
  if (png_get_PLTE(png, info, &plte, &plteCount))
    for (int i = 0; i < plteCount; ++i)
      layout.Palette.push_back(MakeColor(plte[i].red, plte[i].green, plte[i].blue));
  png_bytep transAlpha = nullptr;
  int transCount = 0;
  png_color_16p transColor = nullptr;
  const bool trns = png_get_tRNS(png, info, &transAlpha, &transCount, &transColor) != 0;
  const int type = layout.ColorType;
  if (type == PNG_COLOR_TYPE_PALETTE) {
    layout.KeyIndex = trns ? SimpleKeyIndex(layout.Palette, transAlpha, transCount) : -1;
    layout.Indexed = layout.KeyIndex >= -1 && !layout.Palette.empty();
  }
  if (layout.Indexed) {
    png_set_packing(png);
  } else {
    png_set_expand(png);  // palette to RGB, low grey depths to 8 bits, tRNS to alpha
    png_set_scale_16(png);
    png_set_gray_to_rgb(png);
    const bool rgbKey = type == PNG_COLOR_TYPE_RGB && trns && layout.Depth == 8 && transColor;
    layout.Alpha = (type & PNG_COLOR_MASK_ALPHA) || (trns && !rgbKey);
    if (rgbKey) {
      layout.Key = MakeColor(transColor->red, transColor->green, transColor->blue);
      png_set_strip_alpha(png);  // the key colour stands for the tRNS chunk
    }
    if (!layout.Alpha && !rgbKey && (type & PNG_COLOR_MASK_ALPHA)) png_set_strip_alpha(png);
  }
  if (interlace != PNG_INTERLACE_NONE) png_set_interlace_handling(png);
  png_read_update_info(png, info);
  return true;
}

bool ReadRowsCore(png_structp png, std::vector<png_bytep>& rows) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_read_image(png, rows.data());
  return true;
}

struct TReadGuard {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  ~TReadGuard() { png_destroy_read_struct(&Png, &Info, nullptr); }
};

void ToPixels(const TPngLayout& layout, const std::vector<uint8_t>& bytes, size_t stride,
              TSurface& image) {
  const int w = image.Width();
  for (int y = 0; y < image.Height(); ++y) {
    const uint8_t* src = bytes.data() + stride * size_t(y);
    TPixel* dst = image.Row(y);
    if (layout.Indexed) {
      for (int x = 0; x < w; ++x)  // an index beyond the palette reads as black
        dst[x] = src[x] < layout.Palette.size() ? ColorToPixel(layout.Palette[src[x]]) : 0;
    } else if (layout.Alpha) {
      for (int x = 0; x < w; ++x, src += 4)
        dst[x] = WithAlpha(TPixel(src[2]) | TPixel(src[1]) << 8 | TPixel(src[0]) << 16, src[3]);
    } else {
      for (int x = 0; x < w; ++x, src += 3)
        dst[x] = TPixel(src[2]) | TPixel(src[1]) << 8 | TPixel(src[0]) << 16;
    }
  }
}

// ---- Writing ----

void WriteToBytes(png_structp png, png_bytep data, png_size_t length) {
  auto* out = static_cast<TBytes*>(png_get_io_ptr(png));
  out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

struct TPngPlan {
  int Width = 0, Height = 0, Depth = 8, ColorType = PNG_COLOR_TYPE_RGB;
  std::vector<png_color> Palette;
  std::vector<png_byte> TransAlpha;  // palette tRNS
  bool HasKey = false;
  png_color_16 KeyColor{};
  std::vector<png_bytep> Rows;
};

bool WriteCore(png_structp png, png_infop info, TPngPlan& plan) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_IHDR(png, info, png_uint_32(plan.Width), png_uint_32(plan.Height), plan.Depth,
               plan.ColorType, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  if (!plan.Palette.empty()) png_set_PLTE(png, info, plan.Palette.data(), int(plan.Palette.size()));
  if (!plan.TransAlpha.empty())
    png_set_tRNS(png, info, plan.TransAlpha.data(), int(plan.TransAlpha.size()), nullptr);
  if (plan.HasKey) png_set_tRNS(png, info, nullptr, 0, &plan.KeyColor);
  png_write_info(png, info);
  if (plan.Depth < 8) png_set_packing(png);
  png_write_image(png, plan.Rows.data());
  png_write_end(png, nullptr);
  return true;
}

struct TWriteGuard {
  png_structp Png = nullptr;
  png_infop Info = nullptr;
  ~TWriteGuard() { png_destroy_write_struct(&Png, &Info); }
};

// The rows as the plan's colour type stores them, one byte per palette index.
std::vector<uint8_t> EncodeRows(const TPngPicture& picture, TPngPlan& plan) {
  const TSurface& image = *picture.Image;
  const size_t channels = plan.ColorType == PNG_COLOR_TYPE_PALETTE ? 1
                          : plan.ColorType == PNG_COLOR_TYPE_RGBA  ? 4
                                                                   : 3;
  const size_t stride = channels * size_t(plan.Width);
  std::vector<uint8_t> bytes(stride * size_t(plan.Height));
  std::vector<TColor> colors;
  for (const png_color& c : plan.Palette) colors.push_back(MakeColor(c.red, c.green, c.blue));
  std::optional<TPaletteMapper> mapper;
  if (channels == 1) mapper.emplace(colors.data(), int(colors.size()));
  for (int y = 0; y < plan.Height; ++y) {
    const TPixel* src = image.Row(y);
    uint8_t* dst = bytes.data() + stride * size_t(y);
    for (int x = 0; x < plan.Width; ++x) {
      const TPixel p = src[x];
      if (channels == 1) {
        *dst++ = uint8_t(mapper->IndexOf(p));
        continue;
      }
      *dst++ = uint8_t(p >> 16);
      *dst++ = uint8_t(p >> 8);
      *dst++ = uint8_t(p);
      if (channels == 4) *dst++ = uint8_t(AlphaOf(p));
    }
    plan.Rows.push_back(bytes.data() + stride * size_t(y));
  }
  return bytes;
}

void PlanColors(const TPngPicture& picture, TPngPlan& plan) {
  const int bits = DibFormatBits(picture.BitCount);
  if (bits <= 8) {
    plan.ColorType = PNG_COLOR_TYPE_PALETTE;
    plan.Depth = bits;
    const size_t n = std::clamp<size_t>(picture.Palette.size(), 1, size_t(1) << bits);
    for (size_t i = 0; i < n; ++i) {
      const TColor c = i < picture.Palette.size() ? picture.Palette[i] : clBlack;
      plan.Palette.push_back({png_byte(RedOf(c)), png_byte(GreenOf(c)), png_byte(BlueOf(c))});
    }
    if (picture.Key) {
      std::vector<TColor> colors;
      for (const png_color& c : plan.Palette) colors.push_back(MakeColor(c.red, c.green, c.blue));
      TPaletteMapper mapper(colors.data(), int(colors.size()));
      const int key = mapper.IndexOf(ColorToPixel(*picture.Key));
      plan.TransAlpha.assign(size_t(key) + 1, 255);
      plan.TransAlpha[size_t(key)] = 0;
    }
  } else if (picture.BitCount == 32) {
    plan.ColorType = PNG_COLOR_TYPE_RGBA;
  } else if (picture.Key) {
    plan.HasKey = true;
    plan.KeyColor.red = png_uint_16(RedOf(*picture.Key));
    plan.KeyColor.green = png_uint_16(GreenOf(*picture.Key));
    plan.KeyColor.blue = png_uint_16(BlueOf(*picture.Key));
  }
}

}  // namespace

TDecodedPicture ReadPngPicture(const uint8_t* data, size_t size, int64_t maxPixels) {
  if (!HasPngSignature(data, size)) throw EVelmoraError("Not a PNG image.");
  CheckPngChunks(data, size);
  TPngMessages messages;
  TReadGuard guard;
  guard.Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &messages, OnError, OnWarning);
  if (!guard.Png || !(guard.Info = png_create_info_struct(guard.Png)))
    throw EVelmoraError("PNG error: out of memory.");
  // A chunk may not ask for more than the file could hold (compressed text and profiles are
  // skipped anyway); rows are limited through the size check below.
  png_set_chunk_malloc_max(guard.Png, std::max<size_t>(size * 4, 1 << 20));
  png_set_user_limits(guard.Png, 0x7FFFFFFF, 0x7FFFFFFF);
  TMemoryInput input{data, size, 0};
  png_set_read_fn(guard.Png, &input, ReadFromMemory);
  TPngLayout layout;
  if (!ReadHeaderCore(guard.Png, guard.Info, layout)) Fail(messages, "cannot read the header");
  CheckSurfaceSize(layout.Width, layout.Height);
  if (int64_t(layout.Width) * layout.Height > maxPixels)
    throw EVelmoraError("The PNG image is too large.");
  const size_t stride = png_get_rowbytes(guard.Png, guard.Info);
  if (stride < size_t(layout.Width) * (layout.Indexed ? 1 : layout.Alpha ? 4 : 3))
    throw EVelmoraError("PNG error: unexpected row layout.");
  TDecodedPicture picture;
  picture.Kind = TPictureKind::Png;
  picture.Image = TSurface(int(layout.Width), int(layout.Height), 0);  // refused by the budget first
  const TBudgetTicket ticket(int64_t(stride) * layout.Height);
  std::vector<uint8_t> bytes(stride * layout.Height);
  std::vector<png_bytep> rows;
  for (png_uint_32 y = 0; y < layout.Height; ++y) rows.push_back(bytes.data() + stride * y);
  if (!ReadRowsCore(guard.Png, rows)) Fail(messages, "cannot read the pixels");
  ToPixels(layout, bytes, stride, picture.Image);
  if (layout.Indexed) {
    picture.BitCount = uint8_t(layout.Depth == 1 ? 1 : layout.Depth <= 4 ? 4 : 8);
    picture.Palette = layout.Palette;
    if (layout.KeyIndex >= 0) {
      picture.Transparent = true;
      picture.TransparentColor = layout.Palette[size_t(layout.KeyIndex)];
    }
  } else {
    picture.BitCount = layout.Alpha ? 32 : 24;
    picture.Transparent = layout.Key.has_value();
    picture.TransparentColor = layout.Key;
  }
  return picture;
}

TBytes WritePngPicture(const TPngPicture& picture) {
  if (!picture.Image || picture.Image->IsEmpty())
    throw EVelmoraError("Cannot save an empty image.");
  TPngPlan plan;
  plan.Width = picture.Image->Width();
  plan.Height = picture.Image->Height();
  PlanColors(picture, plan);
  const std::vector<uint8_t> rows = EncodeRows(picture, plan);
  TPngMessages messages;
  TWriteGuard guard;
  guard.Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &messages, OnError, OnWarning);
  if (!guard.Png || !(guard.Info = png_create_info_struct(guard.Png)))
    throw EVelmoraError("PNG error: out of memory.");
  TBytes out;
  png_set_write_fn(guard.Png, &out, WriteToBytes, FlushNothing);
  if (!WriteCore(guard.Png, guard.Info, plan)) Fail(messages, "cannot encode the image");
  return out;
}
