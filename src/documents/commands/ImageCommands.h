#pragma once
// TImageCommands: the commands that act on the current image as a whole or on its selection:
// the clipboard (cut, copy, paste), select all, unselect all, fill and delete selection, the
// rotations and mirrors, and the filters. Their handlers attach here as they are built; each
// changes the image through the session (Session().ChangeImage or Commit), which takes the undo
// snapshot and keeps the working copy, the view and the navigator in step.

#include "documents/FeatureModule.h"

class TImageCommands : public TFeatureModule {
 public:
  explicit TImageCommands(const TFeatureContext& context) : TFeatureModule(context) {}

  void Attach() override;
};
