#include "ui/homepage_link.h"

#include <QColor>
#include <QMouseEvent>
#include <QPalette>

namespace corvane {

HomepageLink::HomepageLink(QWidget* parent) : QLabel(parent) {
  setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  setCursor(Qt::PointingHandCursor);
  // Its own background, whatever the theme; the text colour is the theme's.
  QPalette own = palette();
  own.setColor(QPalette::Window, QColor(231, 233, 238));
  setPalette(own);
  setAutoFillBackground(true);
}

void HomepageLink::SetUnderline(bool on) {
  QFont f = font();
  f.setUnderline(on);
  setFont(f);
}

void HomepageLink::enterEvent(QEnterEvent* event) {
  SetUnderline(true);
  QLabel::enterEvent(event);
}

void HomepageLink::leaveEvent(QEvent* event) {
  SetUnderline(false);
  QLabel::leaveEvent(event);
}

void HomepageLink::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace corvane
