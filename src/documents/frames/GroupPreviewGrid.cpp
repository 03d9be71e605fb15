#include "documents/frames/GroupPreviewGrid.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QContextMenuEvent>
#include <QHash>
#include <QPointer>
#include <QScrollBar>
#include <QWindow>

namespace {

// One thumbnail cell as screen readers see it.
class TFrameCellAccessible : public QAccessibleInterface {
 public:
  TFrameCellAccessible(TGroupPreviewGrid* grid, int index) : grid_(grid), index_(index) {}

  bool isValid() const override { return grid_ && index_ < int(grid_->PictureList.size()); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return grid_ ? grid_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(grid_.data());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  void setText(QAccessible::Text, const QString&) override {}

  QString text(QAccessible::Text t) const override {
    if (!isValid()) return {};
    if (t == QAccessible::Name) return grid_->ChildName + QString::number(index_);
    if (t == QAccessible::Description) {
      const QSize size = grid_->PictureList[size_t(index_)].Image.size();
      return QString("%1 x %2").arg(size.width()).arg(size.height());
    }
    return {};
  }

  QRect rect() const override {
    int col = 0, row = 0;
    if (!isValid() || !grid_->FrameCell(index_, col, row)) return {};
    const QRect cell = grid_->CellRect(col, row);
    return QRect(grid_->viewport()->mapToGlobal(cell.topLeft()), cell.size());
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    s.selectable = true;
    s.focusable = true;
    if (isValid() && grid_->CurrentFrame() == index_) {
      s.selected = true;
      s.focused = grid_->hasFocus();
    }
    return s;
  }

 private:
  QPointer<TGroupPreviewGrid> grid_;
  int index_;
};

// The grid as a table of its thumbnail cells.
class TGroupPreviewAccessible : public QAccessibleWidget {
 public:
  explicit TGroupPreviewAccessible(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Table) {}

  ~TGroupPreviewAccessible() override {
    for (QAccessible::Id id : cells_) QAccessible::deleteAccessibleInterface(id);
  }

  TGroupPreviewGrid* Grid() const { return static_cast<TGroupPreviewGrid*>(widget()); }

  QString text(QAccessible::Text t) const override {
    const QString own = QAccessibleWidget::text(t);
    return t == QAccessible::Name && own.isEmpty() ? QString("Frames") : own;
  }

  int childCount() const override { return int(Grid()->PictureList.size()); }

  QAccessibleInterface* child(int index) const override {
    if (index < 0 || index >= childCount()) return nullptr;
    if (!cells_.contains(index)) {
      auto* cell = new TFrameCellAccessible(Grid(), index);
      cells_.insert(index, QAccessible::registerAccessibleInterface(cell));
    }
    return QAccessible::accessibleInterface(cells_.value(index));
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    for (auto it = cells_.cbegin(); it != cells_.cend(); ++it)
      if (QAccessible::accessibleInterface(it.value()) == child) return it.key();
    return -1;
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    int col = 0, row = 0;
    const QPoint local = Grid()->viewport()->mapFromGlobal(QPoint(x, y));
    if (!Grid()->MouseToCell(local, col, row)) return nullptr;
    return child(Grid()->GetCellIndex(col, row));
  }

  QAccessibleInterface* focusChild() const override {
    return Grid()->hasFocus() ? child(Grid()->CurrentFrame()) : nullptr;
  }

 private:
  mutable QHash<int, QAccessible::Id> cells_;
};

QAccessibleInterface* GroupPreviewFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("TGroupPreviewGrid") && object && object->isWidgetType())
    return new TGroupPreviewAccessible(static_cast<QWidget*>(object));
  return nullptr;
}

}  // namespace

TGroupPreviewGrid::TGroupPreviewGrid(QWidget* parent) : TPicDrawGrid(parent) {
  static const bool factoryInstalled = (QAccessible::installFactory(GroupPreviewFactory), true);
  (void)factoryInstalled;
  connect(this, &TDrawGrid::CurrentChanged, this, [this](int col, int row) {
    ScrollToCell(col, row);
    if (!QAccessible::isActive() || !hasFocus()) return;
    QAccessibleEvent event(this, QAccessible::Focus);
    event.setChild(CurrentFrame());
    QAccessible::updateAccessibility(&event);
  });
}

TGroupPreviewGrid::~TGroupPreviewGrid() = default;

bool TGroupPreviewGrid::FrameCell(int index, int& col, int& row) const {
  const int columns = ColCount() - FixedCols();
  if (index < 0 || index >= int(PictureList.size()) || columns < 1) return false;
  col = FixedCols() + index % columns;
  row = FixedRows() + index / columns;
  return row < RowCount();
}

void TGroupPreviewGrid::ScrollToCell(int col, int row) {
  const QRect cell = CellRect(col, row);
  if (cell.isEmpty()) return;
  // The fixed header stays in place; the cell must show beside and below it.
  const QRect header = CellRect(0, 0);
  const int left = FixedCols() > 0 ? header.right() + 1 : 0;
  const int top = FixedRows() > 0 ? header.bottom() + 1 : 0;
  const QSize client = ClientSize();
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  if (cell.right() >= client.width()) h->setValue(h->value() + cell.right() + 1 - client.width());
  if (cell.left() < left) h->setValue(h->value() - (left - cell.left()));
  if (cell.bottom() >= client.height())
    v->setValue(v->value() + cell.bottom() + 1 - client.height());
  if (cell.top() < top) v->setValue(v->value() - (top - cell.top()));
}

void TGroupPreviewGrid::contextMenuEvent(QContextMenuEvent* event) {
  int col = -1, row = -1;
  QPoint global = event->globalPos();
  if (event->reason() == QContextMenuEvent::Mouse) {
    if (!MouseToCell(event->pos(), col, row)) col = row = -1;
  } else {
    // From the keyboard the menu opens on the current cell.
    col = Col();
    row = Row();
    global = viewport()->mapToGlobal(CellRect(col, row).center());
  }
  emit ContextPopup(col, row, global);
  event->accept();
}

void TGroupPreviewGrid::focusInEvent(QFocusEvent* event) {
  TPicDrawGrid::focusInEvent(event);
  viewport()->update();  // the current cell's frame turns to the mark colour
}

void TGroupPreviewGrid::focusOutEvent(QFocusEvent* event) {
  TPicDrawGrid::focusOutEvent(event);
  viewport()->update();
}
