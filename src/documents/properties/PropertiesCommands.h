#pragma once
// TPropertiesCommands: the properties panel's commands ("&Properties", "&Apply", "Reset", the
// transparency toggle). While the panel shows, it reloads from the image whenever another image
// becomes current or the image's properties change elsewhere (undo, the transparency tool), by
// running "Reset" (CancelAct). The handlers of the commands attach here as they are built.

#include "documents/FeatureModule.h"

class TPropertiesPanel;

class TPropertiesCommands : public TFeatureModule {
 public:
  TPropertiesCommands(const TFeatureContext& context, TPropertiesPanel& panel);

  void Attach() override;
  // Reloads the panel from what is current, while it shows.
  void ReloadProperties();

 private:
  TPropertiesPanel& panel_;
};
