#include "platform/paths.h"

#include <cstdint>
#include <cstring>

namespace corvane {
namespace {

char16_t FoldAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? char16_t(c + 32) : c; }

}  // namespace

bool IsFolderDelimiter(QChar c) {
#ifdef Q_OS_WIN
  return c == u'\\' || c == u'/' || c == u':';
#else
  return c == u'/';
#endif
}

static qsizetype LastDelimiter(QStringView path) {
  for (qsizetype i = path.size() - 1; i >= 0; --i) {
    if (IsFolderDelimiter(path[i])) return i;
  }
  return -1;
}

QStringView FileNameView(QStringView path) { return path.mid(LastDelimiter(path) + 1); }

QString FileNamePart(QStringView path) { return FileNameView(path).toString(); }

QStringView FolderView(QStringView path) { return path.left(LastDelimiter(path) + 1); }

QString FolderPart(QStringView path) { return FolderView(path).toString(); }

QString JoinPath(QStringView folder, QStringView name) {
  const bool separate = !folder.isEmpty() && !IsFolderDelimiter(folder.back());
  QString path;
  path.reserve(folder.size() + (separate ? 1 : 0) + name.size());
  path.append(folder);
  if (separate) path.append(kPathSeparator);
  path.append(name);
  return path;
}

bool EqualIgnoringAsciiCase(QStringView a, QStringView b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i) {
    if (FoldAscii(a[i].unicode()) != FoldAscii(b[i].unicode())) return false;
  }
  return true;
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
