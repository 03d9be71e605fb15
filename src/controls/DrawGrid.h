#pragma once
// TDrawGrid: a grid of owner-drawn cells with optional fixed (header) rows and columns at the top
// and left. Cells have a default size that individual columns and rows may override. The user
// draws the cells through OnDrawCell (or a subclass overrides DrawCell) and may refuse a cell as
// the current one through OnSelectCell. Scrolling moves the non-fixed cells only.

#include <QAbstractScrollArea>
#include <QColor>
#include <functional>
#include <vector>

struct TGridDrawState {
  bool Selected = false;
  bool Focused = false;
  bool Fixed = false;
};

class TDrawGrid : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit TDrawGrid(QWidget* parent = nullptr);

  int ColCount() const { return int(colWidths_.size()); }
  int RowCount() const { return int(rowHeights_.size()); }
  void SetColCount(int count);
  void SetRowCount(int count);
  int FixedCols() const { return fixedCols_; }
  int FixedRows() const { return fixedRows_; }
  void SetFixedCols(int count);
  void SetFixedRows(int count);
  int DefaultColWidth() const { return defaultColWidth_; }
  int DefaultRowHeight() const { return defaultRowHeight_; }
  // Setting a default resets every individual size.
  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);
  int ColWidth(int col) const { return colWidths_.at(size_t(col)); }
  int RowHeight(int row) const { return rowHeights_.at(size_t(row)); }
  void SetColWidth(int col, int width);
  void SetRowHeight(int row, int height);
  int GridLineWidth() const { return lineWidth_; }
  void SetGridLineWidth(int width);

  // The current cell; changing it asks OnSelectCell first. Returns whether it became current.
  int Col() const { return col_; }
  int Row() const { return row_; }
  bool SetCurrent(int col, int row);

  // The cell's rectangle in viewport coordinates (empty when out of range).
  QRect CellRect(int col, int row) const;
  // The cell under a viewport position; false when there is none.
  bool MouseToCell(const QPoint& position, int& col, int& row) const;
  QSize ClientSize() const { return viewport()->size(); }

  QColor FixedColor{192, 192, 192};
  QColor GridColor{192, 192, 192};

  std::function<void(QPainter&, int col, int row, const QRect&, const TGridDrawState&)> OnDrawCell;
  std::function<bool(int col, int row)> OnSelectCell;
  // What a cell is called for assistive technologies (a colour, a frame number); none: nameless.
  std::function<QString(int col, int row)> OnCellName;
  // Sees every key first; answering true consumes it (the arrow keys move the current cell).
  std::function<bool(QKeyEvent*)> OnKeyPress;

 signals:
  void CurrentChanged(int col, int row);
  void MouseDown(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers modifiers);
  void MouseMove(const QPoint& position, Qt::MouseButtons buttons);
  void MouseUp(Qt::MouseButton button, const QPoint& position, Qt::KeyboardModifiers modifiers);
  void DoubleClicked();
  void MouseLeft();

 protected:
  virtual void DrawCell(QPainter& p, int col, int row, const QRect& rect,
                        const TGridDrawState& state);
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  int ColLeft(int col) const;
  int RowTop(int row) const;
  int FixedWidth() const { return ColLeft(fixedCols_); }
  int FixedHeight() const { return RowTop(fixedRows_); }
  void UpdateScrollBars();

  std::vector<int> colWidths_;
  std::vector<int> rowHeights_;
  int fixedCols_ = 0;
  int fixedRows_ = 0;
  int defaultColWidth_ = 64;
  int defaultRowHeight_ = 24;
  int lineWidth_ = 1;
  int col_ = 0;
  int row_ = 0;
};
