// The yardstick for the program's start: a bare Qt Widgets window of the same outer size with as
// many plain controls as the main window's form has, and a 100 ms timer like the docking tick.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QTreeWidget>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle("BareWindow");
  window.setFixedSize(432, 240);
  int controls = argc > 1 ? std::atoi(argv[1]) : 60;
  for (int i = 0; i < controls; ++i) {
    QWidget* w = nullptr;
    switch (i % 6) {
      case 0:
        w = new QLabel(QString("标签%1").arg(i), &window);
        break;
      case 1:
        w = new QPushButton(QString("按钮%1").arg(i), &window);
        break;
      case 2:
        w = new QComboBox(&window);
        break;
      case 3:
        w = new QCheckBox(&window);
        break;
      case 4:
        w = new QSlider(Qt::Horizontal, &window);
        break;
      default:
        w = new QTreeWidget(&window);
        break;
    }
    w->setGeometry((i * 37) % 400, (i * 23) % 220, 40, 20);
  }
  QTimer tick;
  QObject::connect(&tick, &QTimer::timeout, [] {});
  tick.start(100);
  window.show();
  return app.exec();
}
