// "convert" opens a file as the editor would, builds the document that the output name's
// extension asks for, applies the options and saves.

#include <cctype>
#include <iterator>
#include <set>

#include "CliCommon.h"
#include "model/ColorReduction.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/GifBuilder.h"
#include "model/GraphUtils.h"
#include "model/GroupBitCount.h"
#include "model/Groups.h"
#include "model/RasterOps.h"
#include "model/WorkImages.h"
#include "model/codecs/GifCodec.h"

namespace {

// Always answers with an optimal palette and the dither mode given on the command line.
class TQuantizeChooser : public IReductionChooser {
 public:
  explicit TQuantizeChooser(int dither) : dither_(DitherModeFromIndex(dither)) {}
  std::optional<TReductionChoice> ChooseReduction(int, const std::string&) override {
    TReductionChoice choice;
    choice.Quantize = true;
    choice.Dither = dither_;
    return choice;
  }

 private:
  TDitherMode dither_;
};

const TSelectBitmap& FirstImage(const TDocument& doc) {
  if (doc.IsGroup()) return *doc.Group->GetFrame(0);
  return *doc.Image;
}

TDocument MakeIcon(const TDocument& in, const std::string& out, int dither) {
  TDocument icon = CreateDocumentForFile(out, true);
  const int count = in.IsGroup() ? in.Group->Count() : 1;
  for (int i = 0; i < count; ++i) {
    const TSelectBitmap& src = in.IsGroup() ? *in.Group->GetFrame(i) : *in.Image;
    CopyIntoIconFrame(*icon.Group->AddFrame(), src, dither);
  }
  return icon;
}

// Builds the output document; groups of their own kind are saved again as they are.
TDocument BuildOutput(TDocument& in, const std::string& out, int dither) {
  const std::string ext = LowerExtension(out);
  const bool inGif = in.IsGroup() && dynamic_cast<TGifImageGroup*>(in.Group.get());
  const bool inIcon = in.IsGroup() && dynamic_cast<TIconGroup*>(in.Group.get());
  if ((ext == ".gif" && inGif) || (ext == ".ico" && inIcon)) return std::move(in);
  if (ext == ".ico") return MakeIcon(in, out, dither);
  if (ext == ".gif" && !in.IsGroup()) {
    TDocument gif = CreateDocumentForFile(out, false);
    gif.Image->Assign(*in.Image);
    FitBitCount(*gif.Image, AllowedBits(gif.Image->GetColorModes()), dither);
    return gif;
  }
  if (ext == ".gif") return {};  // another kind of group: written through the GIF builder
  TDocument single = CreateDocumentForFile(out, false);
  single.Image->Assign(FirstImage(in));
  single.Image->DropLayer();
  // Only PNG and BMP pictures keep alpha; other classes show transparency through a key colour.
  const bool keepsAlpha = dynamic_cast<TWorkPng*>(single.Image.get()) ||
                          dynamic_cast<TWorkBitmap*>(single.Image.get());
  if (single.Image->UsesAlpha() && !keepsAlpha)
    FitBitCount(*single.Image, {24}, dither);
  FitBitCount(*single.Image, AllowedBits(single.Image->GetColorModes()), dither);
  return single;
}

}  // namespace

std::set<int> AllowedBits(const std::string& modes) {
  std::set<int> bits;
  size_t start = 0;
  while (start <= modes.size()) {
    const size_t end = std::min(modes.find('\r', start), modes.size());
    bits.insert(BitCountOfModeName(modes.substr(start, end - start)));
    start = end + 1;
  }
  return bits;
}

// Brings a raster to a depth its class can hold: palette images move up to the next palette
// depth unchanged, deeper images are reduced, anything else becomes 24 bits.
void FitBitCount(TSelectBitmap& r, const std::set<int>& allowed, int dither) {
  const int bits = r.GetBitCount();
  if (allowed.count(bits)) return;
  TQuantizeChooser chooser(dither);
  if (bits <= 8) {
    auto up = allowed.lower_bound(bits);
    if (up != allowed.end() && *up <= 8) {
      r.SetBitCount(*up);
      return;
    }
  }
  const int target = allowed.count(24) ? 24 : *allowed.rbegin();
  r.ChangeBitCount(target, chooser, "");
}

// Pixels of the transparent colour become the sub-icon's transparent colour.
void CopyIntoIconFrame(TWorkFrame& frame, const TSelectBitmap& source, int dither) {
  frame.Assign(source);
  frame.DropLayer();
  if (source.GetTransparent()) {
    const TPixel key = ColorToPixel(source.GetTransparentColor());
    TSurface& image = frame.EditImage();
    for (int y = 0; y < image.Height(); ++y)
      for (int x = 0; x < image.Width(); ++x)
        if ((image.Pixel(x, y) & 0xFFFFFF) == key) image.SetPixel(x, y, IconTransparentColor);
  }
  FitBitCount(frame, AllowedBits(frame.GetColorModes()), dither);
}

// One palette for all frames of an animation, then every frame remapped to it.
void ChangeGroupBitCount(TImageGroup& g, int bits, int dither) {
  int height = 0;
  for (int i = 0; i < g.Count(); ++i) height += g.GetFrame(i)->Height();
  TSurface all(g.Width, height);
  for (int i = 0, top = 0; i < g.Count(); top += g.GetFrame(i)->Height(), ++i)
    Blit(all, 0, top, g.GetFrame(i)->Image(), TRop::Copy);
  const std::vector<TColor> colors = QuantizeColors(all, 1 << bits, DitherModeFromIndex(dither));
  TPaletteRecord pal;
  pal.Count = uint16_t(1 << bits);
  for (size_t i = 0; i < colors.size(); ++i) pal.SetColor(int(i), colors[i]);
  g.Palette = pal;
  g.SetBitCount(bits);
  for (int i = 0; i < g.Count(); ++i) {
    auto* frame = static_cast<TUniformFrame*>(g.GetFrame(i));
    frame->SetLocalPalette(false);
    frame->ApplyPalette(g.Palette, DitherModeFromIndex(dither));
  }
}

namespace {

// "1, 4, 8, 16, 24 or 32 bits", or "1 to 8 bits" for a run of depths.
std::string DescribeDepths(const std::set<int>& bits) {
  if (bits.size() > 2 && *bits.rbegin() - *bits.begin() + 1 == int(bits.size()))
    return std::to_string(*bits.begin()) + " to " + std::to_string(*bits.rbegin()) + " bits";
  std::string text;
  for (auto it = bits.begin(); it != bits.end(); ++it)
    text += (it == bits.begin() ? "" : std::next(it) == bits.end() ? " or " : ", ") +
            std::to_string(*it);
  return text + " bits";
}

std::string KindOfImage(const TDocument& doc, const std::string& out) {
  if (doc.IsGroup()) return dynamic_cast<TIconGroup*>(doc.Group.get()) ? "Icons" : "GIF animations";
  std::string ext = LowerExtension(out).substr(1);
  for (char& c : ext) c = char(std::toupper(static_cast<unsigned char>(c)));
  return ext + " images";
}

}  // namespace

void ApplyBits(TDocument& doc, const std::string& out, int bits, int dither) {
  const std::string modes = doc.IsGroup() ? doc.Group->GetColorModes() : doc.Image->GetColorModes();
  const std::set<int> allowed = AllowedBits(modes);
  if (!allowed.count(bits))
    throw EUsage("--bits " + std::to_string(bits) + ": " + KindOfImage(doc, out) + " take " +
                 DescribeDepths(allowed));
  TQuantizeChooser chooser(dither);
  if (doc.IsGroup())
    ChangeGroupBitCount(*doc.Group, bits, chooser, "");
  else
    doc.Image->ChangeBitCount(bits, chooser, "");
}

namespace {

void ApplyOptions(TDocument& doc, const std::string& out, const TConvertOptions& o) {
  auto* jpeg = dynamic_cast<TWorkJpeg*>(doc.Image.get());
  auto* gifImage = dynamic_cast<TWorkGifImage*>(doc.Image.get());
  auto* gifGroup = dynamic_cast<TGifImageGroup*>(doc.Group.get());
  if (o.Bits) ApplyBits(doc, out, o.Bits, o.Dither);
  if (o.Quality >= 0 && !jpeg) throw EUsage("--quality applies to JPEG output only");
  if (jpeg && o.Quality >= 0) jpeg->Quality = uint8_t(o.Quality);
  if (o.Compression >= 0 && !gifImage && !gifGroup)
    throw EUsage("--compression applies to GIF output only");
  if (gifImage && o.Compression >= 0) gifImage->SetCompression(uint8_t(o.Compression));
  if (gifGroup && o.Compression >= 0) gifGroup->SetCompression(uint8_t(o.Compression));
  if (o.Loop >= 0 && !gifGroup) throw EUsage("--loop applies to animated GIF output only");
  if (gifGroup && o.Loop >= 0) gifGroup->LoopCount = o.Loop;
}

// An animation saved as GIF again, with no change of depth, is rewritten frame by frame exactly as
// opening and saving it writes it, without holding a picture of every frame.
bool RewriteAnimation(const std::string& in, const std::string& out, const TConvertOptions& o) {
  if (LowerExtension(out) != ".gif" || o.Bits || o.Quality >= 0) return false;
  TGifData gif;
  try {
    const TBytes bytes = ReadFileBytes(in);
    if (CountGifImages(bytes.data(), bytes.size()) < 2) return false;
    gif = ReadGif(bytes.data(), bytes.size());
  } catch (const EVelmoraError& e) {
    throw EFileError(in, e.what());
  } catch (const std::bad_alloc&) {
    throw EFileError(in, "Not enough memory to read the file.");
  }
  if (o.Loop >= 0) gif.LoopCount = o.Loop;
  const uint8_t compression = o.Compression >= 0 ? uint8_t(o.Compression) : DefaultGifCompression();
  try {
    WriteFileAtomic(out, RewriteGifAnimation(gif, compression));
  } catch (const EVelmoraError& e) {
    throw EFileError(out, e.what());
  } catch (const std::bad_alloc&) {
    throw EFileError(out, "Not enough memory to write the file.");
  }
  return true;
}

// Refuses an output name whose extension names no format the program writes.
void CheckOutputName(const std::string& out) {
  const std::string ext = LowerExtension(out);
  std::string known;
  for (const TDocumentFormat& f : DocumentFormats()) {
    if (ext == f.Extension) return;
    known += (known.empty() ? "" : ", ") + std::string(f.Extension);
  }
  throw EUsage("cannot write " + (ext.empty() ? std::string("a file without extension") : ext) +
               " files; the output name must end in one of " + known);
}

}  // namespace

int RunConvert(const std::string& in, const std::string& out, const TConvertOptions& options) {
  CheckOutputName(out);
  if (RewriteAnimation(in, out, options)) return 0;
  TDocument input = OpenInput(in);
  try {
    if (options.Compression >= 0) SetDefaultGifCompression(uint8_t(options.Compression));
    TDocument output = BuildOutput(input, out, options.Dither);
    if (!output.Image && !output.Group) {
      // Icon groups become animations through the GIF builder, frame by frame.
      if (options.Bits || options.Quality >= 0 || options.Loop >= 0)
        throw EUsage("only --compression applies when an icon becomes a GIF");
      WriteFileAtomic(out, BuildGifStream(*input.Group));
      return 0;
    }
    ApplyOptions(output, out, options);
    output.SaveToFile(out);
  } catch (const EVelmoraError& e) {
    throw EFileError(out, e.what());
  } catch (const std::bad_alloc&) {
    throw EFileError(out, "Not enough memory to write the file.");
  }
  return 0;
}
