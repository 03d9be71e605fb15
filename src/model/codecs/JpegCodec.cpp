#include "model/codecs/JpegCodec.h"

// jpeglib.h needs size_t and FILE declared first.
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <jpeglib.h>
// jerror.h after jpeglib.h: it lists the codec's message codes.
#include <jerror.h>

#include "model/Errors.h"

// libjpeg reports fatal errors through a callback that must not return. It jumps back with
// longjmp to the small functions below that called setjmp; those functions hold no C++ object
// with a destructor, so the jump skips no cleanup. Everything that owns memory lives in the
// callers, which turn a failed step into an EVelmoraError.

namespace {

// libjpeg's own working memory is capped so that a huge progressive image fails cleanly.
constexpr long MaxCodecMemory = 512L * 1024 * 1024;

struct TJpegError {
  jpeg_error_mgr Manager;  // first, so the codec's pointer to it is also a pointer to this
  jmp_buf Jump;
  char Message[JMSG_LENGTH_MAX];
  bool DataEnded = false;  // the compressed data ran out before the picture was complete
};

void ErrorExit(j_common_ptr codec) {
  TJpegError* error = reinterpret_cast<TJpegError*>(codec->err);
  if (error->Manager.msg_code == JERR_NO_BACKING_STORE)
    std::snprintf(error->Message, sizeof error->Message, "The JPEG image is too large.");
  else
    codec->err->format_message(codec, error->Message);
  std::longjmp(error->Jump, 1);
}

// Warnings (such as a truncated file) do not stop reading; the end of the data is noted.
void EmitMessage(j_common_ptr codec, int level) {
  if (level >= 0) return;  // trace messages
  ++codec->err->num_warnings;
  if (codec->err->msg_code == JWRN_JPEG_EOF)
    reinterpret_cast<TJpegError*>(codec->err)->DataEnded = true;
}

void InitError(TJpegError& error) {
  jpeg_std_error(&error.Manager);
  error.Manager.error_exit = ErrorExit;
  error.Manager.emit_message = EmitMessage;
  error.Message[0] = '\0';
}

// The codec's own messages are terse ("Bogus marker length"); they follow a sentence that says
// what happened to the user's file.
[[noreturn]] void Fail(const TJpegError& error, const char* what) {
  const int code = error.Manager.msg_code;
  if (code == JERR_NO_BACKING_STORE) throw EVelmoraError(error.Message);
  if (code == JERR_NO_SOI) throw EVelmoraError("Not a JPEG file.");
  if (code == JERR_INPUT_EMPTY) throw EVelmoraError("The JPEG file is empty.");
  std::string message = error.Message;
  if (message.empty()) throw EVelmoraError(std::string(what) + ".");
  if (message.back() != '.') message += '.';
  throw EVelmoraError(std::string(what) + ": " + message);
}

constexpr const char* ReadFailure = "The JPEG file is damaged";
constexpr const char* WriteFailure = "The JPEG file cannot be written";

// ---- Decoding ----

struct TJpegReader {
  TJpegError Error;
  jpeg_decompress_struct Codec;
  bool Created = false;
  ~TJpegReader() {
    if (Created) jpeg_destroy_decompress(&Codec);
  }
};

bool StartReading(TJpegReader* r, const uint8_t* data, size_t size) {
  if (setjmp(r->Error.Jump)) return false;
  jpeg_create_decompress(&r->Codec);
  r->Created = true;
  r->Codec.mem->max_memory_to_use = MaxCodecMemory;
  jpeg_mem_src(&r->Codec, data, static_cast<unsigned long>(size));
  jpeg_read_header(&r->Codec, TRUE);
  return true;
}

bool IsCmyk(const jpeg_decompress_struct& c) {
  return c.jpeg_color_space == JCS_CMYK || c.jpeg_color_space == JCS_YCCK;
}

bool StartDecompress(TJpegReader* r) {
  if (setjmp(r->Error.Jump)) return false;
  r->Codec.out_color_space = IsCmyk(r->Codec) ? JCS_CMYK : JCS_EXT_BGRX;
  jpeg_start_decompress(&r->Codec);
  return true;
}

// Converts one CMYK row to pixel words. Adobe's files store the inks inverted (255 = no ink).
void CmykToPixels(const uint8_t* src, int width, bool inverted, TPixel* dst) {
  for (int x = 0; x < width; ++x, src += 4) {
    int c = src[0], m = src[1], y = src[2], k = src[3];
    if (!inverted) c = 255 - c, m = 255 - m, y = 255 - y, k = 255 - k;
    dst[x] = TPixel((y * k + 127) / 255) | (TPixel((m * k + 127) / 255) << 8) |
             (TPixel((c * k + 127) / 255) << 16);
  }
}

// After the data of a single-scan file has ended the codec only produces flat grey, which the
// surface already holds; reading stops at the end of the current row of blocks. (A progressive
// file is read whole before the first line comes out, so it is decoded to the end.)
bool OnlyGreyLeft(const jpeg_decompress_struct& c, const TJpegError& e) {
  const unsigned blockRows = unsigned(c.max_v_samp_factor) * DCTSIZE;
  return e.DataEnded && !c.progressive_mode && c.output_scanline % blockRows == 0;
}

// Reads every scan line into the rows of `pixels` (`width` words each). `cmykRow` holds one CMYK
// row when the file is CMYK.
bool ReadLines(TJpegReader* r, TPixel* pixels, uint8_t* cmykRow) {
  if (setjmp(r->Error.Jump)) return false;
  jpeg_decompress_struct& c = r->Codec;
  const int width = int(c.output_width);
  while (c.output_scanline < c.output_height) {
    if (OnlyGreyLeft(c, r->Error)) return true;
    TPixel* row = pixels + size_t(c.output_scanline) * size_t(width);
    JSAMPROW target = cmykRow ? cmykRow : reinterpret_cast<JSAMPROW>(row);
    if (jpeg_read_scanlines(&c, &target, 1) != 1) break;
    if (cmykRow)
      CmykToPixels(cmykRow, width, c.saw_Adobe_marker, row);
    else
      for (int x = 0; x < width; ++x) row[x] &= 0xFFFFFF;  // the codec sets the unused byte
  }
  jpeg_finish_decompress(&c);
  return true;
}

// Reads the headers and starts decompressing; the picture's size is known from here on.
void OpenReader(TJpegReader& reader, const uint8_t* data, size_t size) {
  InitError(reader.Error);
  reader.Codec.err = &reader.Error.Manager;
  if (!StartReading(&reader, data, size)) Fail(reader.Error, ReadFailure);
  CheckSurfaceSize(reader.Codec.image_width, reader.Codec.image_height);
  if (!StartDecompress(&reader)) Fail(reader.Error, ReadFailure);
}

}  // namespace

TDecodedPicture ReadJpeg(const uint8_t* data, size_t size) {
  TJpegReader reader;
  OpenReader(reader, data, size);
  TDecodedPicture picture;
  picture.Kind = TPictureKind::Other;
  picture.BitCount = 24;
  picture.Image =
      TSurface(int(reader.Codec.output_width), int(reader.Codec.output_height), 0x808080);
  std::vector<uint8_t> cmykRow;
  if (reader.Codec.out_color_space == JCS_CMYK) cmykRow.resize(size_t(picture.Image.Width()) * 4);
  if (!ReadLines(&reader, picture.Image.Bits(), cmykRow.empty() ? nullptr : cmykRow.data()))
    Fail(reader.Error, ReadFailure);
  return picture;
}

namespace {

// Decodes only the last line: the rows above are skipped, which still entropy-decodes their
// blocks (as the format demands) but leaves out the inverse transforms, upsampling and colour
// conversion, and keeps nothing of them. The rest of the file is then read as ReadLines does, so
// that damage after the picture is refused alike.
bool ReadLastLine(TJpegReader* r, uint8_t* line, TPixel* corner) {
  if (setjmp(r->Error.Jump)) return false;
  jpeg_decompress_struct& c = r->Codec;
  if (c.output_height > 1) jpeg_skip_scanlines(&c, c.output_height - 1);
  JSAMPROW row = line;
  if (jpeg_read_scanlines(&c, &row, 1) != 1) return true;
  if (c.out_color_space == JCS_CMYK)
    CmykToPixels(line, 1, c.saw_Adobe_marker, corner);
  else
    *corner = *reinterpret_cast<const TPixel*>(line) & 0xFFFFFF;
  jpeg_finish_decompress(&c);
  return true;
}

}  // namespace

TPictureHeader ReadJpegHeader(const uint8_t* data, size_t size) {
  TJpegReader reader;
  OpenReader(reader, data, size);
  TPictureHeader header;
  header.Width = int(reader.Codec.output_width);
  header.Height = int(reader.Codec.output_height);
  std::vector<uint8_t> line(size_t(header.Width) * 4);
  TPixel corner = 0;
  if (!ReadLastLine(&reader, line.data(), &corner)) Fail(reader.Error, ReadFailure);
  if (reader.Error.DataEnded) {
    // What a truncated file shows where its data ended depends on how far each scan got; the
    // whole decoder settles that.
    const TDecodedPicture picture = ReadJpeg(data, size);
    corner = picture.Image.Pixel(0, picture.Image.Height() - 1);
  }
  header.CornerColor = PixelToColor(corner);
  return header;
}

// ---- Encoding ----

namespace {

struct TJpegWriter {
  TJpegError Error;
  jpeg_compress_struct Codec;
  bool Created = false;
  unsigned char* Buffer = nullptr;  // allocated by the codec's memory destination
  unsigned long BufferSize = 0;
  ~TJpegWriter() {
    if (Created) jpeg_destroy_compress(&Codec);
    std::free(Buffer);
  }
};

bool Compress(TJpegWriter* w, const TSurface* image, int quality) {
  if (setjmp(w->Error.Jump)) return false;
  jpeg_compress_struct& c = w->Codec;
  jpeg_create_compress(&c);
  w->Created = true;
  jpeg_mem_dest(&c, &w->Buffer, &w->BufferSize);
  c.image_width = JDIMENSION(image->Width());
  c.image_height = JDIMENSION(image->Height());
  c.input_components = 4;
  c.in_color_space = JCS_EXT_BGRX;  // the pixel words' own byte order; the fourth byte is unused
  jpeg_set_defaults(&c);
  jpeg_set_quality(&c, quality, TRUE);
  // At high qualities halving the colour resolution would cost more than the quality gains:
  // every channel keeps every pixel.
  if (quality >= 90)
    for (int i = 0; i < c.num_components; ++i)
      c.comp_info[i].h_samp_factor = c.comp_info[i].v_samp_factor = 1;
  jpeg_start_compress(&c, TRUE);
  while (c.next_scanline < c.image_height) {
    JSAMPROW row =
        reinterpret_cast<JSAMPROW>(const_cast<TPixel*>(image->Row(int(c.next_scanline))));
    jpeg_write_scanlines(&c, &row, 1);
  }
  jpeg_finish_compress(&c);
  return true;
}

}  // namespace

TBytes WriteJpeg(const TSurface& image, int quality) {
  if (image.IsEmpty()) throw EVelmoraError("Cannot save an empty image.");
  if (image.Width() > JPEG_MAX_DIMENSION || image.Height() > JPEG_MAX_DIMENSION)
    throw EVelmoraError("The image is too large for a JPEG file.");
  TJpegWriter writer;
  InitError(writer.Error);
  writer.Codec.err = &writer.Error.Manager;
  if (!Compress(&writer, &image, quality < 1 ? 1 : quality > 100 ? 100 : quality))
    Fail(writer.Error, WriteFailure);
  return TBytes(writer.Buffer, writer.Buffer + writer.BufferSize);
}
