// screenshot OUT.png [LEFT TOP WIDTH HEIGHT]: saves the X display (or a part
// of it) as a PNG. Used by the smoke tests to keep a picture of a window.
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc != 2 && argc != 6) {
    std::fprintf(stderr, "usage: screenshot OUT.png [LEFT TOP WIDTH HEIGHT]\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) {
    std::fprintf(stderr, "screenshot: no screen\n");
    return 1;
  }
  QPixmap shot = argc == 6 ? screen->grabWindow(0, std::atoi(argv[2]), std::atoi(argv[3]),
                                                std::atoi(argv[4]), std::atoi(argv[5]))
                           : screen->grabWindow(0);
  if (shot.isNull() || !shot.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "screenshot: could not save %s\n", argv[1]);
    return 1;
  }
  return 0;
}
