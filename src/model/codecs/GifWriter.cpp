// Writing GIF89a streams through giflib's encoder: LZW through EGifPutLine, the run-length coding
// as raw code blocks through EGifPutCode.

#include <gif_lib.h>

#include <algorithm>
#include <memory>
#include <string>

#include "model/Errors.h"
#include "model/codecs/GifCodeStreams.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTables.h"

namespace {

using gif_detail::BitsForCount;

int WriteToMemory(GifFileType* gif, const GifByteType* bytes, int length) {
  auto* out = static_cast<TBytes*>(gif->UserData);
  out->insert(out->end(), bytes, bytes + length);
  return length;
}

struct TGifWriterCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    EGifCloseFile(gif, &error);
  }
};
using TGifWriterPtr = std::unique_ptr<GifFileType, TGifWriterCloser>;

struct TColorMapFree {
  void operator()(ColorMapObject* map) const { GifFreeMapObject(map); }
};
using TColorMapPtr = std::unique_ptr<ColorMapObject, TColorMapFree>;

[[noreturn]] void ThrowInvalid() {
  throw EVelmoraError("The GIF picture cannot be written.");
}

// A table of 2^bits colours: the given ones, padded with black.
TColorMapPtr MakeMap(const std::vector<TColor>& table, int bits) {
  std::vector<GifColorType> colors(size_t(1) << bits, GifColorType{0, 0, 0});
  for (size_t i = 0; i < table.size() && i < colors.size(); ++i)
    colors[i] = {GifByteType(RedOf(table[i])), GifByteType(GreenOf(table[i])),
                 GifByteType(BlueOf(table[i]))};
  TColorMapPtr map(GifMakeMapObject(int(colors.size()), colors.data()));
  if (!map) throw EVelmoraError("Not enough memory to write the GIF picture.");
  return map;
}

int BitsForIndices(const TGifFrameData& frame) {
  const auto top = std::max_element(frame.Indices.begin(), frame.Indices.end());
  return top == frame.Indices.end() ? 1 : BitsForCount(size_t(*top) + 1);
}

bool IsWritable(const TGifFrameData& frame) {
  return frame.Width > 0 && frame.Height > 0;
}

void CheckFrame(const TGifFrameData& f) {
  const auto fits = [](int v) { return v >= 0 && v <= 0xFFFF; };
  if (!fits(f.Left) || !fits(f.Top) || !fits(f.Width) || !fits(f.Height) ||
      f.Indices.size() != size_t(f.Width) * size_t(f.Height) || f.LocalTable.size() > 256)
    ThrowInvalid();
}

class TGifWriter {
 public:
  TGifWriter(const TGifData& gif, TGifCompression compression)
      : gif_(gif), compression_(compression) {}
  TBytes Write();

 private:
  void Check() {
    if (error_ == GIF_ERROR) ThrowFailed();
  }
  [[noreturn]] void ThrowFailed();
  void PlanGlobalTable();
  void PutScreen();
  void PutLoop();
  void PutComments(const TGifFrameData& frame);
  void PutControl(const TGifControl& control);
  void PutImage(const TGifFrameData& frame);
  void PutRunLengthCodes(const std::vector<uint8_t>& pixels, int minCodeSize);

  const TGifData& gif_;
  const TGifCompression compression_;
  TBytes out_;
  TGifWriterPtr file_;
  int error_ = GIF_OK;
  int globalBits_ = 0;  // 0: no global table
};

void TGifWriter::ThrowFailed() {
  const char* reason = GifErrorString(file_ ? file_->Error : 0);
  throw EVelmoraError(std::string("The GIF picture could not be written.") +
                      (reason ? std::string(" (") + reason + ")" : std::string()));
}

// The global table covers every index that frames without their own table use. Frames without
// any table get a black global table rather than a stream giflib cannot write.
void TGifWriter::PlanGlobalTable() {
  if (gif_.GlobalTable.size() > 256) ThrowInvalid();
  int bits = 0;
  if (!gif_.GlobalTable.empty())
    bits = std::max({std::clamp(gif_.GlobalBits, 1, 8), BitsForCount(gif_.GlobalTable.size())});
  for (const TGifFrameData& frame : gif_.Frames)
    if (frame.LocalTable.empty() && IsWritable(frame)) bits = std::max(bits, BitsForIndices(frame));
  globalBits_ = bits;
}

TBytes TGifWriter::Write() {
  if (gif_.ScreenWidth < 0 || gif_.ScreenWidth > 0xFFFF || gif_.ScreenHeight < 0 ||
      gif_.ScreenHeight > 0xFFFF)
    ThrowInvalid();
  for (const TGifFrameData& frame : gif_.Frames) CheckFrame(frame);
  PlanGlobalTable();
  int error = 0;
  file_.reset(EGifOpen(&out_, WriteToMemory, &error));
  if (!file_) throw EVelmoraError("Not enough memory to write the GIF picture.");
  EGifSetGifVersion(file_.get(), true);
  PutScreen();
  bool first = true;
  for (const TGifFrameData& frame : gif_.Frames) {
    if (!IsWritable(frame)) continue;
    if (first && gif_.LoopCount) PutLoop();
    first = false;
    PutComments(frame);
    if (frame.Control.Present) PutControl(frame.Control);
    PutImage(frame);
  }
  error_ = EGifCloseFile(file_.release(), &error);  // writes the trailer
  if (error_ == GIF_ERROR) throw EVelmoraError("The GIF picture could not be written.");
  return std::move(out_);
}

void TGifWriter::PutScreen() {
  TColorMapPtr map = globalBits_ > 0 ? MakeMap(gif_.GlobalTable, globalBits_) : nullptr;
  error_ = EGifPutScreenDesc(file_.get(), gif_.ScreenWidth, gif_.ScreenHeight,
                             std::clamp(gif_.BitsPerPixel, 1, 8), gif_.BackgroundIndex, map.get());
  Check();
}

void TGifWriter::PutLoop() {
  const int count = *gif_.LoopCount;
  const uint8_t data[3] = {1, uint8_t(count & 0xFF), uint8_t((count >> 8) & 0xFF)};
  error_ = EGifPutExtensionLeader(file_.get(), APPLICATION_EXT_FUNC_CODE);
  Check();
  error_ = EGifPutExtensionBlock(file_.get(), 11, "NETSCAPE2.0");
  Check();
  error_ = EGifPutExtensionBlock(file_.get(), 3, data);
  Check();
  error_ = EGifPutExtensionTrailer(file_.get());
  Check();
}

void TGifWriter::PutComments(const TGifFrameData& frame) {
  for (const std::string& text : frame.Comments) {
    error_ = EGifPutExtensionLeader(file_.get(), COMMENT_EXT_FUNC_CODE);
    Check();
    for (size_t pos = 0; pos < text.size(); pos += 255) {
      const size_t n = std::min<size_t>(255, text.size() - pos);
      error_ = EGifPutExtensionBlock(file_.get(), int(n), text.data() + pos);
      Check();
    }
    error_ = EGifPutExtensionTrailer(file_.get());
    Check();
  }
}

// The index byte is written even without transparency so that a read stream writes back the same.
void TGifWriter::PutControl(const TGifControl& control) {
  const GifByteType bytes[4] = {
      GifByteType(((control.Disposal & 7) << 2) | (control.Transparent ? 1 : 0)),
      GifByteType(control.DelayCs & 0xFF), GifByteType(control.DelayCs >> 8),
      control.TransparentIndex};
  error_ = EGifPutExtension(file_.get(), GRAPHICS_EXT_FUNC_CODE, 4, bytes);
  Check();
}

void TGifWriter::PutImage(const TGifFrameData& frame) {
  int bits = globalBits_;
  TColorMapPtr local;
  if (!frame.LocalTable.empty()) {
    bits = std::max({std::clamp(frame.LocalBits, 1, 8), BitsForCount(frame.LocalTable.size()),
                     BitsForIndices(frame)});
    local = MakeMap(frame.LocalTable, bits);
  }
  // giflib forgets the previous frame's local table when this one has none; free it here.
  if (!local && file_->Image.ColorMap) {
    GifFreeMapObject(file_->Image.ColorMap);
    file_->Image.ColorMap = nullptr;
  }
  error_ = EGifPutImageDesc(file_.get(), frame.Left, frame.Top, frame.Width, frame.Height,
                            frame.Interlaced, local.get());
  Check();
  // Rows go out in stored order; giflib only sets the interlace flag.
  std::vector<uint8_t> stored;
  stored.reserve(frame.Indices.size());
  const auto putRow = [&](int y) {
    const uint8_t* row = frame.Indices.data() + size_t(y) * size_t(frame.Width);
    stored.insert(stored.end(), row, row + frame.Width);
  };
  if (frame.Interlaced) {
    static constexpr int kStart[4] = {0, 4, 2, 1};
    static constexpr int kStep[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = kStart[pass]; y < frame.Height; y += kStep[pass]) putRow(y);
  } else {
    stored = frame.Indices;
  }
  if (compression_ == TGifCompression::Rle) {
    PutRunLengthCodes(stored, std::max(2, bits));
    return;
  }
  // EGifPutLine masks the pixels in place, which is why it gets this copy.
  error_ = EGifPutLine(file_.get(), stored.data(), int(stored.size()));
  Check();
}

void TGifWriter::PutRunLengthCodes(const std::vector<uint8_t>& pixels, int minCodeSize) {
  const std::vector<uint8_t> codes =
      gif_detail::EncodeRunLengthCodes(pixels.data(), pixels.size(), minCodeSize);
  GifByteType block[256];
  // EGifPutImageDesc has written the code size byte; the blocks follow, then the terminator.
  for (size_t pos = 0; pos < codes.size(); pos += 255) {
    const size_t n = std::min<size_t>(255, codes.size() - pos);
    block[0] = GifByteType(n);
    std::copy_n(codes.begin() + ptrdiff_t(pos), n, block + 1);
    error_ = pos == 0 ? EGifPutCode(file_.get(), minCodeSize, block)
                      : EGifPutCodeNext(file_.get(), block);
    Check();
  }
  error_ = EGifPutCodeNext(file_.get(), nullptr);
  Check();
}

}  // namespace

TBytes WriteGif(const TGifData& gif, TGifCompression compression) {
  return TGifWriter(gif, compression).Write();
}
