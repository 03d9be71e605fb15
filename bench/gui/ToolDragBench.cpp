// Pointer moves of a drag with the pencil and the rectangle tool over a 2048 x 2048 picture in a
// real (offscreen) main window: each move draws, repairs the rubber band, renders the visible
// part and repaints the zoom box and the 1:1 preview. The time per move must not grow with the
// picture.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTemporaryDir>

#include "BenchWindow.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "windows/ScriptedDialogs.h"

namespace {

void Send(QWidget* target, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
  const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent event(type, at, target->mapToGlobal(at), button, held, Qt::NoModifier);
  QCoreApplication::sendEvent(target, &event);
}

// Range 0: the zoom index (0 is 100%, 3 is 800%); range 1: 0 pencil, 1 rectangle.
void BM_ToolDrag(benchmark::State& state) {
  TBenchWindow window(int(state.range(0)));
  TMainForm& form = window.Form();
  window.NewDocument("Noname1.bmp", 2048, 2048, 24);
  // The view shows the middle of the picture, so the band reaches back to an anchor off screen.
  form.Editor().View().HScr->setValue(800);
  form.Editor().View().VScr->setValue(800);
  QApplication::processEvents();
  form.Act(state.range(1) == 0 ? "Pencil1" : "Rectangle1").trigger();
  QWidget* box = form.Editor().View().ZoomBox;
  const int w = box->width() - 2, h = box->height() - 2;
  Send(box, QEvent::MouseButtonPress, {1, 1}, Qt::LeftButton);
  int i = 0;
  for (auto _ : state) {
    // A zigzag over the whole view: every move reaches a new pixel.
    ++i;
    const QPoint at((i * 37) % w, (i * 23) % h);
    Send(box, QEvent::MouseMove, at, Qt::LeftButton);
    box->repaint();
    form.Editor().View().ViewImg->repaint();
  }
  // The rectangle reports its size while it is dragged; without it nothing was measured.
  if (state.range(1) == 1 && form.StatusText(2).isEmpty()) state.SkipWithError("no drag");
  Send(box, QEvent::MouseButtonRelease, {1, 1}, Qt::NoButton);
  state.SetLabel(form.Editor().View().ZoomCombo->currentText().toStdString() +
                 (state.range(1) == 0 ? " pencil" : " rectangle"));
  form.Navigator->PicTree->clear();
}
BENCHMARK(BM_ToolDrag)->ArgsProduct({{0, 3}, {0, 1}})->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace
