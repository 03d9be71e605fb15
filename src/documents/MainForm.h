#pragma once
// TMainForm: the editor's main window.
//
// The class is split over files by concern. In documents/: start-up and child controls
// (MainForm.cpp, MainFormLayout.cpp, MainFormToolBox.cpp), menus and tool bars from the command
// table (MainFormCommands.cpp), settings and shutdown (MainFormSettings.cpp), the recently-used
// list (MainFormMru.cpp), help, About and options (MainFormHelp.cpp). The view, colour, tool and
// keyboard handlers live in editor/MainForm*.cpp, document and navigator handlers in
// documents/MainForm*.cpp. Behaviour is attached to commands by name in AttachHandlers().

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cstdint>
#include <memory>

#include "controls/AdvPanel.h"
#include "controls/AdvSpeedButton.h"
#include "controls/DrawGrid.h"
#include "controls/PaintBox.h"
#include "controls/PicDrawGrid.h"
#include "model/Colors.h"

class TWorkImage;
class TImageGroup;
class TSelectBitmap;
class IDialogs;
class IClipboard;
class TIniFile;
class TMruList;
class TActionList;
class TOptionsForm;
class THelpForm;
class TImageBrowseFrm;

// Frees the working copy; defined where the raster class is complete.
struct TSelectBitmapDeleter {
  void operator()(TSelectBitmap* bitmap) const;
};

struct TMainFormContext {
  // The settings file; empty: chosen by ChooseSettingsPath beside the program.
  QString SettingsPath;
  // Not owned; null: the desktop's dialogs and clipboard.
  IDialogs* Dialogs = nullptr;
  IClipboard* Clipboard = nullptr;
  // The command-line arguments after the program's name; the first one is opened when the
  // window is first shown.
  QStringList Arguments;
};

class TMainForm : public QMainWindow {
  Q_OBJECT
 public:
  explicit TMainForm(TMainFormContext context = {}, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Settings sections of the main window.
  static constexpr const char* PlacementSection = "Main form settings";
  static constexpr const char* MruSection = "MRU files";
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
  THelpForm& HelpForm();

  // What is edited: the single image or frame, or the group whose frames are shown (at most one
  // of both), and the copy of CurrentImage that the view shows and the tools change.
  TWorkImage* CurrentImage = nullptr;
  TImageGroup* CurrentGroup = nullptr;
  std::unique_ptr<TSelectBitmap, TSelectBitmapDeleter> WorkingCopy;

  // View state.
  QImage ViewBitmap;
  bool GridVisible = true;
  bool OutlineVisible = true;
  uint32_t DashPattern = 0xF0F0F0F0;
  int16_t SavedCursor = 9999;
  bool Dragging = false;
  bool MovingLayer = false;
  // The folder the open dialog starts in; empty for the system's default.
  QString OpenDlgInitialDir;

  // Opens a picture as a new document and makes it current. Throws EVelmoraError when the file
  // cannot be opened; nothing is added then.
  virtual bool OpenFile(const QString& path);
  // OpenFile with its failure shown in the error box; true when the file was opened.
  bool TryOpenFile(const QString& path);
  void AddToMru(const QString& path);
  // Shows the frame grid or the zoomed view with the colour panel and tool box.
  void ShowViewMode(bool groupShown, bool imageShown);
  void SetStatusText(int panel, const QString& text);
  QString StatusText(int panel) const;
  int OpenDocumentCount() const;
  // Runs the idle update of every command now.
  void UpdateActions();

  // View and colour operations of the editor.
  void UpdateZoomLayout();
  void ApplyLeftColor(TColor color);
  void ApplyRightColor(TColor color);
  void UpdateMiddleColor();

  // Start-up, settings and shutdown.
  void FormCreate();
  void FormShow();
  bool FormCloseQuery();
  void FormClose();
  void ExitActExecute();
  void MRUFilesClick(const QString& path);
  void CleanupMRUActExecute();
  void OpenDlgCanClose(const QString& chosenFile);
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
  QComboBox* ZoomCombo;
  QMenu* MRUPopup;

  // Colour panel.
  QSplitter* Splitter1;  // colour panel | tool box
  QWidget* Panel4;
  TDrawGrid* ColorGrid;
  QWidget* AdvPanel1;
  TAdvPanel* LeftColPanel;
  TAdvPanel* RightColPanel;
  TAdvPanel* MColor;
  TAdvPanel* PreviewCol;
  TAdvSpeedButton* SwapColBtn;
  TAdvSpeedButton* ChangePalBtn;
  QToolBar* ToolBar1;

  // Tool box.
  QWidget* ToolPanel;
  TAdvSpeedButton* SelectBtn;
  TAdvSpeedButton* WandBtn;
  TAdvSpeedButton* PencilBtn;
  TAdvSpeedButton* LineBtn;
  TAdvSpeedButton* FillBtn;
  TAdvSpeedButton* TextBtn;
  TAdvSpeedButton* RectBtn;
  TAdvSpeedButton* CenterRectBtn;
  TAdvSpeedButton* EllipseBtn;
  TAdvSpeedButton* CenterEllipseBtn;
  TAdvSpeedButton* SetTransparentBtn;
  QWidget* ClosedStyleBar;
  TAdvSpeedButton* ctOutlineBtn;
  TAdvSpeedButton* ctOutFillBtn;
  TAdvSpeedButton* ctFillOnlyBtn;
  QWidget* SelModeBar;
  TAdvSpeedButton* PoorSelBtn;
  TAdvSpeedButton* AddSelBtn;
  TAdvSpeedButton* SubSelBtn;
  TAdvSpeedButton* XorSelBtn;

  // Centre: properties strip, zoomed view, frame grid.
  QSplitter* MainSplitter;  // centre | right column
  QWidget* CenterPanel;
  QWidget* AdvPanel3;  // host strip of the properties panel
  QWidget* pnlProperties;
  QWidget* BackZoomPanel;
  QWidget* ZoomPanel;
  TPaintBox* ZoomBox;
  QScrollBar* HScr;
  QScrollBar* VScr;
  QWidget* GroupPanel;
  QToolBar* FrameToolBar;
  TPicDrawGrid* GroupPreview;
  QMenu* GroupPopup;
  QTimer* Timer1;

  // Right column: preview and navigator.
  QSplitter* RightSplitter;
  QScrollArea* ViewBox;
  TPaintBox* ViewImg;
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
  void BuildColorPanel();
  void BuildToolBox();
  QWidget* BuildToolButtons();
  QWidget* BuildClosedStyleBar();
  QWidget* BuildSelModeBar();
  void BuildCentre();
  QWidget* BuildZoomArea();
  QWidget* BuildGroupPanel();
  void BuildRightColumn();
  void BuildStatusBar();
  void BuildLayout();
  void AttachHandlers();
  void AttachStartupHandlers();
  void AttachToolMenuHandlers();
  void AttachToolBarVisibility();

  void RestorePlacement();
  void RestoreStoredProperties();
  void SaveStoredProperties();
  void ReadZoomIndex();
  void LoadMruList();
  void RebuildMruMenu();
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
  THelpForm* helpForm_ = nullptr;
  QHash<QString, QMenu*> menus_;
  bool shown_ = false;
  bool closed_ = false;
};
