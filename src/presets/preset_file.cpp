#include "presets/preset_file.h"

#include <QFile>
#include <QStringList>
#include <optional>

#include "base/english_text.h"
#include "engine/whole_number.h"
#include "platform/native_files.h"
#include "platform/paths.h"
#include "presets/preset_value.h"

namespace corvane {
namespace {

constexpr QByteArrayView kByteOrderMark("\xEF\xBB\xBF");

// One line of the file. Exactly one of the member pointers is set.
struct PresetField {
  QStringView key;
  QString RenameOptions::*text = nullptr;
  bool RenameOptions::*flag = nullptr;
  int RenameOptions::*choice = nullptr;
  bool flagWhenMissing = false;
  bool (*inRange)(int) = nullptr;
  std::optional<int> choiceWhenMissing = std::nullopt;  // otherwise a missing choice is kept
};

PresetField Text(QStringView key, QString RenameOptions::*member) {
  return {.key = key, .text = member};
}
PresetField Flag(QStringView key, bool RenameOptions::*member, bool whenMissing = false) {
  return {.key = key, .flag = member, .flagWhenMissing = whenMissing};
}
PresetField Choice(QStringView key, int RenameOptions::*member, bool (*inRange)(int),
                   std::optional<int> whenMissing = std::nullopt) {
  return {.key = key, .choice = member, .inRange = inRange, .choiceWhenMissing = whenMissing};
}

bool IsCaseMode(int v) { return SelectedCaseMode(v).has_value(); }
bool IsConflictMode(int v) { return SelectedConflictMode(v).has_value(); }
bool IsBatchMode(int v) { return SelectedBatchMode(v).has_value(); }
bool IsExtCaseMode(int v) { return SelectedExtCaseMode(v).has_value(); }

// The fields in file order.
const PresetField kFields[] = {
    Text(u"find", &RenameOptions::find),
    Text(u"replace", &RenameOptions::replace),
    Flag(u"regex", &RenameOptions::regex),
    Text(u"pattern", &RenameOptions::pattern),
    Text(u"counterStart", &RenameOptions::counterStart),
    Text(u"digits", &RenameOptions::digits),
    Choice(u"case", &RenameOptions::caseMode, IsCaseMode),
    Flag(u"changeExt", &RenameOptions::changeExt, /*whenMissing=*/true),
    Text(u"newExt", &RenameOptions::newExt),
    Choice(u"conflict", &RenameOptions::conflict, IsConflictMode),
    Text(u"insertText", &RenameOptions::insertText),
    Text(u"insertPos", &RenameOptions::insertPos),
    Text(u"removeFirst", &RenameOptions::removeFirst),
    Text(u"removeLast", &RenameOptions::removeLast),
    Text(u"removeFromPos", &RenameOptions::removeFromPos),
    Text(u"removeTillPos", &RenameOptions::removeTillPos),
    Text(u"charactersToRemove", &RenameOptions::charactersToRemove),
    Flag(u"collapseDoubleSpaces", &RenameOptions::collapseDoubleSpaces),
    Text(u"cropBefore", &RenameOptions::cropBefore),
    Text(u"cropAfter", &RenameOptions::cropAfter),
    Text(u"padNumbers", &RenameOptions::padNumbers),
    Flag(u"includeSubfolders", &RenameOptions::includeSubfolders),
    Choice(u"batchMode", &RenameOptions::batchMode, IsBatchMode),
    Text(u"destination", &RenameOptions::destination),
    Flag(u"touchModifiedNow", &RenameOptions::touchModifiedNow),
    // Files saved before this key existed kept every extension as it was.
    Choice(u"extCase", &RenameOptions::extCase, IsExtCaseMode,
           /*whenMissing=*/static_cast<int>(ExtCaseMode::Unchanged)),
};

// The numeric fields are escaped like every other text: for the digits their
// boxes normally hold this changes nothing, and a quote or backslash typed on
// the command line or loaded from a hand-made file then survives a save
// instead of ending the value early or spilling into other keys.
QString ValueText(const PresetField& field, const RenameOptions& o) {
  if (field.text) return u'"' + EscapePresetString(o.*field.text) + u'"';
  if (field.flag) return o.*field.flag ? QStringLiteral("true") : QStringLiteral("false");
  return QString::number(o.*field.choice);
}

void Apply(const PresetField& field, const std::optional<QString>& value, RenameOptions& o) {
  if (field.text) {
    if (value) o.*field.text = *value;
  } else if (field.flag) {
    o.*field.flag = value ? EqualIgnoringAsciiCase(*value, u"true") : field.flagWhenMissing;
  } else if (value) {
    const int32_t selected = ReadWholeNumber(*value, o.*field.choice);
    o.*field.choice = field.inRange(selected) ? selected : kNoSelection;
  } else if (field.choiceWhenMissing) {
    o.*field.choice = *field.choiceWhenMissing;
  }
}

}  // namespace

QByteArray WritePreset(const RenameOptions& options) {
  QStringList lines;
  for (const PresetField& field : kFields) {
    lines << QStringLiteral("\"%1\":%2").arg(field.key, ValueText(field, options));
  }
  const QString text = QStringLiteral("{\r\n%1\r\n}\r\n").arg(lines.join(u",\r\n"));
  return kByteOrderMark.toByteArray() + text.toUtf8();
}

namespace {

QString PresetText(QByteArrayView fileBytes) {
  if (fileBytes.startsWith(kByteOrderMark)) fileBytes = fileBytes.sliced(kByteOrderMark.size());
  return QString::fromUtf8(fileBytes);
}

}  // namespace

bool HoldsPresetKey(QByteArrayView fileBytes) {
  const QString text = PresetText(fileBytes);
  for (const PresetField& field : kFields) {
    if (FindPresetValue(text, field.key)) return true;
  }
  return false;
}

RenameOptions ReadPreset(QByteArrayView fileBytes, const RenameOptions& current) {
  const QString text = PresetText(fileBytes);
  RenameOptions result = current;
  for (const PresetField& field : kFields) Apply(field, FindPresetValue(text, field.key), result);
  return result;
}

Status SavePresetFile(const QString& path, const RenameOptions& options, FileSystem& fs) {
  return fs.WriteFileAtomically(path, WritePreset(options));
}

Result<RenameOptions> LoadPresetFile(const QString& path, const RenameOptions& current) {
  QFile file;
  if (Status opened = OpenForReading(file, path); !opened.ok()) return opened.error();
  const QByteArray content = file.readAll();
  const QByteArrayView bytes = content;
  if (file.error() != QFileDevice::NoError) return Error(file.errorString());
  if (!HoldsPresetKey(bytes)) {
    return Error(QStringLiteral(EN_TEXT("Not a preset file: %s")), {path},
                 Error::Code::kInvalidArgument);
  }
  return ReadPreset(bytes, current);
}

}  // namespace corvane
