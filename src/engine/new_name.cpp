#include "engine/new_name.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

#include "base/english_text.h"
#include "engine/date_format.h"
#include "engine/letter_case.h"
#include "engine/whole_number.h"
#include "platform/paths.h"

namespace corvane {
namespace {

// The plain keywords in the order in which they are replaced.
enum PlainKeyword {
  kName,
  kList,
  kExt,
  kCounter,
  kDate,
  kTime,
  kCreated,
  kModified,
  kTaken,
  kParent,
  kFolder,
  kSize,
  kPlainKeywordCount
};
constexpr QStringView kPlainKeywords[kPlainKeywordCount] = {
    u"{name}",    u"{list}",     u"{ext}",   u"{counter}", u"{date}",   u"{time}",
    u"{created}", u"{modified}", u"{taken}", u"{parent}",  u"{folder}", u"{size}"};
constexpr qsizetype kShortestKeyword = 5;  // {ext}
constexpr qsizetype kRoomToGrow = 16;

// Whether `text` starts with `keyword` (written in lower case), the letters
// A to Z compared without regard to case.
bool StartsWithKeyword(QStringView text, QStringView keyword) {
  if (text.size() < keyword.size()) return false;
  for (qsizetype i = 0; i < keyword.size(); ++i) {
    char16_t c = text[i].unicode();
    if (c >= u'A' && c <= u'Z') c += 32;
    if (c != keyword[i].unicode()) return false;
  }
  return true;
}

// The keywords that may start at a brace followed by `c`: a bit set.
uint32_t CandidatesAfterBrace(char16_t c) {
  switch (c | 0x20) {  // the letters A to Z in lower case; no keyword starts otherwise
    case u'n':
      return 1u << kName;
    case u'l':
      return 1u << kList;
    case u'e':
      return 1u << kExt;
    case u'c':
      return (1u << kCounter) | (1u << kCreated);
    case u'd':
      return 1u << kDate;
    case u't':
      return (1u << kTime) | (1u << kTaken);
    case u'm':
      return 1u << kModified;
    case u'p':
      return 1u << kParent;
    case u'f':
      return 1u << kFolder;
    case u's':
      return 1u << kSize;
    default:
      return 0;
  }
}

// The plain keyword that starts at the brace at `at`, or -1.
int KeywordAt(QStringView text, qsizetype at) {
  if (at + kShortestKeyword > text.size()) return -1;
  for (uint32_t candidates = CandidatesAfterBrace(text[at + 1].unicode()); candidates != 0;
       candidates &= candidates - 1) {
    const int k = std::countr_zero(candidates);
    if (StartsWithKeyword(text.sliced(at), kPlainKeywords[k])) return k;
  }
  return -1;
}

// Where the plain keywords of a text stand. Up to kListed occurrences are
// listed, enough for any pattern a person types.
struct KeywordScan {
  static constexpr int kListed = 16;
  struct Occurrence {
    qsizetype at;
    int keyword;
  };
  uint32_t present = 0;             // one bit per plain keyword that occurs
  bool everyBraceStartsOne = true;  // no brace of the text stands outside a keyword
  int count = 0;                    // occurrences, listed or not
  Occurrence listed[kListed];
};

KeywordScan ScanPlainKeywords(QStringView text) {
  // Names are short: a plain loop beats a library search call per brace.
  const char16_t* units = text.utf16();
  KeywordScan scan;
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (units[i] != u'{') continue;
    const int k = KeywordAt(text, i);
    if (k < 0) {
      scan.everyBraceStartsOne = false;
      continue;
    }
    scan.present |= 1u << k;
    if (scan.count < KeywordScan::kListed) scan.listed[scan.count] = {i, k};
    ++scan.count;
    i += kPlainKeywords[k].size() - 1;
  }
  return scan;
}

// Replaces the listed occurrences by their values in `values`, in one pass.
void ReplaceListedKeywords(QString& text, const KeywordScan& scan,
                           const QString (&values)[kPlainKeywordCount]) {
  qsizetype size = text.size();
  for (int i = 0; i < scan.count; ++i) {
    const int k = scan.listed[i].keyword;
    size += values[k].size() - kPlainKeywords[k].size();
  }
  // Room to spare, so that find and replace and the extension can grow the
  // text in place.
  QString result;
  result.reserve(size + kRoomToGrow);
  result.resize(size);
  const QChar* in = text.constData();
  QChar* out = result.data();
  qsizetype copied = 0;
  for (int i = 0; i < scan.count; ++i) {
    const auto [at, k] = scan.listed[i];
    out = std::copy(in + copied, in + at, out);
    out = std::copy(values[k].cbegin(), values[k].cend(), out);
    copied = at + kPlainKeywords[k].size();
  }
  std::copy(in + copied, in + text.size(), out);
  text = std::move(result);
}

// Replaces every occurrence of `keyword`, left to right and without overlap,
// by `value`. The inserted text is not searched again.
void ReplaceKeyword(QString& text, QStringView keyword, const QString& value) {
  const QStringView view(text);
  QString result;
  result.reserve(text.size() + value.size());
  qsizetype copied = 0;
  for (qsizetype at = 0; at + keyword.size() <= view.size();) {
    if (view[at] != u'{' || !StartsWithKeyword(view.mid(at), keyword)) {
      ++at;
      continue;
    }
    result += view.mid(copied, at - copied);
    result += value;
    at += keyword.size();
    copied = at;
  }
  result += view.mid(copied);
  text = std::move(result);
}

QString ExtensionWord(const QString& ext) { return ext.startsWith(u'.') ? ext.mid(1) : ext; }

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
      localTime_(context.timeZone),
      nameEdits_(options),
      keywords_(context),
      patternMayChange_(KeywordExpander::MayChange(options.pattern)),
      findReplace_(std::move(findReplace)),
      newExtension_(NewExtension(options.newExt)) {}

Result<QString> NewNameBuilder::Compute(const TRenameItem& item, const QString& counterText) const {
  QString text = patternMayChange_ ? keywords_.Expand(options_.pattern, item) : options_.pattern;
  ExpandPlainKeywords(text, item, counterText);
  if (!findReplace_.Apply(text)) {
    return Error(QStringLiteral(EN_TEXT("Regular expression too complex for %s")),
                 {item.OriginalPath}, Error::Code::kRegex);
  }
  text = ApplyLetterCase(std::move(text), options_.caseMode, context_.caseLocale);
  text += ApplyExtensionCase(options_.changeExt ? newExtension_ : item.Ext, options_.extCase,
                             context_.caseLocale);
  ReplaceForbiddenCharacters(text);
  return text;
}

// A keyword's value is made only when the keyword occurs, in keyword order:
// the clock is read once for each of {date} and {time}. Text inserted for one
// keyword, and text around it, can form a later keyword; that needs a brace
// that starts no keyword, in the text or in a value. Without one, every
// keyword is replaced in a single pass; otherwise one keyword after the other,
// with the text looked over again after every replacement.
void NewNameBuilder::ExpandPlainKeywords(QString& text, const TRenameItem& item,
                                         const QString& counterText) const {
  const KeywordScan scan = ScanPlainKeywords(text);
  if (scan.present == 0) return;
  QString values[kPlainKeywordCount];
  bool valueHoldsBrace = false;
  for (uint32_t rest = scan.present; rest != 0; rest &= rest - 1) {
    const int k = std::countr_zero(rest);
    values[k] = PlainKeywordValue(k, item, counterText);
    valueHoldsBrace = valueHoldsBrace || values[k].contains(u'{');
  }
  if (scan.everyBraceStartsOne && !valueHoldsBrace && scan.count <= KeywordScan::kListed) {
    ReplaceListedKeywords(text, scan, values);
    return;
  }

  uint32_t made = scan.present;
  uint32_t present = scan.present;
  for (int k = 0; k < kPlainKeywordCount && (present >> k) != 0; ++k) {
    if ((present & (1u << k)) == 0) continue;
    if ((made & (1u << k)) == 0) values[k] = PlainKeywordValue(k, item, counterText);
    made |= 1u << k;
    ReplaceKeyword(text, kPlainKeywords[k], values[k]);
    present = ScanPlainKeywords(text).present;
  }
}

QString NewNameBuilder::PlainKeywordValue(int keyword, const TRenameItem& item,
                                          const QString& counterText) const {
  switch (keyword) {
    case kName:
      return nameEdits_.Apply(item.OriginalName);
    case kExt:
      return ExtensionWord(item.Ext);
    case kCounter:
      return counterText;
    case kDate:
      return LocalDate(context_.nowUtc());
    case kTime:
      return MomentText(u"hhnnss", context_.nowUtc());
    case kCreated:
      usedSizesOrTimes_ = true;
      return LocalDate(ItemTime(item.CreatedUtc));
    case kModified:
      usedSizesOrTimes_ = true;
      return LocalDate(ItemTime(item.ModifiedUtc));
    case kTaken:
      return MomentText(u"yyyymmdd", keywords_.TakenOrModified(item));
    case kParent:
    case kFolder:
      return ParentFolderName(item.OriginalPath);
    case kSize:
      usedSizesOrTimes_ = true;
      return QString::number(item.Size);
    default:  // kList
      return QString();
  }
}

QString NewNameBuilder::LocalDate(const QDateTime& utc) const {
  return MomentText(u"yyyymmdd", utc);
}

QString NewNameBuilder::MomentText(QStringView format, const QDateTime& utc) const {
  return MomentText(format, localTime_.ToLocal(utc));
}

QString NewNameBuilder::MomentText(QStringView format, const LocalMoment& moment) const {
  QString text;
  AppendMoment(text, format, moment, context_.regional);
  return text;
}

Result<QString> ComputeNewName(const TRenameItem& item, const RenameOptions& options,
                               const QString& counterText, const EngineContext& context) {
  Result<NewNameBuilder> builder = NewNameBuilder::Create(options, context);
  if (!builder.ok()) return builder.error();
  return builder->Compute(item, counterText);
}

void ReplaceForbiddenCharacters(QString& text) {
  // " * / : < > ? as bits of the code units below 64, then \ and |.
  constexpr uint64_t kBelow64 = (1ull << u'"') | (1ull << u'*') | (1ull << u'/') | (1ull << u':') |
                                (1ull << u'<') | (1ull << u'>') | (1ull << u'?');
  const auto forbidden = [](QChar c) {
    const char16_t u = c.unicode();
    return u < 64 ? ((kBelow64 >> u) & 1) != 0 : (u == u'\\' || u == u'|');
  };
  const QStringView view(text);  // read without making the text unshared
  const qsizetype first = std::find_if(view.begin(), view.end(), forbidden) - view.begin();
  for (qsizetype i = first; i < text.size(); ++i) {
    if (forbidden(text.at(i))) text[i] = u'_';
  }
}

}  // namespace corvane
