// NumberedNames: the first free "name (n).ext" for the items of a batch that
// want one name, without searching from (1) again for each of them. The batch
// and its verdicts (batch/playback.h) both number through it, so that what a
// preview predicts is what the batch does.
//
// It remembers, for each wanted name in a folder, the lowest number not yet
// known to be taken, and searches on from there. Every number below the
// remembered one is taken at this point of the batch: the caller takes each
// name it is given, and tells Freed of every file that leaves a name, which
// lowers the number of that name's family (lowering only costs lookups, so
// any name that might be of the family lowers it).
#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <unordered_map>

#include "base/error.h"

namespace corvane {

class NumberedNames {
 public:
  using TakenTest = std::function<bool(const QString&)>;

  // The first of "base (n).ext" in `folder` that `taken` calls free, as
  // UniqueTargetPath finds it, asking only from the family's remembered number
  // on. The caller takes the name returned.
  Result<QString> Next(const TakenTest& taken, const QString& folder, const QString& fileName);
  // The file at `path` leaves its name.
  void Freed(QStringView path);
  // Something outside the batch may have freed names: search from (1) again.
  void Forget() { families_.clear(); }

 private:
  struct Family {
    QString fileName;  // the wanted name as spelled; another spelling starts from (1)
    qint64 next = 1;
  };
  // Every spelling of a name that a file system ignoring letter case might
  // take for another maps to one key.
  static QString KeyOf(QStringView folder, QStringView fileName);
  void Lower(QStringView folder, QStringView fileName, qint64 number);

  std::unordered_map<QString, Family> families_;
};

}  // namespace corvane
