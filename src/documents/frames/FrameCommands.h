#pragma once
// TFrameCommands: the frame grid's commands ("&Add new frame", "&Insert new frame",
// "&Delete frame", "&Play", "View all frames"). Their handlers attach here as they are built;
// until then the commands exist, with their buttons and shortcuts, and stay disabled.

#include "documents/FeatureModule.h"

class TFrameGrid;

class TFrameCommands : public TFeatureModule {
 public:
  TFrameCommands(const TFeatureContext& context, TFrameGrid& grid);

  void Attach() override;

 private:
  TFrameGrid& grid_;
};
