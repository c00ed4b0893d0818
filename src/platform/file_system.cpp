#include "platform/file_system.h"

#include "base/english_text.h"
#include "platform/file_system_internal.h"
#include "platform/native_name.h"
#include "platform/paths.h"

#include <QSaveFile>

#include <algorithm>

namespace corvane {
namespace file_system_internal {

Error InvalidPathError() {
  return Error(QString::fromUtf16(EN_TEXT("Invalid characters in path")),
               Error::Code::kInvalidPath);
}
Error PathNotFoundError() {
  return Error(QString::fromUtf16(EN_TEXT("The specified path was not found")),
               Error::Code::kPathNotFound);
}
Error FileNotFoundError() {
  return Error(QString::fromUtf16(EN_TEXT("The specified file was not found")),
               Error::Code::kFileNotFound);
}
Error FileExistsError() {
  return Error(QString::fromUtf16(EN_TEXT("The specified file already exists")),
               Error::Code::kFileExists);
}

bool HoldsInvalidPathCharacter(QStringView path) {
#ifdef Q_OS_WIN
  for (QChar c : path) {
    if (c.unicode() < 0x20 || c == u'"' || c == u'<' || c == u'>' || c == u'|') return true;
  }
  return false;
#else
  return std::find(path.utf16(), path.utf16() + path.size(), u'\0') != path.utf16() + path.size();
#endif
}

Error MissingSourceError(FileSystem& fs, const QString& source) {
  const QString folder = FolderPart(source);
  if (!folder.isEmpty() && !fs.FolderExists(folder)) return PathNotFoundError();
  return FileNotFoundError();
}

Status SaveWholeFile(const QString& path, QByteArrayView data) {
  // QSaveFile writes beside the target and renames over it on commit; until
  // then an existing file stays whole, and an uncommitted file is discarded.
  // Unbuffered, because a write that fails while commit() flushes the buffer
  // does not stop the commit (Qt 6.4), which would put a cut-off file in place.
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return Error(file.errorString());
  // A short write reports no error of its own; writing the rest makes the
  // failing call give the system's reason.
  while (!data.isEmpty()) {
    const qint64 written = file.write(data.data(), data.size());
    if (written <= 0) return Error(file.errorString());
    data = data.sliced(written);
  }
  if (!file.commit()) return Error(file.errorString());
  return Status::Ok();
}

}  // namespace file_system_internal

Error MissingFileError(FileSystem& fs, const QString& path) {
  return file_system_internal::MissingSourceError(fs, path);
}

QString TemporaryPathFor(QStringView target) {
  // FNV-1a over the whole path: stable from run to run (qHash is seeded per
  // process), so an undo in another process finds the same name.
  uint64_t hash = 0xcbf29ce484222325ull;
  for (QChar c : target) {
    hash = (hash ^ c.unicode()) * 0x100000001b3ull;
  }
  return FolderPart(target) + QStringLiteral(".corvane-") +
         QString::number(hash, 16).rightJustified(16, u'0') + QStringLiteral(".part");
}

std::optional<QString> TrashRecordFor(QStringView place) {
  const QStringView files = FolderView(place);
  if (!files.endsWith(u"/files/") || FileNameView(place).isEmpty()) return std::nullopt;
  const QStringView trash = files.chopped(7);  // ".../Trash", without the "/files/"
  const QStringView trashName = FileNameView(trash);
  const QStringView above = FolderView(trash);
  const bool isTrash = trashName == u"Trash" || trashName.startsWith(u".Trash-") ||
                       (above.size() > 1 && FileNameView(above.chopped(1)) == u".Trash");
  if (!isTrash) return std::nullopt;
  return trash.toString() + QStringLiteral("/info/") + FileNameView(place).toString() +
         QStringLiteral(".trashinfo");
}

bool TrashRecordNames(QByteArrayView record, const QString& path) {
  const QByteArray wanted = EncodeNativeName(path);
  for (const QByteArray& line : record.toByteArray().split('\n')) {
    if (!line.startsWith("Path=")) continue;
    const QByteArray named = QByteArray::fromPercentEncoding(line.mid(5).trimmed());
    return wanted.startsWith('/') ? named == wanted : named.endsWith("/" + wanted);
  }
  return false;
}

FileSystem& RealFileSystem() {
  static const std::unique_ptr<FileSystem> fs = file_system_internal::NewNativeFileSystem();
  return *fs;
}

}  // namespace corvane
