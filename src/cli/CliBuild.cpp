// "icon" and "gif" build one file from several pictures: an icon whose sub-icons are the inputs,
// or an animation whose frames are.

#include <algorithm>
#include <new>

#include "CliCommon.h"
#include "model/Errors.h"
#include "model/FileIO.h"
#include "model/Groups.h"

namespace {

// Every picture of an input: its image, or each frame of a group (the entries of an icon).
template <typename Visit>
void ForEachPicture(const TDocument& doc, Visit visit) {
  if (!doc.IsGroup()) {
    visit(*doc.Image);
    return;
  }
  for (int i = 0; i < doc.Group->Count(); ++i) visit(*doc.Group->GetFrame(i));
}

std::string SizeText(const TSelectBitmap& r) {
  return std::to_string(r.Width()) + "x" + std::to_string(r.Height());
}

// Runs a build step; what the model refuses is reported against the output file.
template <typename Step>
int SaveOutput(const std::string& out, Step step) {
  try {
    step();
  } catch (const EVelmoraError& e) {
    throw EFileError(out, e.what());
  } catch (const std::bad_alloc&) {
    throw EFileError(out, "Not enough memory to write the file.");
  }
  return 0;
}

}  // namespace

int RunIcon(const std::string& out, const std::vector<std::string>& inputs, int bits) {
  if (LowerExtension(out) != ".ico") throw EUsage("the icon's name must end in .ico");
  std::vector<TDocument> opened;
  for (const std::string& path : inputs) opened.push_back(OpenInput(path));
  std::vector<const TSelectBitmap*> pictures;
  for (const TDocument& doc : opened)
    ForEachPicture(doc, [&](const TSelectBitmap& r) { pictures.push_back(&r); });
  // Smallest first; pictures of one size keep the order they were given in.
  std::stable_sort(pictures.begin(), pictures.end(), [](const auto* a, const auto* b) {
    return std::pair(a->Width(), a->Height()) < std::pair(b->Width(), b->Height());
  });
  return SaveOutput(out, [&] {
    TDocument icon = CreateDocumentForFile(out, true);
    for (const TSelectBitmap* picture : pictures) {
      if (picture->Width() > 256 || picture->Height() > 256)
        throw EVelmoraError("A sub-icon of " + SizeText(*picture) +
                            " pixels is larger than 256x256.");
      CopyIntoIconFrame(*icon.Group->AddFrame(), *picture, 0);
    }
    ApplyBits(icon, out, bits, 0);
    icon.SaveToFile(out);
  });
}

int RunGif(const std::string& out, const std::vector<std::string>& frames, const TGifOptions& o) {
  if (LowerExtension(out) != ".gif") throw EUsage("the animation's name must end in .gif");
  std::vector<TDocument> opened;
  for (const std::string& path : frames) {
    opened.push_back(OpenInput(path));
    if (opened.back().IsGroup())
      throw EFileError(path, "Frames are single pictures; this file holds several.");
    // GIF frames show transparency through a key colour: alpha below 128 becomes it.
    if (opened.back().Image->UsesAlpha()) FitBitCount(*opened.back().Image, {24}, o.Dither);
    const TSelectBitmap& first = *opened.front().Image;
    const TSelectBitmap& image = *opened.back().Image;
    if (image.Width() != first.Width() || image.Height() != first.Height())
      throw EFileError(path, "The frame is " + SizeText(image) + " pixels, the first one " +
                                 SizeText(first) + ".");
  }
  return SaveOutput(out, [&] {
    TDocument gif = CreateDocumentForFile(out, true);
    TImageGroup& group = *gif.Group;
    group.SetWidth(opened.front().Image->Width());
    group.SetHeight(opened.front().Image->Height());
    for (const TDocument& doc : opened) {
      auto* frame = static_cast<TWorkGifFrame*>(group.AddFrame());
      frame->EditImage() = doc.Image->Image();
      frame->SetTransparent(doc.Image->GetTransparent());
      frame->SetTransparentColor(doc.Image->GetTransparentColor());
      frame->SetDelay(uint16_t(o.Delay));
    }
    // One palette for the whole animation, found from every frame's colours.
    ChangeGroupBitCount(group, o.Bits, o.Dither);
    static_cast<TGifImageGroup&>(group).LoopCount = o.Loop;
    group.SaveToFile(out);
  });
}
