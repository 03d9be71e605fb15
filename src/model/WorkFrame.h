#pragma once
// The frames of multi-frame documents. A frame is a work image that belongs to a group: it
// reports the group's file name and loads and saves through it. Frames of animations and image
// lists are uniform (the group's size and depth, the group palette unless they carry their
// own); sub-icons keep their own size, depth and palette.

#include <string>
#include <vector>

#include "model/ReadBudget.h"
#include "model/WorkImage.h"

class TImageGroup;

class TWorkFrame : public TWorkImage {
 public:
  TWorkFrame() = default;
  std::string ClassName() const override { return "TWorkFrame"; }

  void Assign(const TSelectBitmap& source) override;
  std::string GetFileName() const override;
  void SetFileName(const std::string& name) override;
  // A frame is never read or written alone: these load and save the whole group.
  void LoadFromFile(const std::string& name) override;
  void SaveToFile(const std::string& name) override;
  virtual void SetGroup(TImageGroup* group);
  TImageGroup* Group() const { return group_; }

  // Resizes the surfaces without asking the group (the group itself is resizing its frames).
  void ResizeForGroup(int w, int h) { ResizeSurfaces(w, h); }

 protected:
  TImageGroup* group_ = nullptr;

 private:
  // What a frame holds besides its surfaces (palette record, stacks, fields) counts too when
  // an animation of many small frames is read.
  TBudgetTicket record_{2048};
};

// GIF disposal methods.
enum : uint8_t { DisposeNone = 0, DisposeKeep = 1, DisposeBackground = 2, DisposePrevious = 3 };

// What a frame of an animation or image list holds besides its raster: the values its undo
// steps must bring back with the pixels. Image list frames use only the palette flag.
struct TFrameValues {
  bool LocalPalette = false;
  uint32_t Delay = 100;
  bool Interlaced = false;
  uint8_t Disposal = DisposeNone;
  bool HasControlExtension = true;
  bool NamesTransparentIndex = true;
  std::vector<std::string> Comments;
};

// An undo step of a frame: the raster with the palette its pixels were on (its own record, not
// the group's) and the frame's values.
class TFrameState : public TSelectBitmap {
 public:
  std::string ClassName() const override { return "TFrameState"; }
  TFrameValues Values;
};

class TUniformFrame : public TWorkFrame {
 public:
  std::string ClassName() const override { return "TUniformFrame"; }
  // Taking back a TFrameState restores the palette flag before the palette, so that the palette
  // lands in the record it was taken from, and then the frame's values.
  void Assign(const TSelectBitmap& source) override;
  TColor GetLeftColor() const override;
  TColor GetRightColor() const override;
  void SetLeftColor(TColor c) override;
  void SetRightColor(TColor c) override;
  TPaletteRecord& GetPalette() override;
  using TSelectBitmap::GetPalette;
  void SetWidth(int w) override;
  void SetHeight(int h) override;
  void SetGroup(TImageGroup* group) override;

  bool LocalPalette() const { return localPalette_; }
  // Switching on copies the group palette and colours; either way the pixels are remapped to
  // the palette now in force.
  void SetLocalPalette(bool flag);
  std::unique_ptr<TSelectBitmap> Snapshot() const override;

 protected:
  // Sets the flag without remapping (the content is about to be replaced).
  void StoreLocalPalette(bool flag) { localPalette_ = flag; }
  // Copy this frame's values into a step and back; a subclass adds its own.
  virtual void SaveValues(TFrameValues& values) const { values.LocalPalette = localPalette_; }
  virtual void RestoreValues(const TFrameValues&) {}

 private:
  bool localPalette_ = false;
};

class TWorkGifFrame : public TUniformFrame {
 public:
  TWorkGifFrame();
  std::string ClassName() const override { return "TWorkGifFrame"; }
  void Assign(const TSelectBitmap& source) override;
  std::unique_ptr<TSelectBitmap> Create() const override;
  std::string GetColorModes() const override;

  // Milliseconds. A GIF records hundredths of a second in 16 bits, so up to 655350 ms is kept.
  static constexpr uint32_t MaxDelay = 655350;
  uint32_t Delay() const { return delay_; }
  // A longer delay is cut to MaxDelay.
  void SetDelay(uint32_t ms);
  bool Interlaced() const { return interlaced_; }
  void SetInterlaced(bool b);
  const std::vector<std::string>& Comments() const { return comments_; }
  void SetComments(const std::vector<std::string>& lines);
  uint8_t Disposal = DisposeNone;
  // How the file stored the frame, kept so that saving stores it alike, since decoders differ in
  // how they show pixels no frame covers and some decide by these: whether it had a graphic
  // control extension (without one it is written without one while nothing asks for one: a delay
  // other than 100 ms, a disposal, transparency), and whether that named a transparent index.
  bool HasControlExtension = true;
  bool NamesTransparentIndex = true;

 protected:
  void SaveValues(TFrameValues& values) const override;
  void RestoreValues(const TFrameValues& values) override;

 private:
  uint32_t delay_ = 100;
  bool interlaced_ = false;
  std::vector<std::string> comments_;
};

class TWorkImageListFrame : public TUniformFrame {
 public:
  std::string ClassName() const override { return "TWorkImageListFrame"; }
  std::unique_ptr<TSelectBitmap> Create() const override;
};

class TIconFrame : public TWorkFrame {
 public:
  std::string ClassName() const override { return "TIconFrame"; }
  bool GetTransparent() const override { return true; }
  void SetTransparent(bool) override {}
  TColor GetTransparentColor() const override { return IconTransparentColor; }
  void SetTransparentColor(TColor) override {}
  // The transparent and inverting colours can be painted with at any depth.
  void SetLeftColor(TColor c) override;
  void SetRightColor(TColor c) override;
  std::string GetColorModes() const override;
  std::unique_ptr<TSelectBitmap> Create() const override;
  bool IsIconFrame() const override { return true; }
  // Copies StoredAsPng from another sub-icon; any other source leaves it as it is.
  void Assign(const TSelectBitmap& source) override;
  // Whether the file stored the sub-icon PNG-compressed, kept so that saving stores it alike
  // while it has 32 bits.
  bool StoredAsPng = false;
};
