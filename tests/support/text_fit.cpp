#include "support/text_fit.h"

#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QToolButton>

#include <optional>

namespace corvane::testing {
namespace {

// What a widget's text needs and the room it has for it.
struct Room {
  QString text;
  QSize needs;
  QSize has;
};

QString Named(const QWidget& widget) {
  if (!widget.objectName().isEmpty()) return widget.objectName();
  const auto* label = qobject_cast<const QLabel*>(&widget);
  if (label && label->buddy()) return QStringLiteral("label of ") + label->buddy()->objectName();
  QString name = QString::fromLatin1(widget.metaObject()->className());
  for (const QWidget* up = widget.parentWidget(); up; up = up->parentWidget()) {
    if (!up->objectName().isEmpty()) return name + QStringLiteral(" in ") + up->objectName();
  }
  return name;
}

QString Line(const QWidget& widget, const Room& room, const QString& problem) {
  return QStringLiteral("%1 \"%2\" %3: needs %4x%5, has %6x%7")
      .arg(Named(widget), room.text, problem)
      .arg(room.needs.width())
      .arg(room.needs.height())
      .arg(room.has.width())
      .arg(room.has.height());
}

// A label that wraps needs its height at its own width, and at least the
// width of its longest word.
Room LabelRoom(const QLabel& label) {
  if (!label.wordWrap()) return {label.text(), label.minimumSizeHint(), label.size()};
  return {label.text(),
          {label.minimumSizeHint().width(), label.heightForWidth(label.width())},
          label.size()};
}

// A push button's own minimum width is a style's taste, not its text's need:
// the text must fit the part of the button the style leaves for it.
Room PushButtonRoom(const QPushButton& button) {
  QStyleOptionButton option;
  option.initFrom(&button);
  option.text = button.text();
  option.icon = button.icon();
  option.iconSize = button.iconSize();
  const QRect contents =
      button.style()->subElementRect(QStyle::SE_PushButtonContents, &option, &button);
  QSize needs = button.fontMetrics().size(Qt::TextShowMnemonic, button.text());
  if (!button.icon().isNull()) needs.rwidth() += button.iconSize().width() + 4;
  return {button.text(), needs, contents.size()};
}

std::optional<Room> TextRoom(const QWidget& widget) {
  if (const auto* label = qobject_cast<const QLabel*>(&widget)) {
    if (label->text().isEmpty()) return std::nullopt;
    return LabelRoom(*label);
  }
  if (const auto* button = qobject_cast<const QPushButton*>(&widget)) {
    if (button->text().isEmpty()) return std::nullopt;
    return PushButtonRoom(*button);
  }
  if (const auto* button = qobject_cast<const QToolButton*>(&widget)) {
    if (button->text().isEmpty() || button->toolButtonStyle() == Qt::ToolButtonIconOnly) {
      return std::nullopt;
    }
    return Room{button->text(), button->sizeHint(), button->size()};
  }
  if (qobject_cast<const QCheckBox*>(&widget) || qobject_cast<const QRadioButton*>(&widget)) {
    const auto& button = static_cast<const QAbstractButton&>(widget);
    if (button.text().isEmpty()) return std::nullopt;
    return Room{button.text(), button.minimumSizeHint(), button.size()};
  }
  if (const auto* group = qobject_cast<const QGroupBox*>(&widget)) {
    if (group->title().isEmpty()) return std::nullopt;
    return Room{group->title(), group->minimumSizeHint(), group->size()};
  }
  return std::nullopt;
}

// The part of `widget` its parents up to `window` leave visible.
QRect VisiblePart(const QWidget& widget, const QWidget& window) {
  QRect visible = widget.rect();
  const QWidget* child = &widget;
  for (const QWidget* up = widget.parentWidget(); up && child != &window;
       child = up, up = up->parentWidget()) {
    visible = visible.intersected(up->rect().translated(-widget.mapTo(up, QPoint(0, 0))));
  }
  return visible;
}

QString ItemText(const QAction& action) {
  QString text = action.text();
  text.remove(u'&');
  if (!action.shortcut().isEmpty()) {
    text += QStringLiteral("    ") + action.shortcut().toString(QKeySequence::NativeText);
  }
  return text;
}

}  // namespace

QStringList UnfitTexts(const QWidget& window) {
  QStringList unfit;
  for (const QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(&window)) continue;
    const std::optional<Room> room = TextRoom(*widget);
    if (!room) continue;
    if (room->needs.width() > room->has.width() || room->needs.height() > room->has.height()) {
      unfit << Line(*widget, *room, QStringLiteral("is cut"));
    }
    const QSize visible = VisiblePart(*widget, window).size();
    if (visible != widget->size()) {
      unfit << Line(*widget, {room->text, widget->size(), visible},
                    QStringLiteral("is hidden in part by its parent"));
    }
  }
  return unfit;
}

QStringList UnfitMenuItems(QMenu& menu) {
  QStringList unfit;
  const QScreen* screen = menu.screen() ? menu.screen() : QGuiApplication::primaryScreen();
  const QSize hint = menu.sizeHint();
  const QSize space = screen->availableGeometry().size();
  if (hint.width() > space.width() || hint.height() > space.height()) {
    unfit << QStringLiteral("menu %1 is %2x%3, the screen %4x%5")
                 .arg(menu.objectName())
                 .arg(hint.width())
                 .arg(hint.height())
                 .arg(space.width())
                 .arg(space.height());
  }
  // The menu lays its items out for its size hint.
  menu.resize(hint);
  const QFontMetrics metrics(menu.font());
  for (QAction* action : menu.actions()) {
    if (action->isSeparator() || !action->isVisible()) continue;
    if (action->menu()) unfit << UnfitMenuItems(*action->menu());
    const QString text = ItemText(*action);
    const int needs = metrics.horizontalAdvance(text);
    const int has = menu.actionGeometry(action).width();
    if (needs > has) {
      unfit << QStringLiteral("item %1 \"%2\" of menu %3 needs %4 wide, has %5")
                   .arg(action->objectName(), text, menu.objectName())
                   .arg(needs)
                   .arg(has);
    }
  }
  return unfit;
}

QStringList UnfitMenuTitles(const QMenuBar& bar) {
  QStringList unfit;
  for (QAction* action : bar.actions()) {
    const QRect place = bar.actionGeometry(action);
    if (!bar.rect().contains(place)) {
      unfit << QStringLiteral("menu title \"%1\" lies at %2,%3 %4x%5 outside the bar %6x%7")
                   .arg(action->text())
                   .arg(place.x())
                   .arg(place.y())
                   .arg(place.width())
                   .arg(place.height())
                   .arg(bar.width())
                   .arg(bar.height());
    }
  }
  return unfit;
}

}  // namespace corvane::testing
