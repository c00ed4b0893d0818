// AllportsStyle: the theme "Allports" drawn over the platform's own style,
// without a style sheet: the backgrounds and lines of the menu bar, the
// toolbar and its buttons, the groups of options, the file list with its
// column headers, and the status line. What every widget takes from the
// palette (windows and dialogs, selections) is AllportsPalette's.
#pragma once

#include <QPalette>
#include <QProxyStyle>

#include "ui/theme_colours.h"

namespace corvane {

// `current` with the theme's window, selection and list colours.
QPalette AllportsPalette(const ThemeColours& colours, QPalette current);

class AllportsStyle final : public QProxyStyle {
 public:
  explicit AllportsStyle(const ThemeColours& colours);

  // Gives the menu bar, the file list's headers, the status line and the
  // home-page link the colours of their own.
  void polish(QWidget* widget) override;
  using QProxyStyle::polish;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override;
  void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                          QPainter* painter, const QWidget* widget) const override;
  QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                       const QWidget* widget) const override;
  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override;
  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override;
  // The menu bar's and the toolbar's extension arrows are made only when
  // shown, which they seldom are.
  QIcon standardIcon(StandardPixmap icon, const QStyleOption* option,
                     const QWidget* widget) const override;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override;

 private:
  void DrawToolButton(const QStyleOptionComplex* option, QPainter* painter,
                      const QWidget* widget) const;

  ThemeColours colours_;
};

}  // namespace corvane
