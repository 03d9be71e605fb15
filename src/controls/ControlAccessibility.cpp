#include "controls/ControlAccessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <QRegularExpression>

#include "controls/AdvPanel.h"
#include "controls/AdvSpeedButton.h"
#include "controls/DrawGrid.h"

namespace {

// A name set on the widget wins; then the caption; then the hint.
QString NameOf(const QWidget& widget, const QString& caption) {
  if (!widget.accessibleName().isEmpty()) return widget.accessibleName();
  if (!caption.isEmpty()) return QString(caption).remove('&');
  return AccessibleNameFromHint(widget.toolTip());
}

// The tool buttons: a push button, or a check box when it stays down (a tool, a mode).
class TSpeedButtonAccessible : public QAccessibleWidget {
 public:
  explicit TSpeedButtonAccessible(TAdvSpeedButton* button)
      : QAccessibleWidget(button,
                          button->GroupIndex() ? QAccessible::CheckBox : QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return NameOf(*Button(), Button()->Caption());
    if (t == QAccessible::Description) return Button()->toolTip();
    return QAccessibleWidget::text(t);
  }
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    if (Button()->GroupIndex()) {
      s.checkable = true;
      s.checked = Button()->Down();
    }
    return s;
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name != pressAction() || !Button()->isEnabled()) return;
    // As a click does: a button of a group goes down (or up, where the group allows it).
    if (Button()->GroupIndex()) Button()->SetDown(!Button()->Down());
    Button()->Click();
  }

 private:
  TAdvSpeedButton* Button() const { return static_cast<TAdvSpeedButton*>(object()); }
};

// The colour swatches are clicked to choose a colour; their value is the colour they show.
class TSwatchAccessible : public QAccessibleWidget {
 public:
  explicit TSwatchAccessible(TAdvPanel* panel) : QAccessibleWidget(panel, QAccessible::Button) {}

  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return NameOf(*Panel(), QString());
    if (t == QAccessible::Value) {
      const QColor c = Panel()->Color();
      return QString("%1, %2, %3").arg(c.red()).arg(c.green()).arg(c.blue());
    }
    return QAccessibleWidget::text(t);
  }
  QStringList actionNames() const override { return {pressAction()}; }
  void doAction(const QString& name) override {
    if (name == pressAction() && Panel()->isEnabled()) emit Panel()->Clicked();
  }

 private:
  TAdvPanel* Panel() const { return static_cast<TAdvPanel*>(object()); }
};

class TGridAccessible;

// One cell of a grid. Cells have no widget of their own; they ask the grid for everything, so a
// cell that the grid no longer has simply turns invalid.
class TGridCellAccessible : public QAccessibleInterface, public QAccessibleTableCellInterface {
 public:
  TGridCellAccessible(TDrawGrid* grid, int row, int col) : grid_(grid), row_(row), col_(col) {}

  bool isValid() const override {
    return grid_ && row_ < grid_->RowCount() && col_ < grid_->ColCount();
  }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_ ? grid_->windowHandle() : nullptr; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(grid_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid() || !grid_->OnCellName) return QString();
    return grid_->OnCellName(col_, row_);
  }
  void setText(QAccessible::Text, const QString&) override {}
  QRect rect() const override {
    if (!isValid()) return {};
    const QRect r = grid_->CellRect(col_, row_);
    return QRect(grid_->viewport()->mapToGlobal(r.topLeft()), r.size());
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State s;
    s.selectable = true;
    s.selected = isSelected();
    if (!isValid() || grid_->CellRect(col_, row_).isEmpty()) s.invisible = true;
    return s;
  }
  void* interface_cast(QAccessible::InterfaceType type) override {
    return type == QAccessible::TableCellInterface ? static_cast<QAccessibleTableCellInterface*>(this)
                                                   : nullptr;
  }

  bool isSelected() const override {
    return isValid() && grid_->Col() == col_ && grid_->Row() == row_;
  }
  QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return col_; }
  int rowIndex() const override { return row_; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface* table() const override { return parent(); }

 private:
  QPointer<TDrawGrid> grid_;
  int row_;
  int col_;
};

// The grids are tables; the current cell is the selected one.
class TGridAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
 public:
  explicit TGridAccessible(TDrawGrid* grid) : QAccessibleWidget(grid, QAccessible::Table) {}
  ~TGridAccessible() override {
    for (QAccessible::Id id : std::as_const(cells_)) QAccessible::deleteAccessibleInterface(id);
  }

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface) return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }
  int childCount() const override { return rowCount() * columnCount(); }
  QAccessibleInterface* child(int index) const override {
    const int cols = columnCount();
    return cols && index >= 0 && index < childCount() ? cellAt(index / cols, index % cols)
                                                      : nullptr;
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    auto* cell = child ? const_cast<QAccessibleInterface*>(child)->tableCellInterface() : nullptr;
    return cell ? cell->rowIndex() * columnCount() + cell->columnIndex() : -1;
  }

  QAccessibleInterface* caption() const override { return nullptr; }
  QAccessibleInterface* summary() const override { return nullptr; }
  QAccessibleInterface* cellAt(int row, int column) const override {
    if (row < 0 || column < 0 || row >= rowCount() || column >= columnCount()) return nullptr;
    const int key = row * 65536 + column;
    auto it = cells_.find(key);
    if (it == cells_.end())
      it = cells_.insert(key, QAccessible::registerAccessibleInterface(
                                  new TGridCellAccessible(Grid(), row, column)));
    return QAccessible::accessibleInterface(*it);
  }
  int selectedCellCount() const override { return 1; }
  QList<QAccessibleInterface*> selectedCells() const override {
    QAccessibleInterface* cell = cellAt(Grid()->Row(), Grid()->Col());
    return cell ? QList<QAccessibleInterface*>{cell} : QList<QAccessibleInterface*>{};
  }
  QString columnDescription(int) const override { return QString(); }
  QString rowDescription(int) const override { return QString(); }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return Grid()->ColCount(); }
  int rowCount() const override { return Grid()->RowCount(); }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  void modelChange(QAccessibleTableModelChangeEvent*) override {}

 private:
  TDrawGrid* Grid() const { return static_cast<TDrawGrid*>(object()); }

  mutable QHash<int, QAccessible::Id> cells_;
};

QAccessibleInterface* ControlFactory(const QString&, QObject* object) {
  if (auto* button = qobject_cast<TAdvSpeedButton*>(object))
    return new TSpeedButtonAccessible(button);
  if (auto* panel = qobject_cast<TAdvPanel*>(object)) return new TSwatchAccessible(panel);
  if (auto* grid = qobject_cast<TDrawGrid*>(object)) return new TGridAccessible(grid);
  return nullptr;
}

}  // namespace

void InstallControlAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(ControlFactory);
    return true;
  }();
  (void)installed;
}

QString AccessibleNameFromHint(const QString& hint) {
  QString name = hint.section('\n', 0, 0).trimmed();
  // "Pencil tool <Ctrl+P>": the key is the shortcut's business, not the name's.
  static const QRegularExpression shortcut(R"(\s*<[^<>]*>\s*$)");
  name.remove(shortcut);
  return name.trimmed();
}
