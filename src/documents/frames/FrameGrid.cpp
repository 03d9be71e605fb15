#include "documents/frames/FrameGrid.h"

#include <QEvent>
#include <QKeyEvent>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "documents/ActionList.h"
#include "model/ImageGroup.h"
#include "model/WorkFrame.h"
#include "render/ImageConvert.h"

TFrameGrid::TFrameGrid(TActionList& actions, QWidget* parent) : QWidget(parent) {
  setObjectName("GroupPanel");
  FrameToolBar = new QToolBar("Frames", this);
  FrameToolBar->setObjectName("FrameToolBar");
  FrameToolBar->setIconSize({16, 16});
  for (const char* name : {"AddFrameAct", "InsertFrameAct", "DelFrameAct", "-", "MovieAct"}) {
    if (name[0] == '-')
      FrameToolBar->addSeparator();
    else
      FrameToolBar->addAction(&actions[name]);
  }
  GroupPreview = new TGroupPreviewGrid(this);
  GroupPreview->setObjectName("GroupPreview");
  GroupPreview->setAccessibleName("Frames");
  GroupPreview->SetMarkColor(QColor(255, 0, 0));
  GroupPreview->SetRowHeight(0, HeaderSize);
  GroupPreview->SetColWidth(0, HeaderSize);
  GroupPreview->OnSelectCell = [this](int col, int row) {
    return GroupPreviewSelectCell(col, row);
  };
  GroupPreview->OnKeyPress = [this](QKeyEvent* event) { return GroupPreviewKeyPress(event); };
  connect(GroupPreview, &TDrawGrid::DoubleClicked, this,
          [this] { emit OpenFrame(CurrentFrame()); });
  connect(GroupPreview, &TGroupPreviewGrid::ContextPopup, this,
          &TFrameGrid::GroupPreviewContextPopup);
  GroupPopup = new QMenu(GroupPreview);
  GroupPopup->setObjectName("GroupPopup");
  for (const char* name :
       {"CutAct", "CopyAct", "PasteAct", "-", "AddFrameAct", "InsertFrameAct", "DelFrameAct"}) {
    if (name[0] == '-')
      GroupPopup->addSeparator();
    else
      GroupPopup->addAction(&actions[name]);
  }
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(FrameToolBar);
  layout->addWidget(GroupPreview, 1);
  hide();
}

void TFrameGrid::FillFrameGrid(const TImageGroup* group) {
  std::vector<TGridPicture>& pictures = GroupPreview->PictureList;
  pictures.clear();
  cellSize_ = {};
  if (group) {
    // Cells fit the largest frame (sub-icons differ in size); larger frames are shown scaled.
    int w = 0, h = 0;
    for (int i = 0; i < group->Count(); ++i) {
      w = std::max(w, group->GetFrame(i)->Width());
      h = std::max(h, group->GetFrame(i)->Height());
    }
    cellSize_ =
        QSize(std::min(w, MaxThumbWidth) + HeaderSize, std::min(h, MaxThumbHeight) + HeaderSize);
    GroupPreview->ChildName = QString::fromStdString(group->GetChildName());
    pictures.reserve(size_t(group->Count()));
    // A floating layer shows merged, transparent pixels let the grid colour through.
    for (int i = 0; i < group->Count(); ++i)
      pictures.push_back({PictureImage(*group->GetFrame(i), true), false, 0});
  }
  LayoutCells();
  SelectFrame(0);
  GroupPreview->viewport()->update();
}

int TFrameGrid::ColumnsFor(int clientWidth) const {
  // Grid lines count too, so that the columns chosen fit without scrolling sideways.
  const int line = GroupPreview->GridLineWidth();
  const int step = std::max(cellSize_.width() + line, 1);
  const int k = std::max((clientWidth - HeaderSize - line) / step + 1, 2);
  return std::max(std::min(k, FrameCount() + 1), 2);
}

void TFrameGrid::LayoutCells() {
  TGroupPreviewGrid& grid = *GroupPreview;
  const int current = std::max(grid.CurrentFrame(), 0);
  const int n = FrameCount();
  const int line = grid.GridLineWidth();
  const int frameWidth = 2 * grid.frameWidth();
  int cols = ColumnsFor(grid.width() - frameWidth);
  const auto rowsFor = [n](int columns) {
    const int m = columns - 1;
    return n / m + (n % m > 0 ? 1 : 0) + 1;
  };
  // When the rows need the vertical scroll bar, it takes its width from the columns.
  const int height = HeaderSize + line + (rowsFor(cols) - 1) * (cellSize_.height() + line);
  if (height > grid.height() - frameWidth)
    cols = ColumnsFor(grid.width() - frameWidth - style()->pixelMetric(QStyle::PM_ScrollBarExtent));
  grid.SetColCount(cols);
  grid.SetRowCount(rowsFor(cols));
  grid.SetDefaultColWidth(cellSize_.width());
  grid.SetDefaultRowHeight(cellSize_.height());
  grid.SetColWidth(0, HeaderSize);
  grid.SetRowHeight(0, HeaderSize);
  SelectFrame(current);
}

void TFrameGrid::SelectFrame(int index) {
  int col = 0, row = 0;
  if (!GroupPreview->FrameCell(std::clamp(index, 0, std::max(FrameCount() - 1, 0)), col, row))
    return;
  GroupPreview->SetCurrent(col, row);
  GroupPreview->ScrollToCell(col, row);
}

void TFrameGrid::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The layout has given the grid its new size by now.
  if (FrameCount() > 0) LayoutCells();
}

bool TFrameGrid::GroupPreviewSelectCell(int col, int row) const {
  // Only cells that show a frame can become current.
  return GroupPreview->GetCellIndex(col, row) >= 0;
}

bool TFrameGrid::GroupPreviewKeyPress(QKeyEvent* event) {
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
  emit OpenFrame(CurrentFrame());
  return true;
}

void TFrameGrid::GroupPreviewContextPopup(int col, int row, const QPoint& globalPosition) {
  // The header row and column have no menu; another cell becomes current first (cells without
  // a frame refuse that, and the menu acts on the current frame).
  if (col >= 0 && (col < GroupPreview->FixedCols() || row < GroupPreview->FixedRows())) return;
  if (col >= 0) GroupPreview->SetCurrent(col, row);
  GroupPopup->popup(globalPosition);
}
