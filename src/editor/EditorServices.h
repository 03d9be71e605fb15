#pragma once
// What the editor asks of the window that holds it: the command list to attach its handlers to,
// the status bar, and the options that change how it draws and lifts. The main window provides
// them; the editor never includes anything from the folders above it.

#include <QAction>
#include <QString>
#include <functional>

#include "model/Colors.h"

// The window's commands, by the names of the command table. Update handlers run whenever the
// program is idle; a command without an execute handler stays disabled.
class ICommandList {
 public:
  using TExecute = std::function<void()>;
  using TUpdate = std::function<void(QAction&)>;

  virtual ~ICommandList() = default;
  // The action of a command that must exist.
  virtual QAction& operator[](const QString& name) const = 0;
  virtual void OnExecute(const QString& name, TExecute handler) = 0;
  virtual void OnUpdate(const QString& name, TUpdate handler) = 0;
  // Calls the execute handler directly (whatever the enabled state); false without one.
  virtual bool Run(const QString& name) = 0;
};

// The status bar: panel 0 shows the colour readout, 1 the pointer position, 2 the drag metrics.
class IStatusPanels {
 public:
  virtual ~IStatusPanels() = default;
  virtual void SetStatusText(int panel, const QString& text) = 0;
};

// The program options the editor reads each time it needs them, so that a change acts at once.
class IEditorOptions {
 public:
  virtual ~IEditorOptions() = default;
  virtual TColor GridColor() const = 0;
  virtual TColor BackgroundColor() const = 0;
  // Whether lifting the selection into a floating layer leaves the right colour behind.
  virtual bool ClearUnderSelection() const = 0;
  // Whether notices (and the questions that only warn) are shown.
  virtual bool WarningsOn() const = 0;
  // How a paste into an image of 8 bits or less matches its colours: a TDitherMode index.
  virtual int PasteDither() const = 0;
};
