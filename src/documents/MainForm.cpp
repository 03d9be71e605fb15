// The main window's construction and start-up sequence.

#include "documents/MainForm.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QShowEvent>

#include "controls/Pictures.h"
#include "documents/ActionList.h"
#include "documents/HelpForm.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/QtClipboard.h"
#include "model/Errors.h"
#include "model/IniFile.h"
#include "model/MruList.h"
#include "model/SettingsPath.h"
#include "windows/Dialogs.h"
#include "documents/NewImageForm.h"
#include "windows/OptionsForm.h"

#if __has_include("model/SelectBitmap.h")
#include "model/SelectBitmap.h"
void TSelectBitmapDeleter::operator()(TSelectBitmap* bitmap) const {
  delete bitmap;
}
#else
// Without the raster class no working copy can have been made, so there is nothing to free.
void TSelectBitmapDeleter::operator()(TSelectBitmap*) const {}
#endif

namespace {

QString SettingsPathFor(const TMainFormContext& context) {
  if (!context.SettingsPath.isEmpty()) return context.SettingsPath;
  const QString folder = QCoreApplication::applicationDirPath();
  return QFile::decodeName(ChooseSettingsPath(QFile::encodeName(folder).toStdString()).c_str());
}

}  // namespace

TMainForm::TMainForm(TMainFormContext context, QWidget* parent)
    : QMainWindow(parent), context_(std::move(context)) {
  setObjectName("MainForm");
  setWindowTitle("Velmora");
  setWindowIcon(Pictures::AppIcon());
  dialogs_ = context_.Dialogs;
  if (!dialogs_) dialogs_ = (ownDialogs_ = std::make_unique<TQtDialogs>()).get();
  clipboard_ = context_.Clipboard;
  if (!clipboard_) clipboard_ = (ownClipboard_ = std::make_unique<TQtClipboard>()).get();
  mru_ = std::make_unique<TMruList>();
  actions_ = new TActionList(this);
  actions_->SetErrorHandler([this](const QString& message) { Dialogs().Error(this, message); });
  BuildLayout();
  FormCreate();
  // The New image dialog and the options dialog live as long as the main window and keep
  // their choices between uses; the options dialog reads its settings now.
  newImageForm_ = new TNewImageForm(this);
  optionsForm_ = new TOptionsForm(*settings_, *dialogs_, this);
  ConnectDialogs();
  AttachHandlers();
  UpdateActions();
}

TMainForm::~TMainForm() {
  // The windows that hold references to the settings store and the dialogs go first.
  delete helpForm_;
  delete optionsForm_;
  delete newImageForm_;
}

QAction& TMainForm::Act(const char* name) {
  return (*actions_)[name];
}

THelpForm& TMainForm::HelpForm() {
  if (!helpForm_) helpForm_ = new THelpForm(this);
  return *helpForm_;
}

void TMainForm::UpdateActions() {
  actions_->UpdateAll();
}

int TMainForm::OpenDocumentCount() const {
  return Navigator->DocumentCount();
}

void TMainForm::SetStatusText(int panel, const QString& text) {
  if (panel >= 0 && panel < 4) StatPanels[panel]->setText(text);
}

QString TMainForm::StatusText(int panel) const {
  return panel >= 0 && panel < 4 ? StatPanels[panel]->text() : QString();
}

bool TMainForm::TryOpenFile(const QString& path) {
  try {
    return OpenFile(path);
  } catch (const std::exception& e) {
    Dialogs().Error(this, QString::fromUtf8(e.what()));
    return false;
  }
}

void TMainForm::FormCreate() {
  OpenDlgInitialDir.clear();  // the system's default folder until the user picks one
  settings_ =
      std::make_unique<TIniFile>(QFile::encodeName(SettingsPathFor(context_)).toStdString());
  if (!settings_->ReadError().empty())  // said once; the store then leaves the file alone
    Dialogs().Error(this, QString("The settings file %1 cannot be read: %2.\nVelmora starts with "
                                  "its default settings and leaves the file as it is.")
                              .arg(QFile::decodeName(settings_->FileName().c_str()),
                                   QString::fromStdString(settings_->ReadError())));
  RestorePlacement();
  RestoreStoredProperties();
  LoadMruList();
  Navigator->cbHints->setChecked(settings_->ReadString(NavigatorSection, "ShowHint", "1") == "1");
  CurrentImage = nullptr;
  WorkingCopy.reset();
  GroupPreview->SetRowHeight(0, 16);
  GroupPreview->SetColWidth(0, 16);
  ZoomBox->resize(0, 0);
  ViewImg->resize(0, 0);
  Pictures::LoadCursors();
  ViewBitmap = TSurface();
  ReadZoomIndex();
  Act("ToggleGridAct").setChecked(true);
  GridVisible = true;
  Act("ToggleSelectAct").setChecked(true);
  OutlineVisible = true;
  UpdateZoomLayout();
  ApplyLeftColor(MakeColor(0, 128, 128));
  ApplyRightColor(clWhite);
  UpdateMiddleColor();
  SelectBtn->SetDown(true);
}

void TMainForm::ReadZoomIndex() {
  // Anything but a whole number from 0 to 4 gives the default factor.
  const int index = settings_->ReadInteger(ZoomSection, "Index", DefaultZoomIndex);
  ZoomCombo->setCurrentIndex(index >= 0 && index < ZoomCombo->count() ? index : DefaultZoomIndex);
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_ || event->spontaneous()) return;
  shown_ = true;
  // The file named on the command line opens once the window is on the screen.
  QTimer::singleShot(0, this, &TMainForm::FormShow);
}

void TMainForm::FormShow() {
  if (context_.Arguments.isEmpty()) return;
  const QString path = context_.Arguments.first();
  if (TryOpenFile(path)) AddToMru(path);
}

void TMainForm::AttachHandlers() {
  AttachStartupHandlers();
  AttachToolMenuHandlers();
  AttachToolBarVisibility();
  AttachViewHandlers();
  AttachPointerHandlers();
  AttachToolHandlers();
  AttachUndoHandlers();
  AttachKeyHandlers();
  AttachColorHandlers();
  AttachDocumentHandlers();
  // Work on tools and further commands attaches its handlers here as it arrives.
}
