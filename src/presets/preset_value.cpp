#include "presets/preset_value.h"

#include "engine/whole_number.h"

namespace corvane {
namespace {

// `body` starts right after the opening quote.
std::optional<QString> ReadQuoted(QStringView body) {
  QString value;
  value.reserve(body.size());
  for (qsizetype i = 0; i < body.size(); ++i) {
    const QChar c = body[i];
    if (c == u'"') return value;
    if (c != u'\\') {
      value += c;
      continue;
    }
    // A backslash always takes the next character with it, so `\"` never closes the value.
    if (++i == body.size()) break;
    const QChar escaped = body[i];
    if (escaped != u'\\' && escaped != u'"') value += u'\\';
    value += escaped;
  }
  return std::nullopt;
}

QString ReadBare(QStringView text) {
  qsizetype end = 0;
  while (end < text.size()) {
    const QChar c = text[end];
    if (c == u',' || c == u'}' || c == u'\n' || c == u'\r') break;
    ++end;
  }
  return TrimControl(text.first(end));
}

}  // namespace

QString EscapePresetString(QStringView text) {
  QString out;
  out.reserve(text.size() + 8);
  for (const QChar c : text) {
    if (c == u'\\' || c == u'"') out += u'\\';
    out += c;
  }
  return out;
}

std::optional<QString> FindPresetValue(QStringView text, QStringView key) {
  const QString marker = QStringLiteral("\"%1\":").arg(key);
  const qsizetype at = text.indexOf(marker);
  if (at < 0) return std::nullopt;
  const QString rest = TrimControl(text.sliced(at + marker.size()));
  if (rest.startsWith(u'"')) return ReadQuoted(QStringView(rest).sliced(1));
  return ReadBare(rest);
}

}  // namespace corvane
