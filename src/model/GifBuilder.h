#pragma once
// Turning documents into GIF streams: the whole-group builder that saving an animation, the
// animation player and the navigator's thumbnails share, and the one-frame writer of GIF images.

#include <string>
#include <vector>

#include "model/FileIO.h"
#include "model/ImageGroup.h"
#include "model/SelectBitmap.h"

struct TGifData;

// Every frame of any group as one GIF animation, cropped and merged by the optimiser.
TBytes BuildGifStream(const TImageGroup& group);

// A decoded animation written again exactly as opening it as a TGifImageGroup and saving it
// would write it, without holding a picture of every frame. `compression` is the group's coding.
TBytes RewriteGifAnimation(const TGifData& gif, uint8_t compression);

// A single image as a one-frame GIF. `image` must already have its floating layer merged.
TBytes EncodeGifPicture(const TSelectBitmap& image, const std::vector<std::string>& comments,
                        bool interlaced, uint8_t compression);

// How many images a GIF file holds (frames of zero size do not count), read without decoding
// them.
int GifImageCount(const uint8_t* data, size_t size);
