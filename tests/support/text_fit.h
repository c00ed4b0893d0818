// Texts that do not fit where they are shown: the labels, check boxes, radio
// buttons, buttons showing text and group box titles under a shown window,
// and the items of a menu. Each finding is one line naming the widget, its
// text, the size the text needs and the size it has, so that a failing
// window test says what to fix.
#pragma once

#include <QStringList>

class QMenu;
class QMenuBar;
class QWidget;

namespace corvane::testing {

// The texts under `window` (shown, its layouts settled) that need more room
// than their widget has, or whose widget is cut off by a parent.
QStringList UnfitTexts(const QWidget& window);

// The items of `menu` and its submenus that are wider than the menu makes
// their place, and the menu itself when it is taller or wider than its screen.
QStringList UnfitMenuItems(QMenu& menu);

// The titles of `bar`'s menus that lie outside the bar.
QStringList UnfitMenuTitles(const QMenuBar& bar);

}  // namespace corvane::testing
