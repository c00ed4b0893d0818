// Draws an SVG icon as a square PNG of a given size, for the icon theme's
// fixed-size folders that menus and docks look in first.
//   corvane_render_icon <icon.svg> <pixels> <out.png>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <cstdio>

int main(int argc, char* argv[]) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: %s <icon.svg> <pixels> <out.png>\n", argv[0]);
    return 2;
  }
  bool number = false;
  const int size = QByteArray(argv[2]).toInt(&number);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  if (!number || size <= 0 || !svg.isValid()) {
    std::fprintf(stderr, "%s: cannot draw %s at %s pixels\n", argv[0], argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  svg.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[3]);
    return 1;
  }
  return 0;
}
