#pragma once
// A real (offscreen) main window for benchmarks: its own settings file, scripted dialogs, shown
// at a fixed size with the given zoom index.

#include <QApplication>
#include <QTemporaryDir>

#include "documents/MainForm.h"
#include "windows/ScriptedDialogs.h"

class TBenchWindow {
 public:
  explicit TBenchWindow(int zoomIndex) : form_(Context()) {
    form_.resize(1280, 900);
    form_.show();
    QApplication::processEvents();
    form_.ZoomCombo->setCurrentIndex(zoomIndex);
  }
  TMainForm& Form() { return form_; }

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
