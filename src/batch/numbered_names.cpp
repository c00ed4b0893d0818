#include "batch/numbered_names.h"

#include "batch/target_path.h"
#include "platform/paths.h"

namespace corvane {

QString NumberedNames::KeyOf(QStringView folder, QStringView fileName) {
  return folder.toString() + QChar(u'\0') + FoldedName(fileName);
}

Result<QString> NumberedNames::Next(const TakenTest& taken, const QString& folder,
                                    const QString& fileName) {
  Family& family = families_[KeyOf(folder, fileName)];
  if (family.fileName != fileName) family = Family{fileName, 1};
  qint64 number = 0;
  Result<QString> found = UniqueTargetPath(taken, folder, fileName, family.next, &number);
  if (found.ok()) family.next = number + 1;
  return found;
}

// Numbered names read "base (n)ext" wherever the family's name splits into
// base and ext; each " (digits)" in the name is tried as that number.
void NumberedNames::Freed(QStringView path) {
  if (families_.empty()) return;
  const QStringView folder = FolderView(path);
  const QStringView name = path.sliced(folder.size());
  for (qsizetype close = name.indexOf(u')'); close >= 0; close = name.indexOf(u')', close + 1)) {
    qsizetype open = close;
    while (open > 0 && name[open - 1].isDigit() && name[open - 1].unicode() < 0x80) --open;
    if (open == close || open < 2 || name.sliced(open - 2, 2) != u" (") continue;
    bool read = false;
    const qint64 number = name.sliced(open, close - open).toLongLong(&read);
    if (!read || number < 1) continue;
    const QString family = name.first(open - 2).toString() + name.sliced(close + 1).toString();
    Lower(folder, family, number);
  }
}

void NumberedNames::Lower(QStringView folder, QStringView fileName, qint64 number) {
  const auto family = families_.find(KeyOf(folder, fileName));
  if (family != families_.end() && number < family->second.next) family->second.next = number;
}

}  // namespace corvane
