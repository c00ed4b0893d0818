// The preset file: every field of a RenameOptions as a small JSON-like text,
// and saving and loading such a file.
//
// WritePreset makes the whole file: a UTF-8 byte-order mark, then "{", one
// line per field in the order of RenameOptions (`"key":value`, a comma after
// every field but the last, no spaces), then "}", each line ending in CR LF.
// Texts are written as escaped strings, the check boxes as true or false and
// the choices as bare numbers (-1 for no selection).
//
// ReadPreset starts from `current` and changes what the file says: a text key
// found sets its field (an empty value empties it), a missing one keeps it; a
// check box is on only for the value "true" in any letter case, and a missing
// one is off, except changeExt, which a missing key turns on; a choice is read
// with ReadWholeNumber, the current value being the default, and a number
// outside its list means no selection (kNoSelection); a missing choice keeps
// its current value, except extCase, which a missing key sets to Unchanged.
// Damaged or foreign files are never an error: their keys just count as
// missing.
//
// SavePresetFile writes through `fs` (FileSystem::WriteFileAtomically): an
// existing file is replaced only once the new one is complete, so a failed
// save leaves no half-written preset. LoadPresetFile reads the
// whole file before applying anything. Both report the system's error text.
// A file in which not one key has a value is not a preset at all (a picture,
// a text chosen by mistake): LoadPresetFile refuses it with "Not a preset
// file: %s" rather than apply the fallbacks of 26 missing keys to the options.
#pragma once

#include "base/error.h"
#include "engine/rename_options.h"
#include "platform/file_system.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace corvane {

QByteArray WritePreset(const RenameOptions& options);
RenameOptions ReadPreset(QByteArrayView fileBytes, const RenameOptions& current);
// Whether at least one key of the file has a value.
bool HoldsPresetKey(QByteArrayView fileBytes);

Status SavePresetFile(const QString& path, const RenameOptions& options, FileSystem& fs);
Result<RenameOptions> LoadPresetFile(const QString& path, const RenameOptions& current);

}  // namespace corvane
