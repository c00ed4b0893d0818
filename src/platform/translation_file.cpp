#include "platform/translation_file.h"

#include <QFileInfo>

#include "base/build_info.h"
#include "platform/paths.h"

namespace corvane {
namespace {

constexpr char16_t kTranslationFileName[] = u"transl.dt";

}  // namespace

QString TranslationFilePath(const QString& executableFolder) {
  const QString beside = JoinPath(executableFolder, kTranslationFileName);
  if (QFileInfo(beside).isFile()) return beside;
  const QString installed =
      JoinPath(JoinPath(executableFolder, kInstalledDataFolder), kTranslationFileName);
  return QFileInfo(installed).isFile() ? installed : beside;
}

}  // namespace corvane
