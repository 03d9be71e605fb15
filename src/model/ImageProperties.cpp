#include "model/ImageProperties.h"

#include <vector>

#include "model/Groups.h"
#include "model/Surface.h"

namespace {

TColor BackgroundOf(const TSelectBitmap& image) {
  return image.GetTransparent() ? image.GetTransparentColor() : image.NearestColor(clWhite);
}

// Fills what lies right of `oldWidth` or below `oldHeight`.
void FillNewPixels(TSelectBitmap& image, int oldWidth, int oldHeight) {
  if (image.Width() <= oldWidth && image.Height() <= oldHeight) return;
  const TPixel fill = ColorToPixel(BackgroundOf(image));
  TSurface& pixels = image.EditImage();
  pixels.FillRect({oldWidth, 0, pixels.Width(), pixels.Height()}, fill);
  pixels.FillRect({0, oldHeight, pixels.Width(), pixels.Height()}, fill);
}

// The rasters a size change reaches, with their sizes before it.
struct TResized {
  TSelectBitmap* Image;
  int Width;
  int Height;
};

std::vector<TResized> FramesOf(const TImageGroup& group) {
  std::vector<TResized> frames;
  for (int i = 0; i < group.Count(); ++i) {
    TWorkFrame* f = group.GetFrame(i);
    frames.push_back({f, f->Width(), f->Height()});
  }
  return frames;
}

}  // namespace

int MaxImageSideOf(const std::string& className) {
  if (className == "TIconFrame" || className == "TIconGroup") return MaxIconSide;
  if (className == "TWorkJpeg") return MaxJpegSide;
  return MaxImageSide;
}

void ResizeCanvas(TSelectBitmap& image, int width, int height) {
  CheckSurfaceSize(width, height);
  auto* frame = dynamic_cast<TUniformFrame*>(&image);
  std::vector<TResized> reached =
      frame && frame->Group() ? FramesOf(*frame->Group())
                              : std::vector<TResized>{{&image, image.Width(), image.Height()}};
  image.SetWidth(width);
  image.SetHeight(height);
  for (const TResized& r : reached) FillNewPixels(*r.Image, r.Width, r.Height);
}

void ResizeGroupCanvas(TImageGroup& group, int width, int height) {
  CheckSurfaceSize(width, height);
  const std::vector<TResized> reached = FramesOf(group);
  group.SetWidth(width);
  group.SetHeight(height);
  if (dynamic_cast<TIconGroup*>(&group)) return;
  for (const TResized& r : reached) FillNewPixels(*r.Image, r.Width, r.Height);
}
