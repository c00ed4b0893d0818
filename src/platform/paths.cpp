#include "platform/paths.h"

#include <QDir>
#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace corvane {
namespace {

enum class Rule { kWindows, kPosix };
#ifdef Q_OS_WIN
constexpr Rule kThisPlatform = Rule::kWindows;
#else
constexpr Rule kThisPlatform = Rule::kPosix;
#endif

bool IsSeparatorWindowsRule(QChar c) { return c == u'\\' || c == u'/'; }

template <Rule rule>
bool IsDelimiterOf(QChar c) {
  if constexpr (rule == Rule::kWindows) return IsSeparatorWindowsRule(c) || c == u':';
  return c == u'/';
}

// Eight units a step from the end (GCC's and Clang's vector extension, one
// SSE2 register on x86-64): a batch splits several paths for every file.
template <Rule rule>
qsizetype LastDelimiter(QStringView path) {
  using Lanes = uint16_t __attribute__((vector_size(16)));
  constexpr qsizetype kLanes = sizeof(Lanes) / sizeof(char16_t);
  const char16_t* units = path.utf16();
  qsizetype end = path.size();
  for (; end >= kLanes; end -= kLanes) {
    Lanes lanes;
    std::memcpy(&lanes, units + end - kLanes, sizeof lanes);
    Lanes hit = lanes == u'/';
    if constexpr (rule == Rule::kWindows) hit |= (lanes == u'\\') | (lanes == u':');
    uint64_t halves[2];  // lane 0 in the low bits of halves[0]
    std::memcpy(halves, &hit, sizeof hit);
    const qsizetype first = end - kLanes;
    if (halves[1] != 0) return first + 4 + (63 - std::countl_zero(halves[1])) / 16;
    if (halves[0] != 0) return first + (63 - std::countl_zero(halves[0])) / 16;
  }
  for (qsizetype i = end - 1; i >= 0; --i) {
    if (IsDelimiterOf<rule>(path[i])) return i;
  }
  return -1;
}

bool IsAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

// The last component of `folder` after its root, separators at its end
// passed over.
template <Rule rule>
QString LastComponent(QStringView folder) {
  while (!folder.isEmpty() && IsDelimiterOf<rule>(folder.back())) folder.chop(1);
  return folder.mid(LastDelimiter<rule>(folder) + 1).toString();
}

}  // namespace

bool IsFolderDelimiter(QChar c) { return IsDelimiterOf<kThisPlatform>(c); }

QStringView FileNameView(QStringView path) {
  return path.mid(LastDelimiter<kThisPlatform>(path) + 1);
}

QString FileNamePart(QStringView path) { return FileNameView(path).toString(); }

QStringView FolderView(QStringView path) {
  return path.left(LastDelimiter<kThisPlatform>(path) + 1);
}

QStringView FileNameViewWindowsRule(QStringView path) {
  return path.mid(LastDelimiter<Rule::kWindows>(path) + 1);
}

QStringView FolderViewWindowsRule(QStringView path) {
  return path.left(LastDelimiter<Rule::kWindows>(path) + 1);
}

qsizetype RootLengthWindowsRule(QStringView path) {
  const qsizetype n = path.size();
  // The end of the component starting at `i`, its separator included.
  const auto component = [&](qsizetype i) {
    while (i < n && !IsSeparatorWindowsRule(path[i])) ++i;
    return i < n ? i + 1 : i;
  };
  const auto drive = [&](qsizetype i) {
    return i + 1 < n && IsAsciiLetter(path[i]) && path[i + 1] == u':';
  };
  if (n >= 2 && IsSeparatorWindowsRule(path[0]) && IsSeparatorWindowsRule(path[1])) {
    if (n >= 4 && (path[2] == u'?' || path[2] == u'.') && IsSeparatorWindowsRule(path[3])) {
      if (drive(4)) return n > 6 && IsSeparatorWindowsRule(path[6]) ? 7 : 6;
      if (n >= 8 && path.mid(4, 3).compare(u"UNC", Qt::CaseInsensitive) == 0 &&
          IsSeparatorWindowsRule(path[7])) {
        return component(component(8));  // server, share
      }
      return component(4);  // a volume or device name
    }
    return component(component(2));  // server, share
  }
  if (drive(0)) return n > 2 && IsSeparatorWindowsRule(path[2]) ? 3 : 2;
  return n >= 1 && IsSeparatorWindowsRule(path[0]) ? 1 : 0;
}

QString ParentFolderNameWindowsRule(QStringView path) {
  const QStringView rest = path.mid(RootLengthWindowsRule(path));
  return LastComponent<Rule::kWindows>(rest.left(LastDelimiter<Rule::kWindows>(rest) + 1));
}

QString ParentFolderNamePosixRule(QStringView path) {
  return LastComponent<Rule::kPosix>(path.left(LastDelimiter<Rule::kPosix>(path) + 1));
}

QString ParentFolderName(QStringView path) {
  if constexpr (kThisPlatform == Rule::kWindows) return ParentFolderNameWindowsRule(path);
  return ParentFolderNamePosixRule(path);
}

QString FolderPart(QStringView path) { return FolderView(path).toString(); }

QString JoinPath(QStringView folder, QStringView name) {
  const bool separate = !folder.isEmpty() && !IsFolderDelimiter(folder.back());
  // Written in place: the batch joins a path for every file.
  QString path(folder.size() + (separate ? 1 : 0) + name.size(), Qt::Uninitialized);
  char16_t* out =
      std::copy_n(folder.utf16(), folder.size(), reinterpret_cast<char16_t*>(path.data()));
  if (separate) *out++ = kPathSeparator.unicode();
  std::copy_n(name.utf16(), name.size(), out);
  return path;
}

bool SamePathTextWindowsRule(QStringView a, QStringView b) { return EqualIgnoringAsciiCase(a, b); }

size_t PathTextHashWindowsRule(QStringView path) {
  size_t h = 1469598103934665603ull;  // FNV-1a over the folded code units
  for (QChar c : path) {
    h ^= FoldAscii(c.unicode());
    h *= 1099511628211ull;
  }
  return h;
}

bool SamePathText(QStringView a, QStringView b) {
#ifdef Q_OS_WIN
  return SamePathTextWindowsRule(a, b);
#else
  return a == b;
#endif
}

size_t PathTextHash(QStringView path) {
#ifdef Q_OS_WIN
  return PathTextHashWindowsRule(path);
#else
  // Eight bytes a step with a multiply-xorshift mix: adding a folder hashes
  // every path twice, and Qt's keyed string hash costs several times more.
  // The index spreads the result further, so this needs no more strength.
  constexpr uint64_t kMultiplier = 0xFF51AFD7ED558CCDull;
  const char* bytes = reinterpret_cast<const char*>(path.data());
  size_t left = size_t(path.size()) * sizeof(char16_t);
  uint64_t h = 0x9E3779B97F4A7C15ull ^ left;
  uint64_t word = 0;
  for (; left >= sizeof word; left -= sizeof word, bytes += sizeof word) {
    std::memcpy(&word, bytes, sizeof word);
    h = (h ^ word) * kMultiplier;
    h ^= h >> 32;
  }
  word = 0;
  if (left > 0) std::memcpy(&word, bytes, left);
  h = (h ^ word) * kMultiplier;
  return size_t(h ^ (h >> 29));
#endif
}

}  // namespace corvane

namespace corvane {

QString FoldedName(QStringView name) {
  const bool ascii =
      std::all_of(name.begin(), name.end(), [](QChar c) { return c.unicode() < 0x80; });
  if (ascii) return name.toString().toLower();
  return name.toString()
      .normalized(QString::NormalizationForm_KD)
      .toUpper()
      .toCaseFolded()
      .normalized(QString::NormalizationForm_KD);
}

QString AbsoluteFrom(const QString& currentFolder, const QString& path) {
  if (path.isEmpty() || QDir::isAbsolutePath(path)) return path;
  return JoinPath(QDir::toNativeSeparators(currentFolder), path);
}

}  // namespace corvane
