#pragma once
// Colour depth changes of a whole multi-frame document. Frames of animations and image lists
// share one depth (and, unless they carry their own, one palette), so a depth change is made
// for all of them at once: changing it on one frame alone would leave the others mapped to a
// palette they no longer have.

#include <string>

#include "model/SelectBitmap.h"

class TImageGroup;

// Brings every frame of `group` to `bits`. Going to 8 bits or fewer asks `chooser` once: the
// optimal palette is computed from the frames that share the group palette together (a frame
// with its own palette gets one computed from itself); a stored palette serves all of them.
// Each frame is then remapped with the chosen dither mode. Deeper depths keep the pixels and
// take the default palette (`defaultPaletteFile`, generated when missing or damaged). Sub-icons
// each change on their own, with the one answer. Returns false, changing nothing, when the user
// cancels; true at once when the depth is already `bits`.
bool ChangeGroupBitCount(TImageGroup& group, int bits, IReductionChooser& chooser,
                         const std::string& defaultPaletteFile);
