#pragma once
// The editor's command table, kept as data: one row per command (action) with its menu, caption,
// shortcut, hint and help topic, in menu order. Rows named "-" are menu separators; the row named
// "@Reopen" marks where the recently-used submenu goes. Rows with an empty menu belong to tool
// bars, the frame grid, the properties panel or the recently-used menu only.
//
// The main window turns the table into QActions and menus (TActionList); the help pages are
// generated from it as well. Handlers are attached by command name, never here.

#include <span>

enum class TCommandKind { Plain, Check };

struct TCommandDef {
  const char* Name;
  const char* Menu;  // "&File", or a submenu path such as "&Image/&Filters"
  const char* Caption;
  const char* Shortcut;  // portable key sequence text ("Ctrl+Alt+S"), "" for none
  const char* Hint;
  int HelpTopic;  // 0: no topic of its own
  TCommandKind Kind = TCommandKind::Plain;
};

struct TMenuDef {
  const char* Path;  // as in TCommandDef::Menu
  const char* Name;  // object name of the menu
  int HelpTopic;
};

inline constexpr const char* SeparatorRow = "-";
inline constexpr const char* ReopenRow = "@Reopen";

std::span<const TCommandDef> CommandTable();
std::span<const TMenuDef> MenuTable();
// The row of a command, or nullptr.
const TCommandDef* FindCommand(const char* name);
// True for rows that are real commands (not separators or markers).
bool IsCommandRow(const TCommandDef& def);
