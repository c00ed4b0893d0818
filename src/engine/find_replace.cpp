#include "engine/find_replace.h"

namespace corvane {
namespace {

// A file name has at most a few hundred characters. Replacements that insert
// the whole text ($_) double it at every match, so a short name with many
// matches could otherwise grow past any memory; a text this long is no usable
// name anyway (the batch reports the file system's refusal), so the remaining
// matches are left as they are.
constexpr qsizetype kLongestUsefulText = 1 << 16;

}  // namespace

Result<FindReplace> FindReplace::Create(const RenameOptions& options, const QLocale& caseLocale) {
  FindReplace step;
  step.find_ = options.find;
  step.replace_ = options.replace;
  if (options.find.isEmpty() || !options.regex) return step;

  Result<Regex> regex = Regex::Compile(options.find);
  if (!regex.ok()) return regex.error();
  step.replacement_ = Replacement::Parse(options.replace, *regex, caseLocale);
  step.match_ = std::make_unique<RegexMatch>(*regex);
  step.regex_ = std::move(regex).value();
  return step;
}

bool FindReplace::Apply(QString& text) const {
  if (find_.isEmpty()) return true;
  if (regex_.has_value()) return ApplyExpression(text);
  text.replace(find_, replace_, Qt::CaseSensitive);
  return true;
}

bool FindReplace::ApplyExpression(QString& text) const {
  RegexMatch& match = *match_;
  QString& expansion = expansion_;
  qsizetype from = 0;
  while (from <= text.size()) {
    const Regex::Found found = regex_->Search(text, from, PCRE2_NOTEMPTY, match);
    if (found == Regex::Found::kNoMatch) break;
    if (found == Regex::Found::kGaveUp) return false;
    expansion.clear();
    replacement_->AppendExpansion(expansion, text, match);
    const qsizetype start = match.Start(0);
    text.replace(start, match.End(0) - start, expansion);
    from = start + expansion.size();
    if (text.size() > kLongestUsefulText) break;
  }
  return true;
}

}  // namespace corvane
