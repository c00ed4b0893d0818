#include "cli/argument_check.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "base/english_text.h"
#include "base/format.h"
#include "cli/command_line.h"
#include "cli/command_line_options.h"
#include "i18n/translation.h"
#include "platform/file_system.h"
#include "platform/paths.h"

namespace corvane {
namespace {

bool ShapedLikeSwitch(QStringView arg) {
  if (!arg.startsWith(u'/') && !arg.startsWith(u'-')) return false;
  const qsizetype equals = arg.indexOf(u'=');
  const QStringView name = equals < 0 ? arg : arg.first(equals);
  return std::none_of(name.begin() + 1, name.end(), IsFolderDelimiter);
}

// The letters that tell a name apart: no leading "/" or "-", no dashes or
// underscores, A to Z in lower case.
QString Bare(QStringView name) {
  while (name.startsWith(u'/') || name.startsWith(u'-')) name = name.mid(1);
  QString bare;
  bare.reserve(name.size());
  for (QChar c : name) {
    if (c == u'-' || c == u'_') continue;
    bare.append(c >= u'A' && c <= u'Z' ? QChar(c.unicode() + (u'a' - u'A')) : c);
  }
  return bare;
}

// Edits from `a` to `b`, each inserted, deleted or changed character and each
// swap of two neighbours counting one.
int EditDistance(QStringView a, QStringView b) {
  const qsizetype n = a.size();
  const qsizetype m = b.size();
  std::vector<int> d(size_t((n + 1) * (m + 1)));
  const auto at = [&](qsizetype i, qsizetype j) -> int& { return d[size_t(i * (m + 1) + j)]; };
  for (qsizetype i = 0; i <= n; ++i) at(i, 0) = int(i);
  for (qsizetype j = 0; j <= m; ++j) at(0, j) = int(j);
  for (qsizetype i = 1; i <= n; ++i) {
    for (qsizetype j = 1; j <= m; ++j) {
      const int change = a[i - 1] == b[j - 1] ? 0 : 1;
      int best = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + change});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
        best = std::min(best, at(i - 2, j - 2) + 1);
      }
      at(i, j) = best;
    }
  }
  return at(n, m);
}

int AllowedEdits(QStringView name) { return name.size() <= 4 ? 1 : 2; }

// Through the platform layer, which reaches a name that is not UTF-8 by its
// own bytes; links are followed, as adding the path will follow them.
bool Exists(const QString& path, FileSystem& fs) {
  return fs.FileExists(path) || fs.FolderExists(path);
}

bool GivesBadSortValue(const QString& arg) {
  const std::optional<QString> sort = FindSwitchValue(QStringList{arg}, kKeySort);
  return sort && !ListOrderFromText(*sort);
}

}  // namespace

std::optional<ArgumentFault> FindArgumentFault(const QStringList& args,
                                               const QString& currentFolder, FileSystem& fs) {
  for (const QString& arg : args) {
    if (GivesBadSortValue(arg)) return ArgumentFault{ArgumentFault::Kind::kBadValue, arg, {}};
    if (IsCommandLineName(arg)) continue;
    // A file called "--dryrun" is still a file.
    if (!arg.isEmpty() && Exists(AbsoluteFrom(currentFolder, arg), fs)) continue;
    if (ShapedLikeSwitch(arg)) {
      return ArgumentFault{ArgumentFault::Kind::kUnknownSwitch, arg, SuggestedName(arg)};
    }
    return ArgumentFault{ArgumentFault::Kind::kFileNotFound, arg, std::nullopt};
  }
  return std::nullopt;
}

std::optional<QString> SuggestedName(QStringView arg) {
  const qsizetype equals = arg.indexOf(u'=');
  const QString typed = Bare(equals < 0 ? arg : arg.first(equals));
  if (typed.isEmpty()) return std::nullopt;
  std::optional<QString> best;
  int bestEdits = 0;
  const auto consider = [&](QStringView name, bool isKey) {
    const int allowed = AllowedEdits(name);
    // Lengths that far apart cannot come closer; a long argument costs nothing.
    if (std::abs(typed.size() - name.size()) > allowed) return;
    const int edits = EditDistance(typed, name);
    if (edits > allowed || (best && edits >= bestEdits)) return;
    best = u'/' + name.toString();
    if (isKey) best->append(u'=');
    bestEdits = edits;
  };
  for (QStringView name : kSwitches) consider(name, false);
  for (QStringView key : kKeys) consider(key, true);
  return best;
}

QStringList FaultLines(const ArgumentFault& fault) {
  if (fault.kind == ArgumentFault::Kind::kFileNotFound) {
    return {FormatText(Translate(QStringLiteral(EN_TEXT("File not found: %s"))), {fault.argument})};
  }
  if (fault.kind == ArgumentFault::Kind::kBadValue) {
    return {FormatText(
        Translate(QStringLiteral(EN_TEXT("%s takes name, modified, taken or size, not: %s"))),
        {QStringLiteral("/sort"), *FindSwitchValue(QStringList{fault.argument}, kKeySort)})};
  }
  QStringList lines{
      FormatText(Translate(QStringLiteral(EN_TEXT("Unknown switch: %s"))), {fault.argument})};
  if (fault.suggestion) {
    lines << FormatText(Translate(QStringLiteral(EN_TEXT("Did you mean %s?"))),
                        {*fault.suggestion});
  }
  return lines;
}

}  // namespace corvane
