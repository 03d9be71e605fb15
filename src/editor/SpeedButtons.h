#pragma once
// The flat buttons of the colour panel and the tool box, made one way.

#include <QSize>

#include "controls/AdvSpeedButton.h"

// A button named `name` with the command picture `icon`, the hint (line breaks written as
// "\r\n"), its radio group (0 for none) and a fixed size.
TAdvSpeedButton* MakeSpeedButton(QWidget* parent, const char* name, const char* icon,
                                 const char* hint, int group, bool allowAllUp, QSize size);
