// The main window's construction and start-up sequence.

#include "documents/MainForm.h"

#include <QApplication>
#include <QFile>
#include <QShowEvent>
#include <QTimer>

#include "controls/Pictures.h"
#include "documents/ActionList.h"
#include "documents/DocumentView.h"
#include "documents/HelpForm.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/NewImageForm.h"
#include "documents/QtClipboard.h"
#include "documents/commands/ImageCommands.h"
#include "documents/files/FileCommands.h"
#include "documents/frames/FrameCommands.h"
#include "documents/properties/PropertiesCommands.h"
#include "editor/Editor.h"
#include "editor/ZoomView.h"
#include "model/IniFile.h"
#include "model/MruList.h"
#include "model/SettingsPath.h"
#include "palettes/SmoothColorForm.h"
#include "windows/Dialogs.h"
#include "windows/OptionsForm.h"
#include "windows/TextPadForm.h"

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
  settings_ =
      std::make_unique<TIniFile>(QFile::encodeName(SettingsPathFor(context_)).toStdString());
  mru_ = std::make_unique<TMruList>();
  actions_ = new TActionList(this);
  actions_->SetErrorHandler([this](const QString& message) { Dialogs().Error(this, message); });
  editor_ = std::make_unique<TEditor>(*actions_, static_cast<IStatusPanels&>(*this));
  BuildLayout();
  BuildModules();
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
  // The windows that hold references to the settings store, the dialogs and the editor go first.
  editor_->SetGradientForm(nullptr);
  editor_->SetTextPad(nullptr);
  delete smoothColorForm_;
  delete textPadForm_;
  delete helpForm_;
  delete optionsForm_;
  delete newImageForm_;
}

void TMainForm::BuildModules() {
  documents_ =
      std::make_unique<TDocumentView>(*this, *editor_, *Navigator, *frameGrid_, *Splitter1);
  const TFeatureContext context{*this, *actions_, *dialogs_,  *clipboard_, *settings_,
                                *mru_, *editor_,  *Navigator, *documents_};
  auto files = std::make_unique<TFileCommands>(context, *MRUPopup, context_.ReadDocument);
  files_ = files.get();
  modules_.push_back(std::move(files));
  // The options dialog exists by the time a frame is deleted.
  modules_.push_back(std::make_unique<TFrameCommands>(
      context, *frameGrid_, [this] { return OptionsForm().WarningsOn(); }));
  auto properties = std::make_unique<TPropertiesCommands>(context, *propertiesPanel_);
  properties_ = properties.get();
  modules_.push_back(std::move(properties));
  modules_.push_back(std::make_unique<TImageCommands>(context));
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

void TMainForm::FormCreate() {
  if (!settings_->ReadError().empty())  // said once; the store then leaves the file alone
    Dialogs().Error(this, QString("The settings file %1 cannot be read: %2.\nVelmora starts with "
                                  "its default settings and leaves the file as it is.")
                              .arg(QFile::decodeName(settings_->FileName().c_str()),
                                   QString::fromStdString(settings_->ReadError())));
  RestorePlacement();
  RestoreStoredProperties();
  files_->LoadMruList();
  Navigator->cbHints->setChecked(settings_->ReadString(NavigatorSection, "ShowHint", "1") == "1");
  ReadZoomIndex();
  editor_->Start();
}

void TMainForm::ReadZoomIndex() {
  // Anything but a whole number from 0 to 4 gives the default factor.
  QComboBox* zoom = editor_->View().ZoomCombo;
  const int index = settings_->ReadInteger(ZoomSection, "Index", DefaultZoomIndex);
  zoom->setCurrentIndex(index >= 0 && index < zoom->count() ? index : DefaultZoomIndex);
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (shown_ || event->spontaneous()) return;
  shown_ = true;
  // The files named on the command line open once the window is on the screen.
  QTimer::singleShot(0, this, &TMainForm::FormShow);
}

void TMainForm::FormShow() {
  if (!context_.Arguments.isEmpty()) files_->OpenFiles(context_.Arguments);
}

void TMainForm::AttachHandlers() {
  AttachStartupHandlers();
  editor_->AttachHandlers(*this);
  for (const auto& module : modules_) module->Attach();
  documents_->AttachHandlers();
}
