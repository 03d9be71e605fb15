#pragma once
// Fitting a stored window rectangle onto the screens there are now.
//
// A settings file may hold a rectangle from another monitor setup, or one edited by hand to an
// absurd size; a window of 100000 x 100000 pixels would take gigabytes of memory and never
// paint. Stored rectangles are therefore limited to the available area of one screen.

#include <optional>
#include <vector>

#include "model/Geometry.h"

// The part of a window that must show on a screen for its stored place to count.
inline constexpr int MinVisibleWindowWidth = 50;
inline constexpr int MinVisibleWindowHeight = 30;

// The stored rectangle fitted to the available screen areas (primary first): the screen it
// overlaps most keeps it, no larger than that screen and moved inside it. Nothing when the
// rectangle is empty or shows on no screen well enough to be found there. With no screens
// known the rectangle is taken as it is.
std::optional<TRect> FitWindowToScreens(const TRect& stored, const std::vector<TRect>& screens);
