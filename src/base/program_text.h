// ProgramText: one of the program's English texts with the values of its
// placeholders, as logic hands it to whoever shows it. The shower looks the
// text up in the user's language first and fills in the values afterwards.
#pragma once

#include <QString>
#include <QStringList>

#include "base/format.h"

namespace corvane {

struct ProgramText {
  QString text;      // English, unformatted ("%s", "%d" still in it)
  QStringList args;  // the values of its placeholders, in order

  bool isEmpty() const { return text.isEmpty(); }
  // The English text with its values filled in; a text without values as it stands.
  QString English() const { return args.isEmpty() ? text : FormatText(text, args); }

  friend bool operator==(const ProgramText&, const ProgramText&) = default;
};

}  // namespace corvane
