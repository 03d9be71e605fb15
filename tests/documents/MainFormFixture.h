#pragma once
// A main window on its own settings file in a temporary folder, with scripted dialogs, an
// in-memory clipboard, and a document reader the test decides.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <set>

#include "documents/DocumentView.h"
#include "documents/MainForm.h"
#include "documents/files/FileCommands.h"
#include "documents/frames/FrameGrid.h"
#include "documents/properties/PropertiesPanel.h"
#include "editor/ColorPanel.h"
#include "editor/EditSession.h"
#include "editor/Editor.h"
#include "editor/ToolBox.h"
#include "editor/ZoomView.h"
#include "editor/tools/Tool.h"
#include "model/Clipboard.h"
#include "model/Document.h"
#include "model/Errors.h"
#include "model/IniFile.h"
#include "windows/ScriptedDialogs.h"

// Processes events until the condition holds or the time is up; answers the condition.
inline bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 3000) {
  QElapsedTimer timer;
  timer.start();
  while (!condition() && timer.elapsed() < timeoutMs) QTest::qWait(10);
  return condition();
}

// Runs a real event loop for a while, so that it also waits for events (and is idle).
inline void RunEventLoop(int ms) {
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

class MainFormTest : public ::testing::Test {
 protected:
  QString IniPath() const { return dir_.filePath("Velmora.ini"); }
  QString FilePath(const QString& name) const { return dir_.filePath(name); }

  // Creates an empty file and returns its path.
  QString MakeFile(const QString& name) const {
    QFile f(FilePath(name));
    f.open(QIODevice::WriteOnly);
    return f.fileName();
  }

  // The reader opens the paths in Openable as blank 1 x 1 bitmaps and fails on the others; every
  // path it was asked for goes to Opened.
  std::unique_ptr<TMainForm> Start(QStringList arguments = {}) {
    TMainFormContext context;
    context.SettingsPath = IniPath();
    context.Dialogs = &dialogs_;
    context.Clipboard = &clipboard_;
    context.Arguments = std::move(arguments);
    context.ReadDocument = [this](const QString& path) {
      Opened << path;
      if (!Openable.count(path)) throw EVelmoraError("Cannot open " + path.toStdString());
      TDocument document = CreateDocument(TDocumentKind::Bitmap);
      document.Image->InitImage(1, 1, nullptr, 24);
      return document;
    };
    return std::make_unique<TMainForm>(std::move(context));
  }

  // Closes the window the way the window manager does; true when it closed.
  static bool Close(TMainForm& form) { return form.close(); }

  TIniFile Ini() const { return TIniFile(IniPath().toStdString()); }

  std::set<QString> Openable;
  QStringList Opened;
  QTemporaryDir dir_;
  TScriptedDialogs dialogs_;
  TMemoryClipboard clipboard_;
};
