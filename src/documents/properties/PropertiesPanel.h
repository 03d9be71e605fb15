#pragma once
// TPropertiesPanel: the strip across the top of the centre that holds the properties panel
// (pnlProperties). Collapsed to a few pixels until the panel is shown; the properties commands
// (properties/PropertiesCommands) fill and apply it.

#include <QWidget>

class TPropertiesPanel : public QWidget {
  Q_OBJECT
 public:
  explicit TPropertiesPanel(QWidget* parent = nullptr);

  static constexpr int CollapsedHeight = 8;

  QWidget* pnlProperties;

  bool Shown() const { return !pnlProperties->isHidden(); }
};
