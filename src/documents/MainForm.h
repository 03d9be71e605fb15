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
#include <functional>
#include <memory>
#include <optional>

#include "controls/AdvPanel.h"
#include "controls/AdvSpeedButton.h"
#include "controls/DrawGrid.h"
#include "controls/PaintBox.h"
#include "controls/PicDrawGrid.h"
#include "model/Colors.h"
#include "model/Geometry.h"
#include "model/Palette.h"
#include "model/Surface.h"

class QPainter;
class QTreeWidgetItem;
class TWorkImage;
class TImageGroup;
class TSelectBitmap;
class IDialogs;
class IClipboard;
class TIniFile;
class TMruList;
class TActionList;
class TOptionsForm;
class TNewImageForm;
class THelpForm;
class TImageBrowseFrm;
class IGradientForm;
class ITextPad;

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

// What the New image dialog answers: the document type (0 bitmap, 1 JPEG, 2 GIF image,
// 3 animated GIF, 5 icon), the size, the bits per pixel of the chosen colour mode (-1 when the
// mode is not a number) and the chosen palette (none: the default palette of the depth).
struct TNewImageChoice {
  int TypeNumber = 0;
  int Width = 32;
  int Height = 32;
  int Bits = 8;
  std::optional<TPaletteRecord> Palette;
};

// The zoom box's mouse handlers. Each tool installs its own set when its button goes down;
// positions are zoom box coordinates.
struct TZoomMouseHandlers {
  std::function<void(Qt::MouseButton, const QPoint&, Qt::KeyboardModifiers)> Down;
  std::function<void(const QPoint&, Qt::MouseButtons, Qt::KeyboardModifiers)> Move;
  std::function<void(Qt::MouseButton, const QPoint&, Qt::KeyboardModifiers)> Up;
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
  TNewImageForm& NewImageForm() { return *newImageForm_; }
  THelpForm& HelpForm();

  // What is edited: the single image or frame, or the group whose frames are shown (at most one
  // of both), and the copy of CurrentImage that the view shows and the tools change.
  TWorkImage* CurrentImage = nullptr;
  TImageGroup* CurrentGroup = nullptr;
  std::unique_ptr<TSelectBitmap, TSelectBitmapDeleter> WorkingCopy;

  // View state. ViewBitmap holds the rendering of the visible part of the image only.
  TSurface ViewBitmap;
  uint8_t ZoomShift = 3;
  int ZoomFactor = 8;
  uint32_t ZoomMask = ~0u << 3;
  bool GridVisible = true;
  bool OutlineVisible = true;
  bool ScrollRepaint = true;
  uint32_t DashPattern = 0xF0F0F0F0;
  // The picture of "View/Hide Selection": 13 to 15 cycle while a hidden selection exists.
  int SelectImageIndex = 13;
  int16_t SavedCursor = NoSavedCursor;
  bool Dragging = false;
  bool MovingLayer = false;
  // Image positions of the current drag, kept by the tools: its anchor and the last point.
  TPoint AnchorPoint;
  TPoint LastPoint;
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

  // Zoomed view (editor/MainFormView.cpp).
  void UpdateZoomLayout();
  void RenderView(bool full);
  void ZoomBoxPaint();
  void ViewImgPaint(QPainter& painter);
  void ZoomComboChange();
  void ZoomInActExecute();
  void ZoomOutActExecute();
  void ToggleGridActExecute();
  void ToggleSelectActExecute();
  void ScrollerChange();
  void ZoomPanelResize();
  void Timer1Timer();
  // The image part the view shows: left and top are the scroll positions; right and bottom
  // exclusive.
  TRect VisibleRect() const;
  // Sizes the preview to the working copy and repaints it.
  void SizePreview();

  // Pointer and tools (editor/MainFormPointer.cpp). Tools install their handlers here.
  void SetZoomMouseHandlers(TZoomMouseHandlers handlers);
  // The handlers of a view without a tool: position and colour readout, Ctrl-click picking.
  TZoomMouseHandlers ViewerMouseHandlers();
  // The image position of a press at zoom box coordinates (never negative).
  TPoint PressToImage(const QPoint& position) const;
  // The image position of the pointer at zoom box coordinates, possibly outside the box while
  // the mouse is captured; not clamped.
  TPoint PointerToImage(const QPoint& position) const;
  TPoint ClampAndConstrain(int x, int y, Qt::KeyboardModifiers shift) const;
  // Scrolls when a drag goes beyond the zoom box and moves the pointer back over the same image
  // pixel; answers the point after that correction.
  QPoint AutoScrollDrag(QPoint point);
  // Ctrl-click picking: the working copy's pixel into the left (left button) or right (right
  // button) working colour.
  void PickColorAt(Qt::MouseButton button, TPoint position);
  // "X: " + x + "  Y: " + y, with x padded to five characters for the drawing tools.
  static QString PositionText(int x, int y, bool padded);
  // Moves the system pointer where the platform lets programs do so (not under Wayland).
  static void SetPointerPos(const QPoint& global);

  // Tools (editor/MainFormTools.cpp, MainFormStroke.cpp, MainFormShapes.cpp, MainFormSelect.cpp,
  // MainFormWand.cpp, MainFormText.cpp).
  enum class TPreviewPainter : uint8_t { None, Pencil, Line, Closed };
  // The zoom box's cursor as a number: the editor's cursor slots from 1, crSizeAll for the
  // system's four-way move cursor, 0 for the arrow.
  static constexpr int16_t crSizeAll = -22;
  static constexpr int16_t NoSavedCursor = 9999;
  TColor PrimaryColor = 0;
  TColor SecondaryColor = 0;
  uint8_t ClosedKind = 0;
  TPreviewPainter PreviewPainter = TPreviewPainter::None;
  // The floating windows the tools talk to; null until they exist (not owned).
  IGradientForm* GradientForm = nullptr;
  ITextPad* TextPad = nullptr;
  bool GradientFormVisible() const;
  void SelectGradientPage(const QString& page);
  int16_t ZoomCursor() const { return zoomCursor_; }
  void SetZoomCursor(int16_t cursor);
  // The common start of a drawing tool's press: false when Ctrl made it a colour pick.
  bool BeginToolDrag(Qt::MouseButton button, Qt::KeyboardModifiers shift, TPoint position);
  void SetStrokeColors(Qt::MouseButton button);
  void CommonMouseMove(const QPoint& position, Qt::KeyboardModifiers shift);
  void CommonMouseUp();
  void PencilMouseDown(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift);
  void FillMouseDown(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift);
  void LineMouseDown(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift);
  void ClosedMouseDown(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift);
  void SetTranspMouseDown(Qt::MouseButton button, const QPoint& position,
                          Qt::KeyboardModifiers shift);
  // The rubber-band painters: each draws at the pointer and answers the metrics text.
  QString PencilPreview(TPoint point);
  QString LinePreview(TPoint point);
  QString ClosedPreview(TPoint point);
  void SelectBtnDown();
  void WandBtnDown();
  void PencilBtnDown();
  void FillBtnDown();
  void LineBtnDown();
  void RectBtnDown();
  void EllipseBtnDown();
  void CenterRectBtnDown();
  void CenterEllipseBtnDown();
  void TextBtnDown();
  void SetTransparentBtnDown();
  void SelectBtnUp();
  void RectBtnUp();
  void TextBtnUp();
  void SelectMouseDown(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift);
  void SelectMouseMove(const QPoint& position, Qt::KeyboardModifiers shift);
  void SelectMouseUp();
  void WandMouseDown(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers shift);
  void WandMouseMove(const QPoint& position, Qt::KeyboardModifiers shift);
  void WandMouseUp();
  // A selection counts as present while the outline timer runs: an edge lies in view.
  bool SelectionExists() const;
  // Ends a drag or layer move in progress as its release would.
  void FinishDrag();

  // Undo and redo (editor/MainFormUndo.cpp).
  void UndoActExecute();
  void RedoActExecute();

  // Keyboard (editor/MainFormKeys.cpp). The window sees key presses before the focused control.
  void FormKeyDown(int key, Qt::KeyboardModifiers shift);
  void FormKeyUp(int key, Qt::KeyboardModifiers shift);

  // Colour state (editor/MainFormColors.cpp).
  void ApplyLeftColor(TColor color);
  void ApplyRightColor(TColor color);
  void UpdateMiddleColor();
  TColor CurrentLeftColor() const;
  TColor CurrentRightColor() const;
  void ShowColorReadout(TColor color);
  void PanelMouseLeave();
  void ColorPanelMouseEnter(const TAdvPanel* panel);
  // The colour of a palette entry; throws "Out of range palette index." past the palette or
  // without an image.
  static TColor PaletteColor(const TSelectBitmap* image, int index);
  void ColorGridDrawCell(QPainter& painter, int col, int row, const QRect& rect);
  void ColorGridMouseMove(const QPoint& position);
  void ColorGridMouseUp(Qt::MouseButton button, const QPoint& position);
  void MColorMouseDown(Qt::MouseButton button);
  void SwapColActGo();
  void LeftColPanelClick();
  void RightColPanelClick();
  void GetTranspColActExecute();
  void GetInvColorActExecute();
  // Columns and rows of the colour grid for a palette of `entries` colours.
  void SizeColorGrid(int entries);
  void Panel4Resize();
  // Chooses a working colour from a palette: the colour choice dialog, connected by its owner.
  // Arguments: the palette, the current colour and whether "More..." is offered.
  std::function<std::optional<TColor>(const TPaletteRecord&, TColor, bool)> PickPaletteColorHook;

  // Documents (documents/MainFormDocuments.cpp, MainFormClose.cpp).
  static const QString OpenFilter;
  static const QString SaveFilter;
  // Shows the New image dialog; none when it was cancelled. Connected by the dialog's owner;
  // "&New" stays disabled without it.
  std::function<std::optional<TNewImageChoice>()> NewImageDialogHook;
  void NewImageActExecute();
  void PictureOpenGo();
  // Opens the files in order and adds each to the recently-used list; stops at the first error.
  void OpenFiles(const QStringList& paths);
  void SaveActExecute();
  bool SaveActEnabled() const;
  void SaveAsActExecute();
  void CloseActExecute();
  void CloseAllActExecute();
  void UpdateCaption();

  // Navigator (documents/MainFormNavigator.cpp).
  void NavigatorPicTreeChange(QTreeWidgetItem* node);
  void SetCurrentImage(TWorkImage* image);
  void SetCurrentGroup(TImageGroup* group);
  // Repaints the tree, whose icons show floating layers.
  void RepaintNavigator();

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
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

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
  // Connects the New image dialog, the colour choice dialog and the options to their users.
  void ConnectDialogs();
  void AttachStartupHandlers();
  void AttachToolMenuHandlers();
  void AttachToolBarVisibility();
  void AttachViewHandlers();
  void AttachPointerHandlers();
  void AttachColorHandlers();
  void AttachDocumentHandlers();
  void AttachToolHandlers();
  void AttachUndoHandlers();
  void AttachKeyHandlers();
  // Installs a drawing tool: its cursor, its press handler with the common move and release,
  // its rubber band and the gradient window's page.
  void UseDrawingTool(int16_t cursor,
                      void (TMainForm::*down)(Qt::MouseButton, const QPoint&,
                                              Qt::KeyboardModifiers),
                      TPreviewPainter painter, const char* page);
  void UseSelectHandlers();
  // The pressed image position, kept on the image.
  TPoint PressPoint(const QPoint& position) const;
  void RepairPreview();
  // The end of a select or wand press: the snapshot and what the image takes from the copy.
  void CommitPress(bool wasModified);
  void StartLayerMove(TPoint grab);
  // Moves the floating layer with the pointer; false when the pointer is where it was.
  bool FollowPointer(TPoint point);
  // Commits a layer move at its release.
  void CommitLayerMove();
  // Merges a floating layer into the image as one undo step (leaving the select, wand or text
  // tool); kept floating when no snapshot can be taken.
  void MergeFloatingLayer();
  void StepHistory(bool redo);
  void SetUpScrollBar(QScrollBar* bar, int extent, int client, int view);
  void ShowImageNode(TWorkImage* image);
  void ShowGroupNode(TImageGroup* group);
  void ShowSelectImage(int index);
  // Whether a document with unsaved changes may close: asks, and saves on Yes.
  bool AskToSave(const QString& text);
  // The file name of CurrentImage (a frame's group's), else of CurrentGroup.
  QString CurrentFileName() const;
  // Saves the shown document under `path` with the wait cursor; failures go to the error box.
  bool SaveCurrentDocument(const QString& path);

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
  TNewImageForm* newImageForm_ = nullptr;
  THelpForm* helpForm_ = nullptr;
  QHash<QString, QMenu*> menus_;
  bool shown_ = false;
  bool closed_ = false;
  TZoomMouseHandlers zoomMouse_;
  int16_t zoomCursor_ = 0;
  // The pen and brush of the stroke in progress, fixed at its press.
  TPixel strokePen_ = 0;
  std::optional<TPixel> strokeBrush_;
  // The stroke's undo snapshot was taken at its press already.
  bool pressSnapshot_ = false;
  // How a selection rectangle changes the mask.
  TMaskPen selectPen_ = TMaskPen::Black;
  // The pointer's image position at the previous move of a layer.
  TPoint movePrevious_;
  int saveFilterIndex_ = 1;
};
