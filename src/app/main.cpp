#include <QApplication>

#include "documents/MainForm.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Velmora");
  QApplication::setApplicationVersion(VELMORA_VERSION);
  TMainFormContext context;
  context.Arguments = QApplication::arguments().mid(1);
  TMainForm form(std::move(context));
  form.show();
  return app.exec();
}
