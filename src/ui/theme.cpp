#include "ui/theme.h"

#include <QApplication>
#include <QFile>

#include "base/english_text.h"
#include "ui/allports_style.h"
#include "ui/lazy_icon.h"
#include "ui/theme_colours.h"

namespace corvane {

Status ApplyTheme(QApplication& app, const QString& resource) {
  QFile file(resource);
  std::optional<ThemeColours> colours;
  if (file.open(QIODevice::ReadOnly)) colours = ParseThemeColours(file.readAll());
  if (!colours) {
    return Error(QStringLiteral(EN_TEXT("The theme \"%s\" could not be applied.")),
                 {QString::fromUtf16(kThemeName)}, Error::Code::kGeneric);
  }
  // A style and a palette rather than a style sheet: a sheet makes every
  // widget match its rules again at each change of parent, which more than
  // doubled the time the window took to open.
  app.setStyle(new AllportsStyle(*colours));
  app.setPalette(AllportsPalette(*colours, QApplication::palette()));
  return Status::Ok();
}

QIcon ProgramIcon(const QString& name) {
  return LazySvgIcon(QStringLiteral(":/corvane/icons/") + name + QStringLiteral(".svg"));
}

}  // namespace corvane
