#include "documents/FeatureModule.h"

#include "editor/Editor.h"

TFeatureModule::TFeatureModule(const TFeatureContext& context) : context_(context) {}

TEditSession& TFeatureModule::Session() const {
  return context_.Editor.Session();
}
