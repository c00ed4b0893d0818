#include "engine/regex.h"

#include "base/english_text.h"

namespace corvane {
namespace {

PCRE2_SPTR ToPcre(QStringView text) { return reinterpret_cast<PCRE2_SPTR>(text.utf16()); }

QString CompileErrorText(int code) {
  PCRE2_UCHAR buffer[256];
  const int length = pcre2_get_error_message(code, buffer, std::size(buffer));
  if (length < 0) return QStringLiteral("unknown error %1").arg(code);
  return QString::fromUtf16(reinterpret_cast<const char16_t*>(buffer), length);
}

}  // namespace

Result<Regex> Regex::Compile(QStringView pattern, uint32_t flags) {
  using Context = std::unique_ptr<pcre2_compile_context, void (*)(pcre2_compile_context*)>;
  Context context(pcre2_compile_context_create(nullptr), pcre2_compile_context_free);
  pcre2_set_newline(context.get(), PCRE2_NEWLINE_ANY);

  int errorCode = 0;
  PCRE2_SIZE errorOffset = 0;
  pcre2_code* code =
      pcre2_compile(ToPcre(pattern), pattern.size(), flags | PCRE2_UTF | PCRE2_MATCH_INVALID_UTF,
                    &errorCode, &errorOffset, context.get());
  if (code == nullptr) {
    return Error(QString::fromUtf16(EN_TEXT("Error in regular expression at offset %d: %s")),
                 {QString::number(errorOffset), CompileErrorText(errorCode)}, Error::Code::kRegex);
  }
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);  // an interpreter fallback is fine if JIT is absent
  return Regex(std::shared_ptr<pcre2_code>(code, pcre2_code_free));
}

Regex::Regex(std::shared_ptr<pcre2_code> code) : code_(std::move(code)) {
  uint32_t count = 0;
  pcre2_pattern_info(code_.get(), PCRE2_INFO_CAPTURECOUNT, &count);
  captureCount_ = static_cast<int>(count);
  size_t jitSize = 0;
  pcre2_pattern_info(code_.get(), PCRE2_INFO_JITSIZE, &jitSize);
  jit_ = jitSize > 0;
}

Regex::Found Regex::Search(QStringView subject, qsizetype start, uint32_t flags,
                           RegexMatch& match) const {
  match.pairs_ = 0;
  if (start > subject.size()) return Found::kNoMatch;
  // The direct JIT call skips pcre2_match's checks of its arguments; the test
  // above, the compile options and a subject that is never a null pointer
  // stand in for them. Match options the machine code cannot handle make it
  // answer PCRE2_ERROR_JIT_BADOPTION, and the interpreter takes over.
  // pcre2_jit_match does not look at PCRE2_NO_JIT, so that option skips it.
  static constexpr char16_t kEmpty[1] = {0};
  const PCRE2_SPTR units = subject.isNull() ? ToPcre(kEmpty) : ToPcre(subject);
  int rc = PCRE2_ERROR_JIT_BADOPTION;
  if (jit_ && (flags & PCRE2_NO_JIT) == 0) {
    rc = pcre2_jit_match(code_.get(), units, subject.size(), start, flags, match.data_.get(),
                         limits_.get());
  }
  if (rc == PCRE2_ERROR_JIT_BADOPTION) {
    rc = pcre2_match(code_.get(), units, subject.size(), start, flags, match.data_.get(),
                     limits_.get());
  }
  if (rc == PCRE2_ERROR_NOMATCH) return Found::kNoMatch;
  // The subject, the offsets and the options are valid, so any other error is
  // a resource that ran out. (0 cannot come: the match data fits every group.)
  if (rc <= 0) return Found::kGaveUp;
  match.pairs_ = rc;
  return Found::kMatch;
}

void Regex::SetLimits(const Limits& limits) {
  limits_.reset(pcre2_match_context_create(nullptr), pcre2_match_context_free);
  if (limits.match != 0) pcre2_set_match_limit(limits_.get(), limits.match);
  if (limits.depth != 0) pcre2_set_depth_limit(limits_.get(), limits.depth);
  if (limits.heapKiB != 0) pcre2_set_heap_limit(limits_.get(), limits.heapKiB);
}

int Regex::GroupNumber(QStringView name) const {
  // PCRE2 wants a zero-terminated name.
  const QString terminated = name.toString();
  const int number = pcre2_substring_number_from_name(code_.get(), ToPcre(terminated));
  return number > 0 ? number : -1;
}

RegexMatch::RegexMatch(const Regex& regex)
    : data_(pcre2_match_data_create_from_pattern(regex.code_.get(), nullptr),
            pcre2_match_data_free),
      ovector_(pcre2_get_ovector_pointer(data_.get())) {}

int RegexMatch::HighestSetGroup() const {
  for (int group = pairs_ - 1; group > 0; --group) {
    if (IsSet(group)) return group;
  }
  return 0;
}

}  // namespace corvane
