#include "documents/properties/PropertiesPanel.h"

TPropertiesPanel::TPropertiesPanel(QWidget* parent) : QWidget(parent) {
  setObjectName("AdvPanel3");
  setFixedHeight(CollapsedHeight);
  pnlProperties = new QWidget(this);
  pnlProperties->setObjectName("pnlProperties");
  pnlProperties->setFixedHeight(50);
  pnlProperties->hide();
}
