// Reading GIF streams through giflib, record by record.
//
// giflib's own DGifSlurp is not used: it allocates every declared frame in full before decoding
// (a few bytes can declare a 4-gigapixel frame), drops everything on the first error and leaves
// the pixels of a damaged frame uninitialised. Reading records ourselves lets frames be clipped to
// the screen while they are decoded and keeps what a truncated file still holds, like browsers.

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <utility>

#include "model/Errors.h"
#include "model/ReadBudget.h"
#include "model/codecs/GifCodec.h"
#include "model/codecs/GifTables.h"

namespace {

struct TMemoryInput {
  const uint8_t* Data;
  size_t Size;
  size_t Pos;
};

int ReadFromMemory(GifFileType* gif, GifByteType* buffer, int length) {
  auto* input = static_cast<TMemoryInput*>(gif->UserData);
  if (length <= 0) return 0;
  const size_t n = std::min(size_t(length), input->Size - input->Pos);
  std::memcpy(buffer, input->Data + input->Pos, n);
  input->Pos += n;
  return int(n);
}

struct TGifReaderCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using TGifReaderPtr = std::unique_ptr<GifFileType, TGifReaderCloser>;

[[noreturn]] void ThrowDamaged(int error) {
  const char* reason = error ? GifErrorString(error) : nullptr;
  std::string message = "The GIF file is damaged.";
  if (reason) message += std::string(" (") + reason + ")";
  throw EVelmoraError(message);
}

[[noreturn]] void ThrowTooLarge() {
  throw EVelmoraError("The GIF file is too large.");
}

std::vector<TColor> TableOf(const ColorMapObject* map) {
  std::vector<TColor> table;
  if (!map || map->ColorCount <= 0) return table;
  table.reserve(size_t(map->ColorCount));
  for (int i = 0; i < map->ColorCount; ++i) {
    const GifColorType& c = map->Colors[i];
    table.push_back(MakeColor(c.Red, c.Green, c.Blue));
  }
  return table;
}

// The rows of a frame in the order they are stored.
std::vector<int> StoredRowOrder(int height, bool interlaced) {
  std::vector<int> order;
  order.reserve(size_t(height));
  if (!interlaced) {
    for (int y = 0; y < height; ++y) order.push_back(y);
    return order;
  }
  static constexpr int kStart[4] = {0, 4, 2, 1};
  static constexpr int kStep[4] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kStart[pass]; y < height; y += kStep[pass]) order.push_back(y);
  return order;
}

class TGifReader {
 public:
  // A skimming reader only counts the images and skips their pixel data.
  TGifReader(const uint8_t* data, size_t size, bool skim = false)
      : input_{data, size, 0}, skim_(skim) {}
  TGifData Read();
  int Count();

 private:
  void Open();
  bool ReadRecords();
  bool ReadExtension();
  bool ReadImage();
  bool SkipImageData();
  bool DecodeFrame(TGifFrameData& frame, int fullWidth, int fullHeight);
  void RepairMissingRows(TGifFrameData& frame, const std::vector<bool>& done, int decodedRows);
  void CheckMemory(int64_t frames) const;

  TMemoryInput input_;
  const bool skim_;
  int skimmed_ = 0;
  TGifReaderPtr gif_;
  TGifData data_;
  TGifControl pendingControl_;
  std::vector<std::string> pendingComments_;
};

TGifData TGifReader::Read() {
  if (input_.Size < 3 || std::memcmp(input_.Data, "GIF", 3) != 0)
    throw EVelmoraError("Not a GIF file.");
  Open();
  if (!ReadRecords() && data_.Frames.empty()) ThrowDamaged(gif_->Error);
  if (data_.Frames.empty()) ThrowDamaged(0);
  // Comments after the last image would otherwise be lost; they stay with that frame.
  auto& last = data_.Frames.back().Comments;
  last.insert(last.end(), pendingComments_.begin(), pendingComments_.end());
  return std::move(data_);
}

int TGifReader::Count() {
  if (input_.Size < 3 || std::memcmp(input_.Data, "GIF", 3) != 0) return 0;
  try {
    Open();
    ReadRecords();
  } catch (const EVelmoraError&) {
    // What was counted stands; reading the file reports the problem.
  }
  return skimmed_;
}

void TGifReader::Open() {
  int error = 0;
  gif_.reset(DGifOpen(&input_, ReadFromMemory, &error));
  if (!gif_) {
    if (error == D_GIF_ERR_NOT_GIF_FILE) throw EVelmoraError("Not a GIF file.");
    ThrowDamaged(error);
  }
  data_.ScreenWidth = gif_->SWidth;
  data_.ScreenHeight = gif_->SHeight;
  data_.GlobalTable = TableOf(gif_->SColorMap);
  data_.GlobalBits = data_.GlobalTable.empty() ? 0 : gif_->SColorMap->BitsPerPixel;
  data_.BitsPerPixel =
      data_.GlobalBits > 0 ? data_.GlobalBits : std::clamp(int(gif_->SColorResolution), 1, 8);
  data_.BackgroundIndex = uint8_t(gif_->SBackGroundColor);
  CheckMemory(0);
}

void TGifReader::CheckMemory(int64_t frames) const {
  // One picture per frame and the composer's working pictures: within the pixel limit, and
  // within the memory budget of the document being read.
  const int64_t screen = int64_t(data_.ScreenWidth) * data_.ScreenHeight;
  if (screen > 0 && (frames + 3) > gif_limits::MaxComposedPixels / screen) ThrowTooLarge();
  RequireReadBudget(gif_limits::ComposedBytes(frames, screen));
}

// Returns false when a record could not be read; what was read before stays.
bool TGifReader::ReadRecords() {
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif_.get(), &type) == GIF_ERROR) return false;
    switch (type) {
      case IMAGE_DESC_RECORD_TYPE:
        if (!ReadImage()) return false;
        break;
      case EXTENSION_RECORD_TYPE:
        if (!ReadExtension()) return false;
        break;
      case TERMINATE_RECORD_TYPE:
        return true;
      default:
        return false;
    }
  }
}

bool TGifReader::ReadExtension() {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif_.get(), &code, &block) == GIF_ERROR) return false;
  std::string comment;
  bool looping = false;
  for (int index = 0; block; ++index) {
    const int length = block[0];
    const uint8_t* bytes = block + 1;
    if (code == GRAPHICS_EXT_FUNC_CODE && index == 0 && length >= 4) {
      pendingControl_.Present = true;
      pendingControl_.Disposal = uint8_t((bytes[0] >> 2) & 7);
      pendingControl_.Transparent = (bytes[0] & 1) != 0;
      pendingControl_.DelayCs = uint16_t(bytes[1] | (bytes[2] << 8));
      pendingControl_.TransparentIndex = bytes[3];
    } else if (code == COMMENT_EXT_FUNC_CODE) {
      comment.append(reinterpret_cast<const char*>(bytes), size_t(length));
    } else if (code == APPLICATION_EXT_FUNC_CODE && index == 0) {
      looping = length == 11 && (std::memcmp(bytes, "NETSCAPE2.0", 11) == 0 ||
                                 std::memcmp(bytes, "ANIMEXTS1.0", 11) == 0);
    } else if (looping && index == 1 && length >= 3 && bytes[0] == 1) {
      data_.LoopCount = bytes[1] | (bytes[2] << 8);
    }
    if (DGifGetExtensionNext(gif_.get(), &block) == GIF_ERROR) return false;
  }
  if (code == COMMENT_EXT_FUNC_CODE) pendingComments_.push_back(std::move(comment));
  return true;
}

bool TGifReader::SkipImageData() {
  int codeSize = 0;
  GifByteType* block = nullptr;
  if (DGifGetCode(gif_.get(), &codeSize, &block) == GIF_ERROR) return false;
  while (block)
    if (DGifGetCodeNext(gif_.get(), &block) == GIF_ERROR) return false;
  return true;
}

bool TGifReader::ReadImage() {
  if (DGifGetImageDesc(gif_.get()) == GIF_ERROR) return false;
  const GifImageDesc& desc = gif_->Image;
  if (data_.Frames.empty() && (data_.ScreenWidth <= 0 || data_.ScreenHeight <= 0)) {
    // A screen of no size takes the extent of the first image instead.
    data_.ScreenWidth = std::min(desc.Left + desc.Width, 0xFFFF);
    data_.ScreenHeight = std::min(desc.Top + desc.Height, 0xFFFF);
    CheckMemory(0);
  }
  TGifFrameData frame;
  frame.Left = desc.Left;
  frame.Top = desc.Top;
  frame.Width = std::max(0, std::min(desc.Left + desc.Width, data_.ScreenWidth) - desc.Left);
  frame.Height = std::max(0, std::min(desc.Top + desc.Height, data_.ScreenHeight) - desc.Top);
  frame.Interlaced = desc.Interlace;
  frame.LocalTable = TableOf(desc.ColorMap);
  frame.LocalBits = frame.LocalTable.empty() ? 0 : desc.ColorMap->BitsPerPixel;
  frame.Control = std::exchange(pendingControl_, TGifControl{});
  frame.Comments = std::exchange(pendingComments_, {});
  if (frame.Width == 0 || frame.Height == 0) return SkipImageData();
  if (skim_) {
    ++skimmed_;
    return SkipImageData();
  }

  CheckMemory(int64_t(data_.Frames.size()) + 1);
  const bool complete = DecodeFrame(frame, desc.Width, desc.Height);
  if (frame.Height > 0) data_.Frames.push_back(std::move(frame));
  return complete;
}

// Decodes the stored rows, keeping the part inside the screen. Returns false when the data ended
// or broke off; the frame then keeps what was decoded (see RepairMissingRows).
bool TGifReader::DecodeFrame(TGifFrameData& frame, int fullWidth, int fullHeight) {
  const uint8_t fill = frame.Control.Transparent ? frame.Control.TransparentIndex : 0;
  data_.IndicesTicket.Add(int64_t(frame.Width) * frame.Height);
  frame.Indices.assign(size_t(frame.Width) * size_t(frame.Height), fill);
  std::vector<bool> done(size_t(frame.Height), false);
  std::vector<GifPixelType> row(static_cast<size_t>(fullWidth));
  const std::vector<int> order = StoredRowOrder(fullHeight, frame.Interlaced);
  for (size_t k = 0; k < order.size(); ++k) {
    const int y = order[k];
    if (!frame.Interlaced && y >= frame.Height) return SkipImageData();  // below the screen
    std::fill(row.begin(), row.end(), fill);
    bool ok;
    if (k + 1 == order.size() && fullWidth > 1) {
      // The last call also reads the end of the image data; a file cut right after the last
      // pixel still gives a whole row, so that pixel is read on its own.
      ok = DGifGetLine(gif_.get(), row.data(), fullWidth - 1) != GIF_ERROR;
      if (ok && DGifGetLine(gif_.get(), row.data() + fullWidth - 1, 1) == GIF_ERROR) {
        if (y < frame.Height) {
          std::copy_n(row.begin(), frame.Width, frame.Indices.begin() + ptrdiff_t(y) * frame.Width);
          done[size_t(y)] = true;
        }
        RepairMissingRows(frame, done, int(k) + 1);
        return false;
      }
    } else {
      ok = DGifGetLine(gif_.get(), row.data(), fullWidth) != GIF_ERROR;
    }
    if (y < frame.Height) {
      // A broken row keeps the pixels decoded before the break.
      std::copy_n(row.begin(), frame.Width, frame.Indices.begin() + ptrdiff_t(y) * frame.Width);
      done[size_t(y)] = ok;
    }
    if (!ok) {
      RepairMissingRows(frame, done, int(k));
      return false;
    }
  }
  return true;
}

// A frame cut short shows what was decoded: a transparent frame keeps its missing pixels
// transparent; an opaque one ends after its last whole row, or, when interlaced, repeats the
// nearest decoded row above each missing one, as progressive display does.
void TGifReader::RepairMissingRows(TGifFrameData& frame, const std::vector<bool>& done,
                                   int decodedRows) {
  if (decodedRows == 0) {
    frame.Height = 0;
  } else if (frame.Control.Transparent) {
    return;
  } else if (!frame.Interlaced) {
    frame.Height = std::min(frame.Height, decodedRows);
  } else if (frame.Height > 0 && !done[0]) {
    frame.Height = 0;
  } else {
    for (int y = 1; y < frame.Height; ++y) {
      if (done[size_t(y)]) continue;
      uint8_t* dst = frame.Indices.data() + size_t(y) * size_t(frame.Width);
      std::copy_n(dst - frame.Width, frame.Width, dst);
    }
  }
  frame.Indices.resize(size_t(frame.Width) * size_t(frame.Height));
}

}  // namespace

TGifData ReadGif(const uint8_t* data, size_t size) {
  if (!data) size = 0;
  return TGifReader(data, size).Read();
}

int CountGifImages(const uint8_t* data, size_t size) {
  if (!data) size = 0;
  return TGifReader(data, size, true).Count();
}
