// Path text as the program sees it: split, joined and compared exactly as
// received, never made absolute or normalised.
//
// On Windows both "\" and "/" separate folders and a drive colon ends a folder
// part; elsewhere only "/" does. Functions named ...WindowsRule / ...Exact are
// pure and behave the same on every platform, so both rules can be tested
// anywhere; the unqualified names pick the rule of the platform built for.
#pragma once

#include <QString>
#include <QStringView>

#include "base/ascii_case.h"

namespace corvane {

#ifdef Q_OS_WIN
inline constexpr QChar kPathSeparator = u'\\';
#else
inline constexpr QChar kPathSeparator = u'/';
#endif

// True for a character that ends a folder part on this platform.
bool IsFolderDelimiter(QChar c);

// The file name of `path`: everything after the last folder delimiter.
QString FileNamePart(QStringView path);
// The same, as a view into `path` (no copy).
QStringView FileNameView(QStringView path);

// The folder of `path` including its final delimiter ("" when there is none).
QString FolderPart(QStringView path);
// The same, as a view into `path` (no copy).
QStringView FolderView(QStringView path);

// `folder` joined with `name`: one separator between them unless `folder` is
// empty or already ends with a folder delimiter.
QString JoinPath(QStringView folder, QStringView name);

// `path` made absolute when it is relative, by putting `currentFolder` and one
// separator before it and changing nothing else; an absolute or empty path is
// kept exactly. "." and ".." are left to the kernel: through a folder link,
// "link/../f.txt" is not the f.txt beside the link. The undo log must name
// files wherever the undo is started from.
QString AbsoluteFrom(const QString& currentFolder, const QString& path);

// The text that every spelling of `name` a file system ignoring letter case
// might take for it shares: ASCII letters in lower case; any other name
// decomposed (NFKD, as ext4 casefold and Apple's file systems compare), in
// upper case (NTFS compares upper case, which joins the dotless i with I),
// case-folded and decomposed again. It may join names a file system keeps
// apart, never the other way round.
QString FoldedName(QStringView name);

// Whether two paths name the same list entry: the Windows rule (A to Z without
// case) on Windows, exact comparison elsewhere, where file systems usually
// tell Report.TXT and report.txt apart.
bool SamePathText(QStringView a, QStringView b);

// A hash consistent with SamePathText: paths that compare equal hash equal.
size_t PathTextHash(QStringView path);

// The same two as pure functions of the Windows rule, for tests on any platform.
bool SamePathTextWindowsRule(QStringView a, QStringView b);
size_t PathTextHashWindowsRule(QStringView path);

// The name of the folder that directly holds the file at `path`: the last
// component of its folder part, without the root. Empty for a file directly
// in a root ("/", "C:\", "\\server\share\", "\\?\C:\") or without a folder.
QString ParentFolderName(QStringView path);

// Pure functions of each rule, for tests on any platform. The Windows rule
// takes "\" and "/" as separators and knows drive letters, shares and the
// "\\?\" and "\\.\" forms; the POSIX rule knows "/" alone.
QStringView FileNameViewWindowsRule(QStringView path);
QStringView FolderViewWindowsRule(QStringView path);
QString ParentFolderNameWindowsRule(QStringView path);
QString ParentFolderNamePosixRule(QStringView path);
// How many leading characters of `path` are its root under the Windows rule,
// separator included: 3 for "C:\a", 2 for "C:a", 15 for "\\server\share\a",
// 1 for "\a"; 0 for a relative path.
qsizetype RootLengthWindowsRule(QStringView path);

}  // namespace corvane
