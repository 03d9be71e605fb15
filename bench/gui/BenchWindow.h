#pragma once
// A real (offscreen) main window for benchmarks: its own settings file, scripted dialogs, shown
// at a fixed size with the given zoom index.

#include <QApplication>
#include <QTemporaryDir>

#include "documents/DocumentView.h"
#include "documents/ImageBrowseFrm.h"
#include "documents/MainForm.h"
#include "editor/ColorPanel.h"
#include "editor/Editor.h"
#include "editor/ZoomView.h"
#include "windows/ScriptedDialogs.h"

class TBenchWindow {
 public:
  explicit TBenchWindow(int zoomIndex) : form_(Context()) {
    form_.resize(1280, 900);
    form_.show();
    QApplication::processEvents();
    form_.Editor().View().ZoomCombo->setCurrentIndex(zoomIndex);
  }
  TMainForm& Form() { return form_; }
  // A blank bitmap, added and made current as the New command does.
  void NewDocument(const QString& name, int width, int height, int bits) {
    QTreeWidgetItem* node = form_.Navigator->NewDocument(name, width, height, bits, false, nullptr);
    form_.Documents().NavigatorPicTreeChange(node);
  }

 private:
  TMainFormContext Context() {
    TMainFormContext context;
    context.SettingsPath = dir_.filePath("Velmora.ini");
    context.Dialogs = &dialogs_;
    return context;
  }

  QTemporaryDir dir_;
  TScriptedDialogs dialogs_;
  TMainForm form_;
};
