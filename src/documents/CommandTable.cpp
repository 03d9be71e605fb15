#include "documents/CommandTable.h"

#include <cstring>

namespace {

using enum TCommandKind;

constexpr const char* File = "&File";
constexpr const char* Edit = "&Edit";
constexpr const char* View = "&View";
constexpr const char* Image = "&Image";
constexpr const char* Filters = "&Image/&Filters";
constexpr const char* Colors = "&Colors";
constexpr const char* Tools = "&Tools";
constexpr const char* Config = "C&onfiguration";
constexpr const char* Help = "&Help";
constexpr const char* None = "";

// clang-format off
constexpr TCommandDef Commands[] = {
  // Name                  Menu     Caption                   Shortcut          Hint                                           Topic
  {"NewImageAct",          File,    "&New",                   "Ctrl+N",         "Create a new image.",                          1},
  {"PictureOpen",          File,    "&Open",                  "Ctrl+O",         "Open image files.",                            2},
  {ReopenRow,              File,    "&Reopen",                "",               "Open a recently used file.",                   2},
  {"SaveAct",              File,    "&Save",                  "Ctrl+S",         "Save the image.",                              18},
  {"SaveAsAct",            File,    "Save &As",               "Ctrl+Alt+S",     "Save the image under another name.",           19},
  {"CloseAct",             File,    "&Close",                 "Ctrl+F4",        "Close the image.",                             20},
  {"CloseAllAct",          File,    "Close All",              "Ctrl+Shift+F4",  "Close all images.",                            21},
  {SeparatorRow,           File,    "",                       "",               "",                                             0},
  {"ExitAct",              File,    "&Exit",                  "",               "Quit Velmora.",                                22},

  {"UndoAct",              Edit,    "&Undo",                  "Ctrl+Z",         "Undo",                                         23},
  {"RedoAct",              Edit,    "&Redo",                  "Ctrl+Shift+Z",   "Redo",                                         24},
  {SeparatorRow,           Edit,    "",                       "",               "",                                             0},
  {"CutAct",               Edit,    "Cu&t",                   "Ctrl+X",         "Cut the selection to the clipboard.",          25},
  {"CopyAct",              Edit,    "&Copy",                  "Ctrl+C",         "Copy the selection to the clipboard.",         26},
  {"PasteAct",             Edit,    "&Paste",                 "Ctrl+V",         "Paste the clipboard as a floating selection.", 27},
  {SeparatorRow,           Edit,    "",                       "",               "",                                             0},
  {"SelectAllAct",         Edit,    "Select &All",            "Ctrl+A",         "Select the whole image.",                      28},
  {"UnselectAct",          Edit,    "&Unselect all",          "Ctrl+Shift+A",   "Remove the selection.",                        29},
  {"FillSelectionAct",     Edit,    "Fill selection",         "Ins",            "Fills selection with left color.",             62},
  {"DelSelctionAct",       Edit,    "Delete selection",       "Del",            "Fill selection with right color\r\nor delete layer is exists.", 64},

  {"ZoomInAct",            View,    "Zoom &In",               "PgUp",           "Zoom in.",                                     32},
  {"ZoomOutAct",           View,    "Zoom &Out",              "PgDown",         "Zoom out.",                                    33},
  {SeparatorRow,           View,    "",                       "",               "",                                             0},
  {"ToggleGridAct",        View,    "View/Hide &Grid",        "Ctrl+G",         "Show/hide grid lines.",                        34, Check},
  {"ToggleSelectAct",      View,    "View/Hide Selection",    "",               "Show/Hide selection.",                         35, Check},
  {SeparatorRow,           View,    "",                       "",               "",                                             0},
  {"GoParentAct",          View,    "View all frames",        "Ctrl+Backspace", "Go to parent image in the tree.",              36},

  {"PropEditAct",          Image,   "&Properties",            "Ctrl+Return",    "Edit image properties",                        37, Check},
  {SeparatorRow,           Image,   "",                       "",               "",                                             0},
  {"Rotate180Act",         Image,   "Rotate by 180\u00b0",    "",               "Rotates image by 180\u00b0",                   38},
  {"Rotate90Act",          Image,   "Rotate by 90\u00b0 cw",  "",               "Rotates image by 90\u00b0",                    39},
  {"Rotate90ccwAct",       Image,   "Rotate by 90\u00b0 ccw", "",               "Rotates image by -90\u00b0",                   40},
  {"HMirrorAct",           Image,   "Horizontal mirror",      "",               "Flips image horizontally",                     41},
  {"VMirrorAct",           Image,   "Vertical mirror",        "",               "Flips image vertically",                       42},
  {SeparatorRow,           Image,   "",                       "",               "",                                             0},
  {"GrayscaleAct",         Filters, "&Grayscale selection",   "",               "Turn the selection gray.",                     43},
  {"GrayAndBlendAct",      Filters, "&Make \"disabled\"",     "",               "Give the selection a disabled look.",          44},

  {"GetTranspColAct",      Colors,  "&Transparent color",     "",               "Extract transparent \r\ncolor of the image.",  46},
  {"GetInvColorAct",       Colors,  "&Inverting color",       "",               "Extract inverting\r\ncolor of the image.",     47},
  {"SwapColors",           Colors,  "&Swap work colors",      "Ctrl+Q",         "Swap colors",                                  48},
  {SeparatorRow,           Colors,  "",                       "",               "",                                             0},
  {"PaletteEditorAct",     Colors,  "Palette editor",         "",               "Palette editor.",                              49},
  {SeparatorRow,           Colors,  "",                       "",               "",                                             0},
  {"ToggleSmoothAct",      Colors,  "&Gradient colors",       "Ctrl+D",         "Gradient fill color mode.",                    50, Check},
  {"NextColAct",           Colors,  "&Next",                  "F12",            "Compute next color.",                          50},
  {"PrevColAct",           Colors,  "&Prev",                  "F11",            "Compute previous color.",                      50},

  {"Select1",              Tools,   "&Select",                "Esc",            "Select/Move tool\r\nLeft button - select\r\nRight button - move\r\n<ESC>", 52},
  {"Magicwand1",           Tools,   "Magic &wand",            "Ctrl+W",         "Color select.",                                53},
  {"Pencil1",              Tools,   "&Pencil",                "Ctrl+P",         "Pencil tool <Ctrl+P>",                         54},
  {"Fill1",                Tools,   "&Fill",                  "Ctrl+F",         "Flood fill tool <Ctrl+F>",                     63},
  {"Line1",                Tools,   "&Line",                  "Ctrl+L",         "Line drawing tool.",                           55},
  {"Rectangle1",           Tools,   "&Rectangle",             "Ctrl+R",         "Rectangle tool.",                              65},
  {"Ellipse1",             Tools,   "&Ellipse",               "Ctrl+E",         "Edge based ellipse <Ctrl+E>",                  65},
  {"CenterRectAct1",       Tools,   "Center rectangle",       "Ctrl+Alt+R",     "Center based rectangle",                       65},
  {"Centerellipse1",       Tools,   "Center ellipse",         "Ctrl+Alt+E",     "Center based ellipse",                         65},
  {"Text1",                Tools,   "&Text",                  "Ctrl+T",         "Text <Ctrl+T>",                                60},
  {"Settransparentcolor1", Tools,   "Set transparent color",  "Ctrl+B",         "Set transparent color",                        61},

  {"Options1",             Config,  "&Options",               "",               "Program options.",                             15},

  {"Contents1",            Help,    "&Contents",              "",               "Help contents.",                               16},
  {"Index1",               Help,    "&Index",                 "",               "Help index.",                                  16},
  {SeparatorRow,           Help,    "",                       "",               "",                                             0},
  {"Welcome1",             Help,    "&Welcome to Velmora",    "",               "A first look at Velmora.",                     3},
  {SeparatorRow,           Help,    "",                       "",               "",                                             0},
  {"About1",               Help,    "&About Velmora",         "",               "About Velmora.",                               16},

  {"CleanupMRUAct",        None,    "Cleanup &MRU list",      "",               "Remove files that no longer exist from the list.", 2},
  {"AddFrameAct",          None,    "&Add new frame",         "",               "Add new frame.",                               36},
  {"InsertFrameAct",       None,    "&Insert new frame",      "Ctrl+Ins",       "Insert new frame before the current one.",     36},
  {"DelFrameAct",          None,    "&Delete frame",          "Ctrl+Del",       "Delete the current frame.",                    36},
  {"MovieAct",             None,    "&Play",                  "",               "Play as movie.",                               36},
  {"ApplyAct",             None,    "&Apply",                 "",               "Apply changes",                                37},
  {"CancelAct",            None,    "Reset",                  "",               "Cancel changes.",                              37},
  {"ChgTranspAct",         None,    "Transparent",            "",               "Change transparency",                          37, Check},
};

constexpr TMenuDef Menus[] = {
  {File,    "FileMenu",    9},
  {Edit,    "EditMenu",    10},
  {View,    "ViewMenu",    11},
  {Image,   "ImageMenu",   12},
  {Filters, "FiltersMenu", 12},
  {Colors,  "ColorsMenu",  13},
  {Tools,   "ToolsMenu",   14},
  {Config,  "ConfigMenu",  15},
  {Help,    "HelpMenu",    16},
};
// clang-format on

}  // namespace

std::span<const TCommandDef> CommandTable() {
  return Commands;
}

std::span<const TMenuDef> MenuTable() {
  return Menus;
}

bool IsCommandRow(const TCommandDef& def) {
  return def.Name[0] != '-' && def.Name[0] != '@';
}

const TCommandDef* FindCommand(const char* name) {
  for (const TCommandDef& def : Commands)
    if (IsCommandRow(def) && std::strcmp(def.Name, name) == 0) return &def;
  return nullptr;
}
