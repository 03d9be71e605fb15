#pragma once
// What the drawing tools ask of the two floating windows that accompany them: the gradient colour
// window, whose current colour and direction the tools paint with, and the text pad, which renders
// its text into the working copy's floating layer. The editor holds them through these interfaces
// (TEditor::SetGradientForm, SetTextPad), so the tools work (and are tested) before and without
// those windows.

#include <QString>

#include "model/Colors.h"

class IGradientForm {
 public:
  virtual ~IGradientForm() = default;
  // The gradient mode is on while the window shows.
  virtual bool IsShown() const = 0;
  // The colour of the current step, which the left button paints with.
  virtual TColor CurrentColor() const = 0;
  // The page for the active tool: "Pixel", "Closed" or "None".
  virtual QString Page() const = 0;
  virtual void SetPage(const QString& page) = 0;
  // Whether each stroke of a pixel tool moves on to the next step.
  virtual bool AutoIncrement() const = 0;
  // Moves on by one step unless the last step is reached.
  virtual void StepForward() = 0;
  // Closed shapes run their gradient left to right, otherwise top to bottom.
  virtual bool Horizontal() const = 0;
};

class ITextPad {
 public:
  virtual ~ITextPad() = default;
  virtual void Show() = 0;
  virtual void Hide() = 0;
  // Renders the pad's text into the working copy's floating layer and mask, and hands it to the
  // image through TTextTool::CommitText.
  virtual void TextPadChange() = 0;
};
