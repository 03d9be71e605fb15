#include "windows/GifAnimation.h"

#include <QPainter>
#include <algorithm>

#include "model/Errors.h"
#include "model/ImageGroup.h"
#include "model/WorkFrame.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTables.h"
#include "render/ImageConvert.h"

namespace {

// The frame's rectangle on the screen.
QRect ScreenRect(const TGifData& gif, const TGifFrameData& f) {
  return QRect(f.Left, f.Top, f.Width, f.Height)
      .intersected(QRect(0, 0, gif.ScreenWidth, gif.ScreenHeight));
}

// Lays the frame's pixels over the canvas, leaving its transparent index out.
void DrawFrame(QImage& canvas, const TGifData& gif, const TGifFrameData& f) {
  const std::vector<TColor>& table = gif_detail::ActiveTable(gif, f);
  QRgb lookup[256];
  for (int i = 0; i < 256; ++i)
    lookup[i] = 0xFF000000u | ColorToPixel(gif_detail::TableColor(table, i));
  const bool transparent = f.Control.Present && f.Control.Transparent;
  const QRect r = ScreenRect(gif, f);
  for (int y = r.top(); y <= r.bottom(); ++y) {
    const uint8_t* src = f.Indices.data() + size_t(y - f.Top) * size_t(f.Width) - f.Left;
    auto* dst = reinterpret_cast<QRgb*>(canvas.scanLine(y));
    for (int x = r.left(); x <= r.right(); ++x)
      if (!transparent || src[x] != f.Control.TransparentIndex) dst[x] = lookup[src[x]];
  }
}

void CopyRect(QImage& target, const QImage& source, const QRect& r) {
  for (int y = r.top(); y <= r.bottom(); ++y)
    std::copy_n(reinterpret_cast<const QRgb*>(source.constScanLine(y)) + r.left(), r.width(),
                reinterpret_cast<QRgb*>(target.scanLine(y)) + r.left());
}

}  // namespace

int TGifAnimation::PlayDelayMs(int delayCs) {
  return delayCs <= 1 ? FastFrameDelayMs : delayCs * 10;
}

TGifAnimation TGifAnimation::Decode(const TBytes& bytes) {
  const TGifData gif = ReadGif(bytes.data(), bytes.size());
  TGifAnimation out;
  out.size_ = QSize(gif.ScreenWidth, gif.ScreenHeight);
  QImage canvas(out.size_, QImage::Format_ARGB32_Premultiplied);
  if (canvas.isNull()) throw EVelmoraError("The animation is too large to play.");
  canvas.fill(Qt::transparent);
  QImage previous;
  for (const TGifFrameData& f : gif.Frames) {
    const QRect r = ScreenRect(gif, f);
    if (r.isEmpty()) continue;
    const int disposal = gif_detail::EffectiveDisposal(f.Control);
    if (disposal == 3) previous = canvas.copy();
    DrawFrame(canvas, gif, f);
    // The frame keeps its own copy once the canvas is written again (implicit sharing).
    out.frames_.push_back({canvas, PlayDelayMs(f.Control.Present ? f.Control.DelayCs : 0)});
    if (disposal == 2) {
      for (int y = r.top(); y <= r.bottom(); ++y)
        std::fill_n(reinterpret_cast<QRgb*>(canvas.scanLine(y)) + r.left(), r.width(), 0u);
    } else if (disposal == 3) {
      CopyRect(canvas, previous, r);
    }
  }
  if (out.frames_.empty()) throw EVelmoraError("The animation has no frame to play.");
  return out;
}

TGifAnimation TGifAnimation::Compose(const TImageGroup& group) {
  TGifAnimation out;
  int width = std::max(group.Width, 1), height = std::max(group.Height, 1);
  for (int i = 0; i < group.Count(); ++i) {
    width = std::max(width, group.GetFrame(i)->Width());
    height = std::max(height, group.GetFrame(i)->Height());
  }
  out.size_ = QSize(width, height);
  for (int i = 0; i < group.Count(); ++i) {
    QImage canvas(out.size_, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull()) throw EVelmoraError("The animation is too large to play.");
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.drawImage(0, 0, PictureImage(*group.GetFrame(i), true));
    painter.end();
    out.frames_.push_back({std::move(canvas), PlayDelayMs(SubIconDelayCs)});
  }
  if (out.frames_.empty()) throw EVelmoraError("The animation has no frame to play.");
  return out;
}
