// LazyIconEngine: an icon made only when it is first painted, so that
// making icons at start-up costs nothing. The program's SVG icons are drawn
// from the SVG at each size and device pixel ratio, sharp on any screen.
#pragma once

#include <QIcon>
#include <QIconEngine>

#include <functional>

namespace corvane {

class LazyIconEngine final : public QIconEngine {
 public:
  // `make` gives the icon at the first paint. Until then the icon answers
  // any size asked for, as a square scalable one (an SVG) does.
  explicit LazyIconEngine(std::function<QIcon()> make);

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  // `size` is in device pixels, as QIcon asks for it.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QIconEngine* clone() const override;
  QString key() const override;

 private:
  const QIcon& Made();

  std::function<QIcon()> make_;
  QIcon made_;
};

// The SVG image at `path` (a file or a resource), read at the first paint.
QIcon LazySvgIcon(const QString& path);

}  // namespace corvane
