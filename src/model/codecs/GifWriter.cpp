// Writing GIF89a streams. The records are laid out here rather than through giflib's encoder, so
// that every image gets the smallest LZW code size its indices allow, whatever the size of the
// table it uses.

#include <algorithm>
#include <string>

#include "model/Errors.h"
#include "model/codecs/CodecBytes.h"
#include "model/codecs/GifCodeStreams.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTables.h"

namespace {

using gif_detail::BitsForCount;

[[noreturn]] void ThrowInvalid() {
  throw EVelmoraError("The GIF picture cannot be written.");
}

int BitsForIndices(const TGifFrameData& frame) {
  uint8_t top = 0;
  for (uint8_t i : frame.Indices) top = std::max(top, i);
  return BitsForCount(size_t(top) + 1);
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

// A table of 2^bits colours: the given ones, padded with black.
void AppendTable(TBytes& out, const std::vector<TColor>& table, int bits) {
  const size_t size = size_t(1) << bits;
  for (size_t i = 0; i < size; ++i) {
    const TColor c = i < table.size() ? table[i] : clBlack;
    out.insert(out.end(), {uint8_t(RedOf(c)), uint8_t(GreenOf(c)), uint8_t(BlueOf(c))});
  }
}

// Data in sub-blocks of at most 255 bytes, then the block terminator.
void AppendSubBlocks(TBytes& out, const uint8_t* data, size_t size) {
  for (size_t pos = 0; pos < size; pos += 255) {
    const size_t n = std::min<size_t>(255, size - pos);
    out.push_back(uint8_t(n));
    out.insert(out.end(), data + pos, data + pos + n);
  }
  out.push_back(0);
}

// The indices in the order they are stored: an interlaced frame's rows are put in pass order into
// `stored`; other frames are coded from their own indices without a copy.
const std::vector<uint8_t>& StoredOrder(const TGifFrameData& frame, std::vector<uint8_t>& stored) {
  if (!frame.Interlaced) return frame.Indices;
  stored.reserve(frame.Indices.size());
  static constexpr int kStart[4] = {0, 4, 2, 1};
  static constexpr int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < frame.Height; y += kStep[pass]) {
      const auto row = frame.Indices.begin() + ptrdiff_t(y) * frame.Width;
      stored.insert(stored.end(), row, row + frame.Width);
    }
  return stored;
}

class TGifWriter {
 public:
  TGifWriter(const TGifData& gif, TGifCompression compression)
      : gif_(gif), compression_(compression) {}
  TBytes Write();

 private:
  void PlanGlobalTable();
  void PutScreen();
  void PutLoop();
  void PutComments(const TGifFrameData& frame);
  void PutControl(const TGifControl& control);
  void PutImage(const TGifFrameData& frame);

  const TGifData& gif_;
  const TGifCompression compression_;
  TBytes out_;
  int globalBits_ = 0;  // 0: no global table
};

// The global table covers every index that frames without their own table use. Frames without
// any table get a black global table rather than a stream some decoders refuse.
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
  out_.push_back(0x3B);  // trailer
  return std::move(out_);
}

void TGifWriter::PutScreen() {
  static const char kSignature[] = "GIF89a";
  out_.insert(out_.end(), kSignature, kSignature + 6);
  AppendLE16(out_, uint32_t(gif_.ScreenWidth));
  AppendLE16(out_, uint32_t(gif_.ScreenHeight));
  const int resolution = std::clamp(gif_.BitsPerPixel, 1, 8) - 1;
  uint8_t packed = uint8_t(resolution << 4);
  if (globalBits_ > 0) packed |= uint8_t(0x80 | (globalBits_ - 1));
  out_.push_back(packed);
  out_.push_back(gif_.BackgroundIndex);
  out_.push_back(0);  // pixel aspect ratio
  if (globalBits_ > 0) AppendTable(out_, gif_.GlobalTable, globalBits_);
}

void TGifWriter::PutLoop() {
  const int count = *gif_.LoopCount;
  static const char kName[] = "NETSCAPE2.0";
  out_.insert(out_.end(), {0x21, 0xFF, 11});
  out_.insert(out_.end(), kName, kName + 11);
  out_.insert(out_.end(), {3, 1, uint8_t(count & 0xFF), uint8_t((count >> 8) & 0xFF), 0});
}

void TGifWriter::PutComments(const TGifFrameData& frame) {
  for (const std::string& text : frame.Comments) {
    out_.insert(out_.end(), {0x21, 0xFE});
    AppendSubBlocks(out_, reinterpret_cast<const uint8_t*>(text.data()), text.size());
  }
}

// The index byte is written even without transparency so that a read stream writes back the same.
void TGifWriter::PutControl(const TGifControl& control) {
  out_.insert(out_.end(), {0x21, 0xF9, 4,
                           uint8_t(((control.Disposal & 7) << 2) | (control.Transparent ? 1 : 0)),
                           uint8_t(control.DelayCs & 0xFF), uint8_t(control.DelayCs >> 8),
                           control.TransparentIndex, 0});
}

void TGifWriter::PutImage(const TGifFrameData& frame) {
  out_.push_back(0x2C);
  AppendLE16(out_, uint32_t(frame.Left));
  AppendLE16(out_, uint32_t(frame.Top));
  AppendLE16(out_, uint32_t(frame.Width));
  AppendLE16(out_, uint32_t(frame.Height));
  const int indexBits = BitsForIndices(frame);
  int localBits = 0;
  if (!frame.LocalTable.empty())
    localBits = std::max(
        {std::clamp(frame.LocalBits, 1, 8), BitsForCount(frame.LocalTable.size()), indexBits});
  uint8_t packed = frame.Interlaced ? 0x40 : 0;
  if (localBits > 0) packed |= uint8_t(0x80 | (localBits - 1));
  out_.push_back(packed);
  if (localBits > 0) AppendTable(out_, frame.LocalTable, localBits);
  // The code size only has to cover the indices the frame uses; decoders take it from the stream.
  // LZW codes smallest with the smallest size. Runs grow longer in a larger table, so the
  // run-length coding tries every size.
  int codeSize = std::max(2, indexBits);
  std::vector<uint8_t> reordered;
  const std::vector<uint8_t>& stored = StoredOrder(frame, reordered);
  std::vector<uint8_t> codes;
  if (compression_ == TGifCompression::Rle) {
    for (int size = codeSize; size <= 8; ++size) {
      std::vector<uint8_t> c = gif_detail::EncodeRunLengthCodes(stored.data(), stored.size(), size);
      if (codes.empty() || c.size() < codes.size()) codes = std::move(c), codeSize = size;
    }
  } else {
    codes = gif_detail::EncodeLzwCodes(stored.data(), stored.size(), codeSize);
  }
  out_.push_back(uint8_t(codeSize));
  AppendSubBlocks(out_, codes.data(), codes.size());
}

}  // namespace

TBytes WriteGif(const TGifData& gif, TGifCompression compression) {
  return TGifWriter(gif, compression).Write();
}
