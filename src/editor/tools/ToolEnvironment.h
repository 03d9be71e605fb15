#pragma once
// IToolEnvironment: everything a tool may reach. The editor implements it; a tool sees the
// session (CurrentImage and WorkingCopy, and the commit step), the view (mapping, rendering,
// cursor, the drag anchor), the colours, the status bar, the tool box's options and the two
// floating windows. Nothing else: a tool never sees the main window.

#include <QString>
#include <cstdint>

#include "render/WandRegion.h"

class IGradientForm;
class ITextPad;
class TColorPanel;
class TEditSession;
class TZoomView;

// The style bar of the closed shapes.
enum class TClosedStyle : uint8_t { FillAndOutline, Outline, Fill };

// The choices the tools read at each press.
struct TToolOptions {
  TSelectMode SelectMode = TSelectMode::Replace;
  TClosedStyle ClosedStyle = TClosedStyle::FillAndOutline;
  // Lifting the selection leaves the right working colour behind.
  bool ClearUnderSelection = false;
};

class IToolEnvironment {
 public:
  virtual ~IToolEnvironment() = default;
  virtual TEditSession& Session() = 0;
  virtual TZoomView& View() = 0;
  virtual TColorPanel& Colors() = 0;
  virtual void SetStatusText(int panel, const QString& text) = 0;
  virtual TToolOptions Options() const = 0;
  // The floating windows the tools talk to; null while they do not exist, and the tools then
  // behave as with the gradient mode off and an empty text.
  virtual IGradientForm* GradientForm() const = 0;
  virtual ITextPad* TextPad() const = 0;
};
