#include "ui/lazy_icon.h"

#include <QPainter>

#include <utility>

namespace corvane {

LazyIconEngine::LazyIconEngine(std::function<QIcon()> make) : make_(std::move(make)) {}

void LazyIconEngine::paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
                           QIcon::State state) {
  Made().paint(painter, rect, Qt::AlignCenter, mode, state);
}

QPixmap LazyIconEngine::pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) {
  return Made().pixmap(size, 1.0, mode, state);
}

QSize LazyIconEngine::actualSize(const QSize& size, QIcon::Mode, QIcon::State) {
  return size;  // square and scalable: any size asked for
}

QIconEngine* LazyIconEngine::clone() const {
  auto* copy = new LazyIconEngine(make_);
  copy->made_ = made_;
  return copy;
}

QString LazyIconEngine::key() const { return QStringLiteral("corvane-lazy"); }

const QIcon& LazyIconEngine::Made() {
  if (made_.isNull() && make_) {
    made_ = make_();
    make_ = nullptr;
  }
  return made_;
}

QIcon LazySvgIcon(const QString& path) {
  return QIcon(new LazyIconEngine([path] { return QIcon(path); }));
}

}  // namespace corvane
