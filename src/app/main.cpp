#include <QApplication>
#include <QLabel>

// Placeholder entry point until the main window lands.
int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QLabel label("Velmora");
  label.setWindowTitle("Velmora");
  label.resize(400, 200);
  label.show();
  return app.exec();
}
