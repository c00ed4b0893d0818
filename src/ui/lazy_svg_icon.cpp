#include "ui/lazy_svg_icon.h"

#include <QPainter>

#include <utility>

namespace corvane {

LazySvgIconEngine::LazySvgIconEngine(QString path) : path_(std::move(path)) {}

void LazySvgIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                              QIcon::State state) {
  Drawn().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap LazySvgIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  return Drawn().pixmap(size, 1.0, mode, state);
}

QSize LazySvgIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
  return size;  // square and scalable: any size asked for
}

QIconEngine* LazySvgIconEngine::clone() const {
  auto* copy = new LazySvgIconEngine(path_);
  copy->drawn_ = drawn_;
  return copy;
}

QString LazySvgIconEngine::key() const { return QStringLiteral("corvane-lazy-svg"); }

const QIcon& LazySvgIconEngine::Drawn() {
  if (drawn_.isNull()) drawn_ = QIcon(path_);
  return drawn_;
}

}  // namespace corvane
