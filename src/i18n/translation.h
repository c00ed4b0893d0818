// The program-wide translation lookup.
//
// Every user-visible English text passes through Translate just before it is
// shown: callers look up the unformatted text (placeholders "%s", "%d" still in
// it) and format the result. Translate never fails and returns its input
// unchanged until a catalogue has been loaded, while English is current, and
// for any text the catalogue does not translate.
//
// Everything here runs on the one user-interface thread.
#pragma once

#include <QString>

namespace corvane {

// The text in the current language, or `english` itself.
QString Translate(const QString& english);

}  // namespace corvane
