// "info" prints what the program holds after reading a file; "frames" writes its frames.

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "CliCommon.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/Groups.h"
#include "model/WorkImages.h"
#include "model/codecs/PngCodec.h"

namespace {

std::string Quote(const std::string& s) {
  std::string out = "\"";
  for (unsigned char c : s) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += char(c);
    } else if (c < 0x20) {
      char buf[8];
      std::snprintf(buf, sizeof buf, "\\u%04x", c);
      out += buf;
    } else {
      out += char(c);
    }
  }
  return out + "\"";
}

std::string Hex(TColor c) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "#%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
  return Quote(buf);
}

const char* Bool(bool b) { return b ? "true" : "false"; }

std::string Comments(const std::vector<std::string>& lines) {
  std::string out = "[";
  for (size_t i = 0; i < lines.size(); ++i) out += (i ? ", " : "") + Quote(lines[i]);
  return out + "]";
}

void PrintFrame(std::ostringstream& o, const TWorkFrame& f, int index) {
  const auto* gif = dynamic_cast<const TWorkGifFrame*>(&f);
  const auto* uniform = dynamic_cast<const TUniformFrame*>(&f);
  o << "    {\"index\": " << index << ", \"width\": " << f.Width() << ", \"height\": " << f.Height()
    << ", \"bitCount\": " << f.GetBitCount() << ", \"delay\": " << (gif ? gif->Delay() : 0)
    << ", \"disposal\": " << int(gif ? gif->Disposal : 0)
    << ", \"interlaced\": " << Bool(gif && gif->Interlaced())
    << ", \"localPalette\": " << Bool(uniform && uniform->LocalPalette())
    << ", \"transparent\": " << Bool(f.GetTransparent())
    << ", \"transparentColor\": " << Hex(f.GetTransparentColor())
    << ", \"usesAlpha\": " << Bool(f.UsesAlpha())
    << ", \"comments\": " << Comments(gif ? gif->Comments() : std::vector<std::string>{}) << "}";
}

std::string GroupJson(const TImageGroup& g) {
  const auto* gif = dynamic_cast<const TGifImageGroup*>(&g);
  const TWorkFrame* first = g.GetFrame(0);
  // Icon groups leave the group size to their sub-icons; the first one stands for it then.
  const bool own = g.Width > 0 || !first;
  std::ostringstream o;
  o << "{\n  \"class\": " << Quote(g.ClassName())
    << ",\n  \"width\": " << (own ? g.Width : first->Width())
    << ",\n  \"height\": " << (own ? g.Height : first->Height())
    << ",\n  \"bitCount\": " << (own ? int(g.BitCount) : first->GetBitCount())
    << ",\n  \"paletteCount\": " << g.Palette.Count
    << ",\n  \"transparent\": " << Bool(first ? first->GetTransparent() : g.Transparent)
    << ",\n  \"transparentColor\": " << Hex(first ? first->GetTransparentColor() : 0)
    << ",\n  \"loopCount\": " << (gif ? gif->LoopCount : 0) << ",\n  \"compression\": "
    << (gif ? Quote(gif->Compression() ? "RLE" : "LZW") : "null") << ",\n  \"frames\": [";
  for (int i = 0; i < g.Count(); ++i) {
    o << (i ? ",\n" : "\n");
    PrintFrame(o, *g.GetFrame(i), i);
  }
  o << "\n  ]\n}\n";
  return o.str();
}

// `w` gives the class and the settings of its kind, `f` the picture.
std::string ImageJson(const TWorkImage& w, const TPictureFacts& f) {
  std::ostringstream o;
  o << "{\n  \"class\": " << Quote(w.ClassName()) << ",\n  \"width\": " << f.Width
    << ",\n  \"height\": " << f.Height << ",\n  \"bitCount\": " << f.BitCount
    << ",\n  \"paletteCount\": " << f.PaletteCount
    << ",\n  \"transparent\": " << Bool(f.Transparent)
    << ",\n  \"transparentColor\": " << Hex(f.TransparentColor)
    << ",\n  \"usesAlpha\": " << Bool(f.UsesAlpha);
  if (auto* gif = dynamic_cast<const TWorkGifImage*>(&w))
    o << ",\n  \"compression\": " << Quote(gif->Compression() ? "RLE" : "LZW")
      << ",\n  \"interlaced\": " << Bool(gif->Interlaced())
      << ",\n  \"comments\": " << Comments(gif->Comments());
  if (auto* jpeg = dynamic_cast<const TWorkJpeg*>(&w)) o << ",\n  \"quality\": " << int(jpeg->Quality);
  o << "\n}\n";
  return o.str();
}

// Frames are an export that another run makes again, so each file is not waited for until it
// is on the disk: with hundreds of frames that wait would take longer than making them.
void WritePngFrame(const TSelectBitmap& raster, const std::filesystem::path& file) {
  const std::string rgba = RasterToRgba(raster);
  try {
    WriteFileAtomic(file.string(), WritePng(raster.Width(), raster.Height(),
                                            reinterpret_cast<const uint8_t*>(rgba.data()),
                                            raster.GetBitCount() <= 8),
                    TFileSync::System);
  } catch (const EVelmoraError& e) {
    throw EFileError(file.string(), e.what());
  }
}

// Frames of an earlier run would otherwise mix with these when the new file has fewer.
void RemoveOldFrames(const std::string& dir) {
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    const std::string name = entry.path().filename().string();
    const bool frame = name.size() >= 13 && name.rfind("frame-", 0) == 0 &&
                       name.substr(name.size() - 4) == ".png" &&
                       name.find_first_not_of("0123456789", 6) == name.size() - 4;
    if (frame && !std::filesystem::remove(entry.path(), ec))
      throw EFileError(entry.path().string(), ec.message());
  }
}

}  // namespace

int RunInfo(const std::string& path) {
  std::string json;
  // Single bitmaps and JPEG pictures are described from their headers: a large picture is then
  // not decoded and held just to tell its size.
  if (const std::optional<TPictureFacts> facts = ProbeInput(path)) {
    const TDocument blank = CreateDocumentForFile(path, false);
    json = ImageJson(*blank.Image, *facts);
  } else {
    const TDocument doc = OpenInput(path);
    json = doc.IsGroup() ? GroupJson(*doc.Group) : ImageJson(*doc.Image, FactsOf(*doc.Image));
  }
  std::fwrite(json.data(), 1, json.size(), stdout);
  return 0;
}

int RunFrames(const std::string& path, const std::string& dir) {
  const TDocument doc = OpenInput(path);
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  if (ec) throw EFileError(dir, ec.message());
  RemoveOldFrames(dir);
  const int count = doc.IsGroup() ? doc.Group->Count() : 1;
  for (int i = 0; i < count; ++i) {
    char name[32];
    std::snprintf(name, sizeof name, "frame-%03d.png", i);
    const TSelectBitmap& raster =
        doc.IsGroup() ? static_cast<const TSelectBitmap&>(*doc.Group->GetFrame(i)) : *doc.Image;
    WritePngFrame(raster, std::filesystem::path(dir) / name);
  }
  return 0;
}
