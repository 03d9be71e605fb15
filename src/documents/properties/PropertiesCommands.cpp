// Showing, loading and resetting the properties panel; its transparency toggle, swatch and
// comment memos.

#include "documents/properties/PropertiesCommands.h"

#include "documents/ActionList.h"
#include "documents/properties/CommentEditor.h"
#include "documents/properties/PropertiesPanel.h"
#include "editor/EditSession.h"
#include "model/ImageGroup.h"
#include "model/WorkImage.h"
#include "palettes/ColorChoiceDlg.h"

TPropertiesCommands::TPropertiesCommands(const TFeatureContext& context, TPropertiesPanel& panel)
    : TFeatureModule(context), panel_(panel) {}

void TPropertiesCommands::Attach() {
  connect(&Session(), &TEditSession::CurrentChanged, this, [this] { ReloadProperties(); });
  connect(&Session(), &TEditSession::PropertiesChanged, this, [this] {
    if (!applying_) ReloadProperties();
  });
  connect(&panel_, &TPropertiesPanel::PropertyChange, this, [this] { changed_ = true; });
  connect(&panel_, &TPropertiesPanel::TranspColClick, this, &TPropertiesCommands::TranspColClick);
  connect(&panel_, &TPropertiesPanel::GifFrameCommentClick, this,
          &TPropertiesCommands::GifFrameCommentClick);
  connect(panel_.chbTransparent, &QCheckBox::clicked, this, [this](bool checked) {
    // The box is the command's button; a click has flipped it already.
    panel_.SetTransparentChoice(checked);
    Actions()["ChgTranspAct"].setChecked(checked);
    changed_ = true;
  });
  panel_.BindCommands(Actions()["ApplyAct"], Actions()["CancelAct"]);

  const auto current = [this] { return Session().CurrentImage() || Session().CurrentGroup(); };
  Actions().OnExecute("PropEditAct", [this] { PropEditActGo(); });
  Actions().OnUpdate("PropEditAct", [current](QAction& a) { a.setEnabled(current()); });
  Actions().OnExecute("ApplyAct", [this] { ApplyActExecute(); });
  Actions().OnUpdate("ApplyAct", [this](QAction& a) { a.setEnabled(panel_.Shown() && changed_); });
  Actions().OnExecute("CancelAct", [this] { CancelActExecute(); });
  Actions().OnUpdate("CancelAct", [this](QAction& a) { a.setEnabled(panel_.Shown()); });
  Actions().OnExecute("ChgTranspAct", [this] { ChgTranspActExecute(); });
  Actions().OnUpdate("ChgTranspAct", [this](QAction& a) {
    const TWorkImage* image = Session().CurrentImage();
    const bool enabled = panel_.Shown() && panel_.Page() != IconGroupPage &&
                         !(image && image->IsIconFrame());
    a.setEnabled(enabled);
    a.setChecked(panel_.TransparentChoice());
    panel_.chbTransparent->setEnabled(enabled);
  });
  Actions().OnExecute("PaletteEditorAct", [this] { PaletteEditorActExecute(); });
}

void TPropertiesCommands::ReloadProperties() {
  // The panel follows its command, and shows only while there is something to show.
  const bool wanted = Actions()["PropEditAct"].isChecked();
  const bool shown = wanted && (Session().CurrentImage() || Session().CurrentGroup());
  if (shown != panel_.Shown()) panel_.SetShown(shown);
  if (shown) Actions().Run("CancelAct");
}

void TPropertiesCommands::PropEditActGo() {
  // The command is a check command: triggering it has flipped its checked state already.
  ReloadProperties();
}

void TPropertiesCommands::CancelActExecute() {
  if (TImageGroup* group = Session().CurrentGroup())
    panel_.LoadGroupProperties(*group);
  else if (TWorkImage* image = Session().CurrentImage())
    panel_.LoadImageProperties(*image);
  panel_.AdvPanel3Resize();
  changed_ = false;
}

void TPropertiesCommands::ChgTranspActExecute() {
  panel_.SetTransparentChoice(!panel_.TransparentChoice());
  Actions()["ChgTranspAct"].setChecked(panel_.TransparentChoice());
  changed_ = true;
}

void TPropertiesCommands::TranspColClick() {
  TWorkImage* image = Session().CurrentImage();
  if (!image) return;
  const std::optional<TColor> color =
      PickPaletteColor(Dialogs(), &Window(), image->GetPalette(), panel_.TransparentColorChoice(),
                       image->GetBitCount() > 8);
  if (!color) return;
  panel_.SetTransparentColorChoice(StripHighByte(*color));
  changed_ = true;
}

void TPropertiesCommands::GifFrameCommentClick(QPlainTextEdit* memo) {
  const QString edited = EditComment(Dialogs(), &Window(), memo->toPlainText());
  if (edited != memo->toPlainText()) memo->setPlainText(edited);  // raises PropertyChange
}
