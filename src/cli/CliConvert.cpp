// "convert" opens a file as the editor would, builds the document that the output name's
// extension asks for, applies the options and saves.

#include <set>

#include "CliCommon.h"
#include "model/ColorReduction.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/GifBuilder.h"
#include "model/GraphUtils.h"
#include "model/GroupBitCount.h"
#include "model/Groups.h"
#include "model/WorkImages.h"

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
  FitBitCount(*single.Image, AllowedBits(single.Image->GetColorModes()), dither);
  return single;
}

void ApplyBits(TDocument& doc, int bits, int dither) {
  const std::string modes = doc.IsGroup() ? doc.Group->GetColorModes() : doc.Image->GetColorModes();
  if (!AllowedBits(modes).count(bits))
    throw EUsage("--bits " + std::to_string(bits) + " is not a colour mode of " + doc.ClassName());
  TQuantizeChooser chooser(dither);
  if (doc.IsGroup())
    ChangeGroupBitCount(*doc.Group, bits, chooser, "");
  else
    doc.Image->ChangeBitCount(bits, chooser, "");
}

void ApplyOptions(TDocument& doc, const TConvertOptions& o) {
  auto* jpeg = dynamic_cast<TWorkJpeg*>(doc.Image.get());
  auto* gifImage = dynamic_cast<TWorkGifImage*>(doc.Image.get());
  auto* gifGroup = dynamic_cast<TGifImageGroup*>(doc.Group.get());
  if (o.Bits) ApplyBits(doc, o.Bits, o.Dither);
  if (o.Quality >= 0 && !jpeg) throw EUsage("--quality applies to JPEG output only");
  if (jpeg && o.Quality >= 0) jpeg->Quality = uint8_t(o.Quality);
  if (o.Compression >= 0 && !gifImage && !gifGroup)
    throw EUsage("--compression applies to GIF output only");
  if (gifImage && o.Compression >= 0) gifImage->SetCompression(uint8_t(o.Compression));
  if (gifGroup && o.Compression >= 0) gifGroup->SetCompression(uint8_t(o.Compression));
  if (o.Loop >= 0 && !gifGroup) throw EUsage("--loop applies to animated GIF output only");
  if (gifGroup && o.Loop >= 0) gifGroup->LoopCount = o.Loop;
}

}  // namespace

int RunConvert(const std::string& in, const std::string& out, const TConvertOptions& options) {
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
    ApplyOptions(output, options);
    output.SaveToFile(out);
  } catch (const EVelmoraError& e) {
    throw EFileError(out, e.what());
  } catch (const std::bad_alloc&) {
    throw EFileError(out, "Not enough memory to write the file.");
  }
  return 0;
}
