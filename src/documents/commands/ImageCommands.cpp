#include "documents/commands/ImageCommands.h"

void TImageCommands::Attach() {
  // CutAct, CopyAct, PasteAct, SelectAllAct, UnselectAct, FillSelectionAct, DelSelctionAct,
  // Rotate180Act, Rotate90Act, Rotate90ccwAct, HMirrorAct, VMirrorAct, GrayscaleAct and
  // GrayAndBlendAct attach here.
}
