#pragma once
// A synthetic photograph for the colour reduction benchmarks and the comparison script.

#include "model/Surface.h"

// Smooth gradients as in a sky or a wall, a few soft-edged shapes and sensor-like noise, so that
// nearly every pixel has its own colour but neighbours stay close. The same side always gives
// the same pixels.
TSurface SyntheticPhoto(int side = 1024);
