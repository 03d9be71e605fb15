#pragma once
// Synthetic full-screen animations for the GIF benchmarks and the size comparison script.

#include <string>
#include <vector>

#include "model/codecs/GifCodec.h"

// The animations by name: "sprite" (a sprite moving over a detailed still background),
// "region" (a small changing region), "noise" (the whole screen changes every frame) and
// "icons" (a transparent sprite on nothing, every frame restored to background).
std::vector<std::string> SyntheticGifNames();
TGifData SyntheticGif(const std::string& name, int side = 256, int frames = 50);
