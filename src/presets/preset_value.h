// The text rules of the preset file: how a value is escaped when written, and
// how one key's value is found again in a whole file.
//
// The reader is a key search, not a JSON parser: each key is looked up in the
// whole text on its own, so order, nesting, commas and braces do not matter,
// and a file that is not a preset simply has no values.
#pragma once

#include <QString>
#include <QStringView>

#include <optional>

namespace corvane {

// `text` with a backslash before every backslash and every double quote;
// nothing else is escaped (tabs, control and non-ASCII characters stay as they are).
QString EscapePresetString(QStringView text);

// The value of `key` in `text`, or nullopt when the key is missing.
//
// The first `"key":` anywhere in `text` counts (case-sensitive, nothing
// between the quote and the colon). After it, characters U+0000 to U+0020 are
// skipped. A value that starts with a double quote runs to the first quote not
// escaped by a backslash and is un-escaped: `\\` gives `\`, `\"` gives `"`,
// and a backslash before any other character stays. Without a closing quote
// the key is missing. Any other value is bare: it runs to the first comma,
// closing brace, CR or LF (or the end) and loses its characters U+0000 to
// U+0020 at both ends.
std::optional<QString> FindPresetValue(QStringView text, QStringView key);

}  // namespace corvane
