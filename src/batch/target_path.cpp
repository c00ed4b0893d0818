#include "batch/target_path.h"

#include <cstdint>

#include "base/format.h"
#include "base/unit_scan.h"
#include "batch/batch_texts.h"
#include "batch/undo_log.h"
#include "engine/rename_item.h"
#include "engine/whole_number.h"
#include "platform/native_name.h"
#include "platform/paths.h"

namespace corvane {
namespace {

// Every control character, " < > and |.
bool HoldsForbiddenCharacter(QStringView text) {
  return HoldsUnit<0x20, u'"', u'<', u'>', u'|'>(text);
}

Error InvalidCharacters() {
  return Error(QString::fromUtf16(EN_TEXT("Invalid characters in path")),
               Error::Code::kInvalidPath);
}

// The longest name of one entry on ext4, XFS, Btrfs and NTFS alike.
constexpr qsizetype kLongestName = 255;

std::optional<NameFault> DotNameFault(QStringView name) {
  if (name == u"." || name == u"..") return NameFault::kInvalid;
  return std::nullopt;
}

}  // namespace

std::optional<BatchSettings> SettingsOfBatch(const RenameOptions& options,
                                             std::optional<Notice>& warning) {
  const std::optional<BatchMode> mode = SelectedBatchMode(options.batchMode);
  if (!mode) {
    warning = Notice::Warning(QString::fromUtf16(batch_texts::kSelectBatchMode));
    return std::nullopt;
  }
  BatchSettings settings{*mode, SelectedConflictMode(options.conflict),
                         TrimControl(options.destination), options.touchModifiedNow};
  if (*mode != BatchMode::RenameInPlace && settings.destination.isEmpty()) {
    warning = Notice::Warning(QString::fromUtf16(batch_texts::kSelectDestination));
    return std::nullopt;
  }
  return settings;
}

std::optional<NameFault> NewNameFaultPosixRule(QStringView name) {
  if (std::optional<NameFault> fault = DotNameFault(name)) return fault;
  // Each unit encodes to at most 3 bytes: short names need no encoding.
  if (name.size() * 3 <= kLongestName) return std::nullopt;
  if (name.size() > kLongestName * 3 || EncodeNativeName(name).size() > kLongestName) {
    return NameFault::kTooLong;
  }
  return std::nullopt;
}

std::optional<NameFault> NewNameFaultWindowsRule(QStringView name) {
  if (std::optional<NameFault> fault = DotNameFault(name)) return fault;
  if (name.size() > kLongestName) return NameFault::kTooLong;
  return std::nullopt;
}

std::optional<NameFault> NewNameFault(QStringView name) {
#ifdef Q_OS_WIN
  return NewNameFaultWindowsRule(name);
#else
  return NewNameFaultPosixRule(name);
#endif
}

Result<QString> BatchTargetPath(const BatchSettings& settings, QStringView source,
                                QStringView newName, NameFault* fault) {
  NameFault found = NameFault::kInvalid;
  Result<QString> target = [&]() -> Result<QString> {
    // The log could not hold such a path exactly, and the undo would miss it.
    if (!LogCanHoldPath(source)) return InvalidCharacters();
    if (std::optional<NameFault> f = NewNameFault(newName)) {
      found = *f;
      const char16_t* text =
          *f == NameFault::kTooLong ? batch_texts::kNameTooLong : batch_texts::kNotAValidName;
      return Error(QString::fromUtf16(text), {newName.toString()}, Error::Code::kInvalidPath);
    }
    const bool inPlace = settings.mode == BatchMode::RenameInPlace;
    return JoinTargetPath(inPlace ? FolderView(source) : QStringView(settings.destination),
                          newName);
  }();
  if (fault) *fault = found;
  return target;
}

bool IsTaken(EntryKind kind) { return kind != EntryKind::kNone && kind != EntryKind::kFolder; }

Result<QString> JoinTargetPath(QStringView folder, QStringView fileName) {
  if (HoldsForbiddenCharacter(folder) || HoldsForbiddenCharacter(fileName)) {
    return InvalidCharacters();
  }
  return JoinPath(folder, fileName);
}

Result<QString> UniqueTargetPath(FileSystem& fs, const QString& folder, const QString& fileName) {
  return UniqueTargetPath([&fs](const QString& path) { return IsTaken(fs.LookUp(path)); }, folder,
                          fileName);
}

Result<QString> UniqueTargetPath(const std::function<bool(const QString&)>& taken,
                                 const QString& folder, const QString& fileName) {
  return UniqueTargetPath(taken, folder, fileName, 1, nullptr);
}

Result<QString> UniqueTargetPath(const std::function<bool(const QString&)>& taken,
                                 const QString& folder, const QString& fileName, qint64 first,
                                 qint64* number) {
  const NameAndExt parts = SplitFileName(fileName);
  for (qint64 n = first;; ++n) {
    const QString name = FormatText(u"%s (%d)%s", {parts.name, QString::number(n), parts.ext});
    // A longer number only makes a longer name.
    if (NewNameFault(name) == NameFault::kTooLong) {
      return Error(QString::fromUtf16(batch_texts::kNameTooLong), {name},
                   Error::Code::kInvalidPath);
    }
    const QString candidate = JoinPath(folder, name);
    if (taken(candidate)) continue;
    if (number) *number = n;
    return candidate;
  }
}

}  // namespace corvane
