#pragma once
// Colour words and pixel words.
//
// A colour (TColor) holds red in the low byte, then green, then blue; the high byte is zero for
// an explicit colour. A pixel word of a 32-bit surface holds the same channels with red and blue
// exchanged (blue in the low byte), which is also the in-memory order of QImage::Format_RGB32.

#include <cstdint>

using TColor = uint32_t;
using TPixel = uint32_t;

constexpr TColor MakeColor(int r, int g, int b) {
  return TColor(r & 0xFF) | (TColor(g & 0xFF) << 8) | (TColor(b & 0xFF) << 16);
}
constexpr int RedOf(TColor c) { return int(c & 0xFF); }
constexpr int GreenOf(TColor c) { return int((c >> 8) & 0xFF); }
constexpr int BlueOf(TColor c) { return int((c >> 16) & 0xFF); }

// Keeps the low 24 bits (drops the high byte of a colour or a pixel word).
constexpr uint32_t StripHighByte(uint32_t c) { return c & 0xFFFFFF; }

// Repacks the three channels of a colour into a plain colour with high byte 0.
constexpr TColor RepackColor(TColor c) { return MakeColor(RedOf(c), GreenOf(c), BlueOf(c)); }

// Exchanges the low and the third byte: colour to pixel word and back. The high byte is kept.
constexpr uint32_t SwapRedBlue(uint32_t c) {
  return (c & 0xFF00FF00u) | ((c & 0xFF) << 16) | ((c >> 16) & 0xFF);
}
constexpr TPixel ColorToPixel(TColor c) { return SwapRedBlue(c) & 0xFFFFFF; }
constexpr TColor PixelToColor(TPixel p) { return SwapRedBlue(p) & 0xFFFFFF; }

// Alpha of 32-bit images. Their pixel words keep the transparency (255 - alpha) in the top byte,
// so that 0, which every word made from a colour carries, means opaque. Images of other depths
// keep the top byte 0 and show transparency through their key colour instead.
constexpr int AlphaOf(TPixel p) { return 255 - int(p >> 24); }
constexpr TPixel WithAlpha(TPixel p, int alpha) {
  return (p & 0xFFFFFF) | (TPixel(255 - (alpha & 0xFF)) << 24);
}
// Whether the pixel shows anything beneath it.
constexpr bool IsTranslucent(TPixel p) { return (p >> 24) != 0; }

// Sign as the tools need it: -1 for negative values, 1 otherwise (also for 0).
constexpr int SignOf(int v) { return v < 0 ? -1 : 1; }

// Named colours used across the program.
constexpr TColor clBlack = 0x000000;
constexpr TColor clWhite = 0xFFFFFF;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clGray = 0x808080;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clYellow = 0x00FFFF;

// Reserved colours. Each has equal red and blue bytes, so it reads the same as a colour and as
// a pixel word.
constexpr TColor ClipboardKeyColor = 0xF707F7;     // unselected pixels of clipboard bitmaps
constexpr TColor IconTransparentColor = 0x87A787;  // transparent pixels of sub-icons
constexpr TColor IconInvertColor = 0x775777;       // screen-inverting pixels of sub-icons
