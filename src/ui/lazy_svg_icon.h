// LazySvgIconEngine: an SVG icon that reads and draws its file only when it is
// first painted, so that making icons at start-up costs nothing; each size
// and device pixel ratio is then drawn from the SVG, sharp on any screen.
#pragma once

#include <QIcon>
#include <QIconEngine>
#include <QString>

namespace corvane {

class LazySvgIconEngine final : public QIconEngine {
 public:
  // `path` names a square SVG image (a file or a resource).
  explicit LazySvgIconEngine(QString path);

  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override;
  // `size` is in device pixels, as QIcon asks for it.
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override;
  QIconEngine* clone() const override;
  QString key() const override;

 private:
  // The icon that draws the SVG, made at the first call.
  const QIcon& Drawn();

  QString path_;
  QIcon drawn_;
};

}  // namespace corvane
