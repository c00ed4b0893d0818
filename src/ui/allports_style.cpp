#include "ui/allports_style.h"

#include <QHeaderView>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QPointer>
#include <QStatusBar>
#include <QStyleOption>
#include <QTableView>
#include <QToolBar>

#include "ui/lazy_icon.h"

namespace corvane {
namespace {

// The toolbar's padding around its buttons, and between them.
constexpr int kToolbarPadding = 3;
constexpr int kToolbarSpacing = 1;
constexpr int kCornerRadius = 4;
// Where a group's title stands inside its border.
constexpr int kGroupTitleLeft = 8;
constexpr int kGroupTitleTop = 3;
// A column header's padding around its text, on each side.
constexpr int kHeaderPaddingX = 6;
constexpr int kHeaderPaddingY = 3;

bool InToolbar(const QWidget* widget) {
  return widget && qobject_cast<const QToolBar*>(widget->parentWidget());
}

void SetColour(QWidget* widget, QPalette::ColorRole role, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(role, colour);
  widget->setPalette(palette);
}

// A line one pixel thick along the top or the bottom edge of `rect`.
void EdgeLine(QPainter* painter, const QRect& rect, bool top, const QColor& colour) {
  painter->fillRect(QRect(rect.left(), top ? rect.top() : rect.bottom(), rect.width(), 1), colour);
}

// A rounded box with a one-pixel border, as the groups and buttons have.
void RoundedBox(QPainter* painter, const QRect& rect, const QColor& fill, const QColor& border) {
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing);
  painter->setPen(border.alpha() ? QPen(border, 1) : QPen(Qt::NoPen));
  painter->setBrush(fill);
  painter->drawRoundedRect(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5), kCornerRadius,
                           kCornerRadius);
  painter->restore();
}

// The parts of a group: the border round it all, the title inside it at the
// top left, and the contents right below the title (right inside the border
// when there is none).
QRect GroupBoxRect(const QStyleOptionGroupBox& group, QStyle::SubControl sub) {
  const QRect& r = group.rect;
  const int title = group.text.isEmpty() ? 0 : group.fontMetrics.height() + kGroupTitleTop;
  switch (sub) {
    case QStyle::SC_GroupBoxLabel:
      return {r.left() + kGroupTitleLeft, r.top() + kGroupTitleTop,
              group.fontMetrics.horizontalAdvance(group.text) + 1, group.fontMetrics.height()};
    case QStyle::SC_GroupBoxContents:
      return r.adjusted(1, 1 + title, -1, -1);
    default:
      return r;
  }
}

}  // namespace

QPalette AllportsPalette(const ThemeColours& colours, QPalette current) {
  current.setColor(QPalette::Window, colours.window);
  current.setColor(QPalette::Highlight, colours.accent);
  current.setColor(QPalette::HighlightedText, colours.accentText);
  // A disabled text box keeps the platform's grey.
  for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
    current.setColor(group, QPalette::Base, colours.list);
    current.setColor(group, QPalette::AlternateBase, colours.listAlternate);
  }
  return current;
}

AllportsStyle::AllportsStyle(const ThemeColours& colours) : colours_(colours) {
  setObjectName(QStringLiteral("Allports"));
}

void AllportsStyle::polish(QWidget* widget) {
  QProxyStyle::polish(widget);
  if (qobject_cast<QMenuBar*>(widget)) {
    SetColour(widget, QPalette::Window, colours_.menuBar);
  } else if (qobject_cast<QHeaderView*>(widget)) {
    SetColour(widget, QPalette::ButtonText, colours_.headerText);
  } else if (qobject_cast<QStatusBar*>(widget)) {
    SetColour(widget, QPalette::WindowText, colours_.statusText);
  } else if (qobject_cast<QLabel*>(widget) && widget->objectName() == u"lbHomepageURL") {
    SetColour(widget, QPalette::WindowText, colours_.accent);
    widget->setContentsMargins(0, 0, 4, 0);
  }
}

void AllportsStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                                  QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case PE_FrameGroupBox:
      return RoundedBox(painter, option->rect, colours_.group, colours_.line);
    case PE_PanelStatusBar:
      painter->fillRect(option->rect, colours_.status);
      return EdgeLine(painter, option->rect, true, colours_.line);
    case PE_Frame:
      if (!qobject_cast<const QTableView*>(widget)) break;
      // The file list spans the window: lines above and below it only.
      painter->fillRect(option->rect, colours_.list);
      EdgeLine(painter, option->rect, true, colours_.line);
      return EdgeLine(painter, option->rect, false, colours_.line);
    default:
      break;
  }
  QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void AllportsStyle::drawControl(ControlElement element, const QStyleOption* option,
                                QPainter* painter, const QWidget* widget) const {
  switch (element) {
    case CE_MenuBarEmptyArea:
      painter->fillRect(option->rect, colours_.menuBar);
      return EdgeLine(painter, option->rect, false, colours_.line);
    case CE_MenuBarItem:
      if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
          item && (item->state & State_Selected)) {
        // Under the mouse as when open: in the accent.
        QStyleOptionMenuItem selected = *item;
        selected.state |= State_Sunken;
        return QProxyStyle::drawControl(element, &selected, painter, widget);
      }
      break;
    case CE_ToolBar: {
      QLinearGradient gradient(option->rect.topLeft(), option->rect.bottomLeft());
      gradient.setColorAt(0, colours_.toolbarTop);
      gradient.setColorAt(1, colours_.toolbarBottom);
      painter->fillRect(option->rect, gradient);
      return EdgeLine(painter, option->rect, false, colours_.line);
    }
    case CE_HeaderSection:
    case CE_HeaderEmptyArea: {
      const QRect& r = option->rect;
      painter->fillRect(r, colours_.header);
      EdgeLine(painter, r, false, colours_.line);
      if (element == CE_HeaderSection)
        painter->fillRect(QRect(r.right(), r.top(), 1, r.height()), colours_.line);
      return;
    }
    default:
      break;
  }
  QProxyStyle::drawControl(element, option, painter, widget);
}

void AllportsStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                       QPainter* painter, const QWidget* widget) const {
  if (control == CC_ToolButton && InToolbar(widget)) return DrawToolButton(option, painter, widget);
  QProxyStyle::drawComplexControl(control, option, painter, widget);
}

void AllportsStyle::DrawToolButton(const QStyleOptionComplex* option, QPainter* painter,
                                   const QWidget* widget) const {
  const auto* button = qstyleoption_cast<const QStyleOptionToolButton*>(option);
  if (!button) return;
  const State state = button->state;
  const bool enabled = state & State_Enabled;
  QColor fill = Qt::transparent;
  QColor border = Qt::transparent;
  if (enabled && (state & State_MouseOver)) {
    fill = colours_.buttonHover;
    border = colours_.buttonHoverLine;
  }
  if (enabled && (state & (State_Sunken | State_On))) fill = colours_.buttonPressed;
  if (state & State_HasFocus) border = colours_.accent;
  if (fill.alpha() || border.alpha()) RoundedBox(painter, button->rect, fill, border);

  QStyleOptionToolButton label = *button;
  label.rect = subControlRect(CC_ToolButton, button, SC_ToolButton, widget).adjusted(1, 1, -1, -1);
  drawControl(CE_ToolButtonLabel, &label, painter, widget);
}

QRect AllportsStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option,
                                    SubControl sub, const QWidget* widget) const {
  if (control == CC_GroupBox) {
    const auto* group = qstyleoption_cast<const QStyleOptionGroupBox*>(option);
    if (group && !(group->subControls & SC_GroupBoxCheckBox)) return GroupBoxRect(*group, sub);
  }
  return QProxyStyle::subControlRect(control, option, sub, widget);
}

QSize AllportsStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                      const QSize& size, const QWidget* widget) const {
  if (type == CT_HeaderSection) {
    if (const auto* header = qstyleoption_cast<const QStyleOptionHeader*>(option)) {
      // The text on one line with its padding, and the line to the right and
      // below. The header asks at every change of geometry: the advance is
      // measured without laying the text out.
      const QFontMetrics& metrics = header->fontMetrics;
      return {metrics.horizontalAdvance(header->text) + 2 * kHeaderPaddingX + 1,
              metrics.height() + 2 * kHeaderPaddingY + 1};
    }
  }
  return QProxyStyle::sizeFromContents(type, option, size, widget);
}

int AllportsStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                               const QWidget* widget) const {
  switch (metric) {
    case PM_ToolBarFrameWidth:
      return kToolbarPadding;
    case PM_ToolBarItemMargin:
      return 0;
    case PM_ToolBarItemSpacing:
      return kToolbarSpacing;
    default:
      return QProxyStyle::pixelMetric(metric, option, widget);
  }
}

QIcon AllportsStyle::standardIcon(StandardPixmap icon, const QStyleOption* option,
                                  const QWidget* widget) const {
  if (icon != SP_ToolBarHorizontalExtensionButton && icon != SP_ToolBarVerticalExtensionButton) {
    return QProxyStyle::standardIcon(icon, option, widget);
  }
  const QPointer<QStyle> base = baseStyle();
  return QIcon(new LazyIconEngine(
      [base, icon] { return base ? base->standardIcon(icon, nullptr, nullptr) : QIcon(); }));
}

int AllportsStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                             QStyleHintReturn* returnData) const {
  if (hint == SH_Table_GridLineColor) return static_cast<int>(colours_.grid.rgba());
  return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace corvane
