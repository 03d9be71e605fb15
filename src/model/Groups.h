#pragma once
// The three kinds of multi-frame document: animated GIFs, icon files and image lists.

#include "model/ImageGroup.h"
#include "model/WorkFrame.h"


class TGifComposer;

constexpr int32_t NoLoopExtension = -1;

class TGifImageGroup : public TImageGroup {
 public:
  TGifImageGroup();
  std::string ClassName() const override { return "TGifImageGroup"; }
  std::string GetChildName() const override { return "Frame"; }
  std::unique_ptr<TWorkFrame> CreateFrame() override;
  std::string GetColorModes() const override;
  void LoadFromFile(const std::string& name) override;
  void SaveToFile(const std::string& name) override;

  uint8_t Compression() const { return compression_; }
  // Changing the coding marks every frame modified.
  void SetCompression(uint8_t value);
  // The repeat count of the looping extension (0: forever), or NoLoopExtension for a file without
  // one, which plays once.
  int32_t LoopCount = 0;
  // The file's background colour index, written back as read (decoders differ in whether they
  // show it where no frame covers the screen).
  uint8_t BackgroundIndex = 0;

 protected:
  void SaveValues(TGroupState& state) const override;
  void RestoreValues(const TGroupState& state) override;

 private:
  void AddComposedFrame(const TGifComposer& composer);

  uint8_t compression_;
};

class TIconGroup : public TImageGroup {
 public:
  std::string ClassName() const override { return "TIconGroup"; }
  std::string GetChildName() const override { return "SubIcon"; }
  // Sub-icons keep their own size and depth: the group only stores these values.
  void SetHeight(int h) override { Height = h; }
  void SetWidth(int w) override { Width = w; }
  void SetBitCount(int n) override { BitCount = uint8_t(n); }
  std::unique_ptr<TWorkFrame> CreateFrame() override;
  std::string GetColorModes() const override;
  void LoadFromFile(const std::string& name) override;
  void SaveToFile(const std::string& name) override;
};

// An image list has no file format of its own: reading and writing only record the name.
class TImageListGroup : public TImageGroup {
 public:
  std::string ClassName() const override { return "TImageListGroup"; }
  std::string GetChildName() const override { return "Img"; }
  std::unique_ptr<TWorkFrame> CreateFrame() override;
  std::string GetColorModes() const override;
};
