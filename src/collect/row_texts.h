// The texts of one row of the file list and of the status line, for the list
// model and the window to show. Pure functions of their arguments.
#pragma once

#include <QLocale>
#include <QString>
#include <cstdint>

#include "base/program_text.h"
#include "engine/rename_item.h"

namespace corvane {

// "Original Name": the file name of the item's path, with its extension.
QString OriginalNameText(const TRenameItem& item);

// "Folder": the folder of the item's path with its final separator.
QString FolderText(const TRenameItem& item);

// "Size": whole bytes in groups of three digits, separated by the locale's
// group separator ("#,##0": 1536 is "1,536" in English); -1 stays "-1".
QString SizeText(int64_t size, const QLocale& locale);

// The status line: "Files: %d" with `count`, for the caller to show in the
// user's language.
ProgramText FileCountText(qsizetype count);

}  // namespace corvane
