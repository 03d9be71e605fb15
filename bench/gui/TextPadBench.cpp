// One keystroke in the text pad: the whole text is rendered anew into the floating layer and its
// mask, handed to the image and shown. Measured on an icon-sized and on a large picture; the text
// is the same, so the time should grow only with what every change copies (the picture itself).

#include <benchmark/benchmark.h>

#include "BenchWindow.h"
#include "editor/EditSession.h"
#include "model/WorkImage.h"
#include "windows/TextPadForm.h"

namespace {

// Range 0: the picture's side in pixels.
void BM_TextPadKeystroke(benchmark::State& state) {
  TBenchWindow window(3);
  TMainForm& form = window.Form();
  const int side = int(state.range(0));
  window.NewDocument("Noname1.bmp", side, side, 24);
  form.Act("Text1").trigger();
  TTextPadForm& pad = form.TextPadForm();
  pad.cbFontSize->setCurrentText("14");
  int i = 0;
  for (auto _ : state) {
    pad.TextPad->setPlainText(i++ % 2 ? "Velmora\ntext" : "Velmora\ntext!");
    form.Editor().View().ZoomBox->repaint();
  }
  if (!form.Editor().Session().CurrentImage()->HasLayer()) state.SkipWithError("no text placed");
  form.Act("Select1").trigger();
  form.Navigator->PicTree->clear();
}
BENCHMARK(BM_TextPadKeystroke)->Arg(32)->Arg(256)->Arg(2048)->Unit(benchmark::kMillisecond);

}  // namespace
