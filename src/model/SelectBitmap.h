#pragma once
// TSelectBitmap: the editable raster every image of the program is made of. It bundles the
// 32-bit pixels with a 1-bit selection mask of the same size, an optional floating layer that
// holds lifted selection content while it moves, the palette and colour depth, transparency and
// the two drawing colours that belong to the image.
//
// A raster is either settled (no layer, offsets 0,0) or floating (a layer present; mask and
// layer are shown and merged at LayerLeft, LayerTop). Subclasses redirect palette, colours,
// size and transparency to a group through the virtual operations, so outside code uses those
// and never the fields behind them.

#include <memory>
#include <optional>
#include <string>

#include "model/ColorReduction.h"
#include "model/Palette.h"
#include "model/Picture.h"
#include "model/Surface.h"

class IClipboard;

// What the colour reduction dialog answers when an image goes down to 8 bits or fewer.
struct TReductionChoice {
  bool Quantize = true;         // build an optimal palette; otherwise use `Palette`
  TDitherMode Dither = TDitherMode::Nearest;
  TPaletteRecord Palette;       // the stored palette chosen when not quantizing
};

// Asks the user how to reduce colours. `pattern` filters the stored palettes ("*.plt16").
class IReductionChooser {
 public:
  virtual ~IReductionChooser() = default;
  virtual std::optional<TReductionChoice> ChooseReduction(int bitCount,
                                                          const std::string& pattern) = 0;
};

// The stored palettes offered when reducing to `bitCount` ("*.plt16" for 4 bits).
std::string ReductionPattern(int bitCount);

// Answers with one remembered choice, so that several images share one question, and so that
// a caller can ask before it changes anything and learn whether the user cancelled.
class TOnceChooser : public IReductionChooser {
 public:
  explicit TOnceChooser(IReductionChooser& chooser) : chooser_(chooser) {}
  std::optional<TReductionChoice> ChooseReduction(int bitCount,
                                                  const std::string& pattern) override;
  // Asks now (when not asked yet) for a reduction to `bitCount`; true unless the user cancels.
  bool Ask(int bitCount) { return ChooseReduction(bitCount, ReductionPattern(bitCount)).has_value(); }

 private:
  IReductionChooser& chooser_;
  std::optional<TReductionChoice> choice_;
  bool asked_ = false;
};

class TSelectBitmap {
 public:
  TSelectBitmap();
  virtual ~TSelectBitmap();
  TSelectBitmap(const TSelectBitmap&) = delete;
  TSelectBitmap& operator=(const TSelectBitmap&) = delete;

  // Copies surfaces, layer, size, offsets, modified flag, transparency, bit count and the
  // palette record; the drawing colours stay.
  virtual void Assign(const TSelectBitmap& source);
  // Takes a decoded picture: the selection and layer are dropped. A picture handed over as a
  // temporary gives up its pixels instead of being copied.
  void AssignPicture(TDecodedPicture picture);

  virtual TColor GetLeftColor() const;
  virtual TColor GetRightColor() const;
  virtual void SetLeftColor(TColor c);
  virtual void SetRightColor(TColor c);
  virtual int GetBitCount() const;
  virtual void SetBitCount(int n);
  virtual TPaletteRecord& GetPalette();
  const TPaletteRecord& GetPalette() const { return const_cast<TSelectBitmap*>(this)->GetPalette(); }
  virtual bool GetTransparent() const;
  virtual void SetTransparent(bool b);
  virtual void SetWidth(int w);
  virtual void SetHeight(int h);
  virtual TColor GetTransparentColor() const;
  virtual void SetTransparentColor(TColor c);
  // The class name shown by tools ("TWorkBitmap").
  virtual std::string ClassName() const { return "TSelectBitmap"; }
  // A new, empty object of the same class.
  virtual std::unique_ptr<TSelectBitmap> Create() const;
  // The colour modes the class can hold, names joined by a carriage return.
  virtual std::string GetColorModes() const;
  // Sub-icons keep their transparent and inverting colours through palette reduction.
  virtual bool IsIconFrame() const { return false; }

  int Width() const { return width_; }
  int Height() const { return height_; }

  const TSurface& Image() const { return image_; }
  // Write access to the pixels; any change of the image marks the raster modified.
  TSurface& EditImage() {
    modified_ = true;
    return image_;
  }
  const TMaskSurface& Mask() const { return mask_; }
  TMaskSurface& EditMask() { return mask_; }
  const TSurface* Layer() const { return layer_.get(); }
  TSurface* EditLayer() { return layer_.get(); }
  bool HasLayer() const { return layer_ != nullptr; }

  bool IsModified() const { return modified_; }
  void SetModified(bool m) { modified_ = m; }

  int LayerLeft = 0;
  int LayerTop = 0;

  // Selection and layer.
  void ClearSelection();
  void LiftSelection(bool cut, TColor fillColor);
  TSelectBitmap& DropLayer();
  void DiscardLayer();
  void ClearLayer();
  bool HasSelection() const { return mask_.AnySelected(); }
  void CopySelection(IClipboard& clipboard, bool cut, TColor fillColor);
  void PasteSelection(const IClipboard& clipboard, TDitherMode dither);
  // Pastes a bitmap already taken from the clipboard (its key-coloured pixels unselected).
  void PasteBitmap(TSurface pasted, TDitherMode dither);

  // Palette and colour.
  TColor NearestColor(TColor c) const;
  void ApplyPalette(const TPaletteRecord& palette, TDitherMode dither);
  void InitImage(int width, int height, const TPaletteRecord* palette, int bitCount);
  // A palette of `colors` entries (2..256) chosen for the image and for the way its pixels will
  // be mapped onto it (`dither`).
  TPaletteRecord QuantizedPalette(int colors, TDitherMode dither = TDitherMode::Nearest) const;
  // Whether the image is 32 bits deep and any pixel of it or of its layer is not opaque.
  bool UsesAlpha() const;
  // Turns pixels with alpha below 128 into the key colour (the transparent colour of a
  // transparent image or sub-icon, else a colour no opaque pixel has) and makes the rest opaque;
  // the image becomes transparent when any pixel took the key. For leaving 32 bits and for
  // pictures written where only a key colour can say transparency.
  void DropAlpha();
  // Makes every pixel of colour `c` fully transparent (32-bit images; others keep their pixels).
  void MakeColorTransparent(TColor c);
  // Changes the colour depth, asking `chooser` how to reduce when going to 8 bits or fewer.
  // `defaultPaletteFile` is the "Default.plt" that deeper images take (missing: generated).
  // Leaving 32 bits turns pixels with alpha below 128 into the key colour and makes the others
  // opaque; going to 32 bits makes the key colour's pixels of a transparent image transparent.
  bool ChangeBitCount(int newBitCount, IReductionChooser& chooser,
                      const std::string& defaultPaletteFile);

 protected:
  // Stores a drawing colour as it is, without snapping it to the palette.
  void SetLeftColorUnsnapped(TColor c) { leftColor_ = c; }
  void SetRightColorUnsnapped(TColor c) { rightColor_ = c; }
  // Resizes the surfaces without going through the virtual setters (used by groups).
  void ResizeSurfaces(int w, int h);
  void StoreWidth(int w) { width_ = w; }
  void StoreHeight(int h) { height_ = h; }

 private:
  // Going to 32 bits: the key colour's pixels become fully transparent.
  void KeyToAlpha();

  TSurface image_;
  TMaskSurface mask_;
  std::unique_ptr<TSurface> layer_;
  TPaletteRecord palette_;
  uint8_t bitCount_ = 0;
  int width_ = 1;
  int height_ = 1;
  bool modified_ = false;
  bool transparent_ = false;
  TColor transparentColor_ = 0;
  TColor leftColor_ = 0;
  TColor rightColor_ = 0;
};

// Maps `surface` onto the palette with the dither mode. Pixels of `key` survive exactly when
// `keepKey` is set; in icon mode the inverting colour survives too, and the key is not snapped.
// Outside icon mode `key` becomes its nearest palette colour.
void ReduceToPalette(TSurface& surface, const TPaletteRecord& palette, TDitherMode dither,
                     TColor& key, bool iconMode, bool keepKey);
