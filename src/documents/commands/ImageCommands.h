#pragma once
// TImageCommands: the commands that act on the current image as a whole or on its selection:
// the clipboard (cut, copy, paste), select all, unselect all, fill and delete selection
// (ImageCommandsSelection.cpp), and the rotations, mirrors and filters
// (ImageCommandsTransform.cpp). Each changes the image through the session (Session().Commit or
// ChangeImage), which takes the undo snapshot and keeps the working copy and the navigator in
// step, then shows the result.

#include <QAction>
#include <functional>

#include "documents/FeatureModule.h"

class TSelectBitmap;

class TImageCommands : public TFeatureModule {
 public:
  explicit TImageCommands(const TFeatureContext& context) : TFeatureModule(context) {}

  void Attach() override;

  // Clipboard and selection.
  void CutActExecute();
  void CopyActExecute();
  void PasteActExecute();
  void SelectAllActExecute();
  void UnselectActExecute();
  void FillSelectionActExecute();
  void DelSelctionActExecute();

  // Transforms and filters.
  void Rotate90ActExecute();
  void Rotate90ccwActExecute();
  void Rotate180ActExecute();
  void HMirrorActExecute();
  void VMirrorActExecute();
  void GrayscaleActExecute();
  void GrayAndBlendActExecute();

  // Cut, copy, fill and delete: a selection or a floating layer exists.
  void CopyActUpdate(QAction& action) const;
  // Paste: the clipboard holds a picture.
  void PasteActUpdate(QAction& action) const;
  // Select all, unselect all and the transforms: an image is current.
  void SelectAllActUpdate(QAction& action) const;
  // The quarter turns: see QuarterTurnAllowed.
  void QuarterTurnUpdate(QAction& action) const;
  // The filters: an image of more than 8 bits is current.
  void GrayscaleActUpdate(QAction& action) const;

  // Whether cut, copy, fill and delete have something to act on.
  bool SelectionPresent() const;
  // Whether the quarter turns may change the current image's shape: a frame of an animation or
  // image list shares its size with the other frames, which a turn of a frame that is not square
  // would crop.
  bool QuarterTurnAllowed() const;
  bool FiltersAllowed() const;

 private:
  // Attaches `execute` and `update` to the command `name`.
  void Bind(const char* name, void (TImageCommands::*execute)(),
            void (TImageCommands::*update)(QAction&) const);
  void AttachSelectionCommands();
  void AttachTransformCommands();
  // An image is current; a drag still held is finished first, as its release would.
  bool Prepare() const;
  // Turns or mirrors the current image with `op` as one undo step.
  void Transform(void (*op)(TSelectBitmap&), bool turnsQuarter);
  // Applies a filter as one undo step; without a snapshot the filter does not run.
  void Filter(const std::function<void(TSelectBitmap&)>& filter);
  // Shows a change of the current image: the view, and the preview in its (new) size.
  void ShowChange(bool resized = false);
};
