#pragma once
// Changing the shape of an image as the properties panel does: how large each document class
// may be made (the largest width or height its file format can record; any surface is further
// limited to MaxSurfacePixels in all) and resizing with new pixels the image can hold.

#include <string>

class TImageGroup;
class TSelectBitmap;

// Sub-icons record their size in one byte (256 written as 0).
inline constexpr int MaxIconSide = 256;
// libjpeg's largest side.
inline constexpr int MaxJpegSide = 65500;
// GIF records sizes in 16 bits; the same bound keeps bitmaps within reach of other programs.
inline constexpr int MaxImageSide = 65535;

// The largest width or height for the class named ("TIconFrame", "TWorkJpeg", ...).
int MaxImageSideOf(const std::string& className);

// Gives `image` a new size, keeping the pixels of the common top-left part. New pixels show the
// background: the transparent colour of a transparent image, otherwise white as near as the
// palette has it, so that a palette image never holds a colour its palette lacks. A frame of an
// animation or image list resizes every frame of its group, each filled the same way. A size the
// model cannot hold throws EVelmoraError before anything changes.
void ResizeCanvas(TSelectBitmap& image, int width, int height);
// The same for every frame of a group (an icon group only records the size).
void ResizeGroupCanvas(TImageGroup& group, int width, int height);
