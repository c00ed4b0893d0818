#include "ui/theme.h"

#include <QApplication>
#include <QFile>

namespace corvane {

Status ApplyTheme(QApplication& app, const QString& resource) {
  QFile file(resource);
  QByteArray sheet;
  if (file.open(QIODevice::ReadOnly)) sheet = file.readAll();
  if (sheet.isEmpty()) {
    return Error(QStringLiteral("The theme \"%s\" could not be applied."),
                 {QString::fromUtf16(kThemeName)}, Error::Code::kGeneric);
  }
  app.setStyleSheet(QString::fromUtf8(sheet));
  return Status::Ok();
}

QIcon ProgramIcon(const QString& name) {
  return QIcon(QStringLiteral(":/corvane/icons/") + name + QStringLiteral(".svg"));
}

}  // namespace corvane
