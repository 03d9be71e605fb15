#pragma once
// TPropertiesCommands: the properties panel's commands ("&Properties", "&Apply", "Reset", the
// transparency toggle) and the palette editor command. While the panel shows, it reloads from
// the image whenever another image becomes current or the image's properties change elsewhere
// (undo, the transparency tool), by running "Reset" (CancelAct).
//
// "&Apply" writes the panel into the current image as one undo step, or into the current group.
// A change of colour depth asks through the colour reduction dialog; when the user cancels it the
// depth, pixels and palette stay as they were, the other values are applied and "&Apply" stays
// enabled; with no other value changed nothing is recorded and the document stays unmodified. Depth and size changes of a frame of an animation reach every frame of it.

#include <QPlainTextEdit>
#include <functional>

#include "documents/FeatureModule.h"

class TImageGroup;
class TOnceChooser;
class TPropertiesPanel;
class TWorkImage;
struct TPropertyValues;

class TPropertiesCommands : public TFeatureModule {
 public:
  TPropertiesCommands(const TFeatureContext& context, TPropertiesPanel& panel);

  void Attach() override;
  // Reloads the panel from what is current, while it shows.
  void ReloadProperties();

  void PropEditActGo();
  void ApplyActExecute();
  void CancelActExecute();
  void ChgTranspActExecute();
  void TranspColClick();
  void GifFrameCommentClick(QPlainTextEdit* memo);
  void PaletteEditorActExecute();

  // Whether "&Apply" has something to write.
  bool HasChanges() const { return changed_; }

  // Whether notices are shown ("Show warning messages" of the options); the window sets it.
  std::function<bool()> WarningsOn;

 private:
  void ApplyImageProperties(TWorkImage& image);
  void ApplyGroupProperties(TImageGroup& group);
  // Whether the colour depth goes from `current` to `bits`; a reduction is asked for now, and a
  // cancelled one sets `cancelled`.
  bool AskDepthChange(TOnceChooser& chooser, int bits, int current, bool& cancelled);
  // Shows the changed document again, as selecting its node does.
  void RefreshShown();
  // Applies `palette` to the current image, or to every frame that shares it.
  void ApplyEditedPalette(const struct TPaletteRecord& palette);

  TPropertiesPanel& panel_;
  bool changed_ = false;
  // While "&Apply" writes, the image's change notices must not reload the controls.
  bool applying_ = false;
};
