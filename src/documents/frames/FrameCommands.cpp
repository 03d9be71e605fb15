#include "documents/frames/FrameCommands.h"

#include "documents/frames/FrameGrid.h"

TFrameCommands::TFrameCommands(const TFeatureContext& context, TFrameGrid& grid)
    : TFeatureModule(context), grid_(grid) {}

void TFrameCommands::Attach() {
  // AddFrameAct, InsertFrameAct, DelFrameAct, MovieAct and GoParentAct attach here.
}
