#pragma once
// The single-image documents: BMP bitmaps, JPEG pictures, PNG pictures and one-frame GIF images. Each class
// always writes its own format, whatever name it is given.

#include <string>
#include <vector>

#include "model/WorkImage.h"

class TWorkBitmap : public TWorkImage {
 public:
  std::string ClassName() const override { return "TWorkBitmap"; }
  // Takes the 16-bit layout of another bitmap; a plain raster leaves it as it is.
  void Assign(const TSelectBitmap& source) override;
  std::unique_ptr<TSelectBitmap> Create() const override;
  std::string GetColorModes() const override;
  void LoadFromFile(const std::string& name) override;
  void SaveToFile(const std::string& name) override;

  // How 16-bit pixels are stored: the file's channel masks, so that saving writes back the values
  // read; 5-5-5 for new images, as the format has it.
  std::array<uint32_t, 3> HighColorLayout = Rgb555Masks;
};

class TWorkJpeg : public TWorkImage {
 public:
  std::string ClassName() const override { return "TWorkJpeg"; }
  // Takes the quality of another JPEG. A plain raster (an edit being committed, an undo step)
  // leaves the quality as the user set it; any other image gives the default 90.
  void Assign(const TSelectBitmap& source) override;
  std::unique_ptr<TSelectBitmap> Create() const override;
  std::string GetColorModes() const override;
  void LoadFromFile(const std::string& name) override;
  void SaveToFile(const std::string& name) override;

  uint8_t Quality = 90;

 protected:
  bool UndoKeepsClass() const override { return true; }
};

class TWorkGifImage : public TWorkImage {
 public:
  std::string ClassName() const override { return "TWorkGifImage"; }
  TWorkGifImage();
  // Takes the comments, interlacing and coding of another GIF image. A plain raster keeps them;
  // any other image empties the comments.
  void Assign(const TSelectBitmap& source) override;
  std::unique_ptr<TSelectBitmap> Create() const override;
  std::string GetColorModes() const override;
  void LoadFromFile(const std::string& name) override;
  void SaveToFile(const std::string& name) override;

  uint8_t Compression() const { return compression_; }
  void SetCompression(uint8_t value);
  bool Interlaced() const { return interlaced_; }
  void SetInterlaced(bool value);
  const std::vector<std::string>& Comments() const { return comments_; }
  void SetComments(const std::vector<std::string>& lines);

 protected:
  bool UndoKeepsClass() const override { return true; }

 private:
  uint8_t compression_;
  bool interlaced_ = false;
  std::vector<std::string> comments_;
};

// A PNG picture at the depth it was stored: 1, 4 or 8 bits with a palette, 24 bits, or 32 bits
// with alpha (model/Colors.h tells where alpha lives).
class TWorkPng : public TWorkImage {
 public:
  std::string ClassName() const override { return "TWorkPng"; }
  std::unique_ptr<TSelectBitmap> Create() const override;
  std::string GetColorModes() const override;
  void LoadFromFile(const std::string& name) override;
  void SaveToFile(const std::string& name) override;
};

// The coding new GIF documents start with: 0 = LZW, 1 = RLE. The options dialog sets it.
uint8_t DefaultGifCompression();
void SetDefaultGifCompression(uint8_t value);
