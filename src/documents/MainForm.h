#pragma once
// TMainForm: the editor's main window. It builds the layout, owns the services (settings,
// recently-used list, dialogs, clipboard, command list) and composes the canvas (TEditor, from
// editor/) with the feature modules that bring their own commands: files/ (new, open, save,
// close, recently used, dropped files), frames/, properties/ and commands/. Which document is
// shown is TDocumentView's business.
//
// The class is split over files by concern: start-up and the services (MainForm.cpp), the layout
// (MainFormLayout.cpp), menus and tool bars from the command table (MainFormCommands.cpp),
// settings and shutdown (MainFormSettings.cpp), help, About and options (MainFormHelp.cpp), and
// the connections to the long-lived dialogs (MainFormDialogs.cpp).

#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>
#include <memory>
#include <vector>

#include "documents/files/DocumentReader.h"
#include "editor/EditorServices.h"

class IDialogs;
class IClipboard;
class TIniFile;
class TMruList;
class TActionList;
class TOptionsForm;
class TNewImageForm;
class THelpForm;
class TImageBrowseFrm;
class TEditor;
class TDocumentView;
class TFeatureModule;
class TFileCommands;
class TFrameGrid;
class TPropertiesCommands;
class TPropertiesPanel;
class TSmoothColorForm;
class TTextPadForm;

struct TMainFormContext {
  // The settings file; empty: chosen by ChooseSettingsPath beside the program.
  QString SettingsPath;
  // Not owned; null: the desktop's dialogs and clipboard.
  IDialogs* Dialogs = nullptr;
  IClipboard* Clipboard = nullptr;
  // How files are read into documents; null: ReadDocumentFile.
  TDocumentReader ReadDocument;
  // The command-line arguments after the program's name; the first one is opened when the
  // window is first shown.
  QStringList Arguments;
};

class TMainForm : public QMainWindow, private IStatusPanels {
  Q_OBJECT
 public:
  explicit TMainForm(TMainFormContext context = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Settings sections of the main window.
  static constexpr const char* PlacementSection = "Main form settings";
  static constexpr const char* NavigatorSection = "Navigator";
  static constexpr const char* ZoomSection = "Default zoom";
  static constexpr int FormVersion = 1;
  static constexpr int DefaultZoomIndex = 3;

  // Services. Every window of the editor takes the settings store from here: a second TIniFile
  // on the same file would overwrite the other's changes.
  TActionList& Actions() { return *actions_; }
  QAction& Act(const char* name);
  IDialogs& Dialogs() { return *dialogs_; }
  IClipboard& Clipboard() { return *clipboard_; }
  TIniFile& Settings() { return *settings_; }
  TMruList& MruList() { return *mru_; }
  TOptionsForm& OptionsForm() { return *optionsForm_; }
  TNewImageForm& NewImageForm() { return *newImageForm_; }
  THelpForm& HelpForm();
  TSmoothColorForm& SmoothColorForm() { return *smoothColorForm_; }
  TTextPadForm& TextPadForm() { return *textPadForm_; }

  // The parts the window is made of.
  TEditor& Editor() { return *editor_; }
  TDocumentView& Documents() { return *documents_; }
  TFileCommands& Files() { return *files_; }
  TFrameGrid& Frames() { return *frameGrid_; }
  TPropertiesPanel& Properties() { return *propertiesPanel_; }

  void SetStatusText(int panel, const QString& text) override;
  QString StatusText(int panel) const;
  int OpenDocumentCount() const;
  // Runs the idle update of every command now.
  void UpdateActions();

  // Start-up, settings and shutdown.
  void FormCreate();
  void FormShow();
  bool FormCloseQuery();
  void FormClose();
  void ExitActExecute();
  void Options1Click();
  void Contents1Click();
  void Index1Click();
  void Welcome1Click();
  void About1Click();

  // Tool bar band.
  QToolBar* FileBar;
  QToolBar* EditBar;
  QToolBar* ViewBar;
  QToolBar* ZoomBar;
  QToolBar* TransformBar;
  QToolButton* OpenBtn;
  QToolButton* UndoBtn;
  QToolButton* RedoBtn;
  QToolButton* SmoothBtn;
  QMenu* MRUPopup;

  QSplitter* Splitter1;     // colour panel | tool box
  QSplitter* MainSplitter;  // centre | right column
  QWidget* CenterPanel;
  QSplitter* RightSplitter;  // preview | navigator
  TImageBrowseFrm* Navigator;
  QStatusBar* StatBar;
  QLabel* StatPanels[4];

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  QMenu* MenuFor(const QString& path);
  void BuildToolBars();
  void BuildCentre();
  void BuildRightColumn();
  void BuildStatusBar();
  void BuildLayout();
  void BuildModules();
  void AttachHandlers();
  void AttachStartupHandlers();
  // Connects the New image dialog, the colour choice dialog and the options to their users, and
  // gives the editor its gradient window and text pad.
  void ConnectDialogs();

  void RestorePlacement();
  void RestoreStoredProperties();
  void SaveStoredProperties();
  void ReadZoomIndex();
  void SaveSettings();

  TMainFormContext context_;
  std::unique_ptr<IDialogs> ownDialogs_;
  std::unique_ptr<IClipboard> ownClipboard_;
  IDialogs* dialogs_ = nullptr;
  IClipboard* clipboard_ = nullptr;
  std::unique_ptr<TIniFile> settings_;
  std::unique_ptr<TMruList> mru_;
  TActionList* actions_ = nullptr;
  TOptionsForm* optionsForm_ = nullptr;
  TNewImageForm* newImageForm_ = nullptr;
  THelpForm* helpForm_ = nullptr;
  TSmoothColorForm* smoothColorForm_ = nullptr;
  TTextPadForm* textPadForm_ = nullptr;
  // The parts go before the widgets they hold on to: in reverse order of these lines.
  std::unique_ptr<TEditor> editor_;
  TFrameGrid* frameGrid_ = nullptr;
  TPropertiesPanel* propertiesPanel_ = nullptr;
  std::unique_ptr<TDocumentView> documents_;
  TFileCommands* files_ = nullptr;
  TPropertiesCommands* properties_ = nullptr;
  std::vector<std::unique_ptr<TFeatureModule>> modules_;
  QHash<QString, QMenu*> menus_;
  bool shown_ = false;
  bool closed_ = false;
};
