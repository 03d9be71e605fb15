#include "documents/properties/PropertiesCommands.h"

#include "documents/ActionList.h"
#include "documents/properties/PropertiesPanel.h"
#include "editor/EditSession.h"

TPropertiesCommands::TPropertiesCommands(const TFeatureContext& context, TPropertiesPanel& panel)
    : TFeatureModule(context), panel_(panel) {}

void TPropertiesCommands::Attach() {
  connect(&Session(), &TEditSession::CurrentChanged, this, [this] { ReloadProperties(); });
  connect(&Session(), &TEditSession::PropertiesChanged, this, [this] { ReloadProperties(); });
  // PropEditAct, ApplyAct, CancelAct and ChgTranspAct attach here.
}

void TPropertiesCommands::ReloadProperties() {
  if (panel_.Shown()) Actions().Run("CancelAct");
}
