// HomepageLink: the address at the right end of the status line. A hand
// pointer and an underline while the mouse is over it; a background colour of
// its own that the theme leaves alone, and the theme's text colour. A click
// emits clicked().
#pragma once

#include <QLabel>

namespace corvane {

class HomepageLink final : public QLabel {
  Q_OBJECT

 public:
  explicit HomepageLink(QWidget* parent = nullptr);

 signals:
  void clicked();

 protected:
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void SetUnderline(bool on);
};

}  // namespace corvane
