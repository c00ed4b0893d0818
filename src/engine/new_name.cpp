#include "engine/new_name.h"

#include "engine/date_format.h"
#include "engine/letter_case.h"
#include "engine/name_edits.h"
#include "engine/whole_number.h"
#include "platform/paths.h"

#include <utility>

namespace corvane {
namespace {

bool EqualsKeyword(QStringView text, QStringView keyword) {
  for (qsizetype i = 0; i < keyword.size(); ++i) {
    char16_t c = text[i].unicode();
    if (c >= u'A' && c <= u'Z') c += 32;
    if (c != keyword[i].unicode()) return false;
  }
  return true;
}

// The next occurrence of `keyword` (written in lower case) at or after `from`,
// letters A to Z matched without regard to case; -1 when there is none.
qsizetype FindKeyword(QStringView text, QStringView keyword, qsizetype from) {
  while (true) {
    from = text.indexOf(u'{', from);
    if (from < 0 || text.size() - from < keyword.size()) return -1;
    if (EqualsKeyword(text.mid(from, keyword.size()), keyword)) return from;
    ++from;
  }
}

// Replaces every occurrence of `keyword`, left to right and without overlap,
// by `value()`, which is called once and only when the keyword occurs. The
// inserted text is not searched again.
template <typename Value>
void ReplaceKeyword(QString& text, QStringView keyword, Value&& value) {
  qsizetype at = FindKeyword(text, keyword, 0);
  if (at < 0) return;
  const QString replacement = value();
  QString result;
  result.reserve(text.size() + replacement.size());
  qsizetype copied = 0;
  for (; at >= 0; at = FindKeyword(text, keyword, copied)) {
    result += QStringView(text).mid(copied, at - copied);
    result += replacement;
    copied = at + keyword.size();
  }
  result += QStringView(text).mid(copied);
  text = std::move(result);
}

QString ExtensionWord(const QString& ext) {
  return ext.startsWith(u'.') ? ext.mid(1) : ext;
}

// The last component of the file's folder; empty for a file in a root.
QString ParentFolderName(const QString& path) {
  QString folder = FolderPart(path);
  while (!folder.isEmpty() && IsFolderDelimiter(folder.back())) folder.chop(1);
  return FileNamePart(folder);
}

// An item time that was never read counts as the zero time, as it does for
// {created:FMT} and {modified:FMT}.
QDateTime ItemTime(const QDateTime& utc) { return utc.isValid() ? utc : ZeroTime(); }

QString NewExtension(const QString& newExt) {
  QString extension = TrimControl(newExt);
  if (!extension.isEmpty() && !extension.startsWith(u'.')) extension.prepend(u'.');
  return extension;
}

}  // namespace

Result<NewNameBuilder> NewNameBuilder::Create(const RenameOptions& options,
                                              const EngineContext& context) {
  Result<FindReplace> findReplace = FindReplace::Create(options, context.caseLocale);
  if (!findReplace.ok()) return findReplace.error();
  return NewNameBuilder(options, context, std::move(findReplace).value());
}

NewNameBuilder::NewNameBuilder(const RenameOptions& options, const EngineContext& context,
                               FindReplace findReplace)
    : options_(options),
      context_(context),
      keywords_(context),
      findReplace_(std::move(findReplace)),
      newExtension_(NewExtension(options.newExt)) {}

QString NewNameBuilder::Compute(const TRenameItem& item, const QString& counterText) const {
  QString text = keywords_.Expand(options_.pattern, item);
  ExpandPlainKeywords(text, item, counterText);
  findReplace_.Apply(text);
  text = ApplyLetterCase(text, options_.caseMode, context_.caseLocale);
  text += options_.changeExt ? newExtension_ : item.Ext;
  ReplaceForbiddenCharacters(text);
  return text;
}

// Every value is made only when its keyword occurs; the base name and the
// folder name have no side effects, and the clock is read at the moment its
// keyword is replaced.
void NewNameBuilder::ExpandPlainKeywords(QString& text, const TRenameItem& item,
                                         const QString& counterText) const {
  if (!text.contains(u'{')) return;
  ReplaceKeyword(text, u"{name}", [&] { return ApplyNameEdits(item.OriginalName, options_); });
  ReplaceKeyword(text, u"{list}", [] { return QString(); });
  ReplaceKeyword(text, u"{ext}", [&] { return ExtensionWord(item.Ext); });
  ReplaceKeyword(text, u"{counter}", [&] { return counterText; });
  ReplaceKeyword(text, u"{date}", [&] { return LocalDate(context_.nowUtc()); });
  ReplaceKeyword(text, u"{time}", [&] {
    return FormatMoment(u"hhnnss", ToLocalTime(context_.nowUtc(), context_.timeZone),
                        context_.regional);
  });
  ReplaceKeyword(text, u"{created}", [&] { return LocalDate(ItemTime(item.CreatedUtc)); });
  ReplaceKeyword(text, u"{modified}", [&] { return LocalDate(ItemTime(item.ModifiedUtc)); });
  ReplaceKeyword(text, u"{parent}", [&] { return ParentFolderName(item.OriginalPath); });
  ReplaceKeyword(text, u"{folder}", [&] { return ParentFolderName(item.OriginalPath); });
  ReplaceKeyword(text, u"{size}", [&] { return QString::number(item.Size); });
}

QString NewNameBuilder::LocalDate(const QDateTime& utc) const {
  return FormatMoment(u"yyyymmdd", ToLocalTime(utc, context_.timeZone), context_.regional);
}

Result<QString> ComputeNewName(const TRenameItem& item, const RenameOptions& options,
                               const QString& counterText, const EngineContext& context) {
  Result<NewNameBuilder> builder = NewNameBuilder::Create(options, context);
  if (!builder.ok()) return builder.error();
  return builder->Compute(item, counterText);
}

void ReplaceForbiddenCharacters(QString& text) {
  static constexpr char16_t kForbidden[] = u"<>:\"/\\|?*";
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();  // at(): reading alone must not copy the text
    if (c > u'|') continue;
    for (const char16_t* f = kForbidden; *f != 0; ++f) {
      if (c == *f) {
        text[i] = u'_';
        break;
      }
    }
  }
}

}  // namespace corvane
