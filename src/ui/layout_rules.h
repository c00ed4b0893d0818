// The main window's layout rules and other pure decisions of the window: the
// file list's column widths, the place of the home-page link on the status
// line, and the file dialog's filter. Measures are logical pixels of the
// window's design (Qt scales them on high-resolution screens).
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace corvane {

inline constexpr int kColumnCount = 4;
inline constexpr int kOriginalNameWidth = 280;
inline constexpr int kNewNameWidth = 280;
inline constexpr int kFolderStartWidth = 360;
inline constexpr int kSizeWidth = 90;
inline constexpr int kFolderMinimumWidth = 150;

inline constexpr int kStatusLineHeight = 25;
inline constexpr int kLinkWidth = 262;
inline constexpr int kLinkHeight = 19;
inline constexpr int kLinkRightMargin = 25;

// n / 2 rounded to the nearest whole number, halves to the even one:
// 25 gives 12 (12.5), 19 gives 10 (9.5).
int HalfRoundedToEven(int n);

// The widths of the four columns for a list `innerWidth` pixels wide inside:
// the three fixed ones, and "Folder" taking the rest less 6, at least 150.
// Nothing while the list has fewer than four columns.
std::optional<std::array<int, kColumnCount>> ColumnWidths(int innerWidth, int columnCount);

// Where the home-page link goes: `innerWidth` is the window's inner width;
// the link is centred vertically on the status line.
int HomepageLinkLeft(int innerWidth, int linkWidth);
int HomepageLinkTop(int statusTop, int statusHeight, int linkHeight);

// A filter written as the program holds it ("All files (*.*)|*.*", pairs of
// description and patterns split by "|") as Qt's file dialogs take it
// ("All files (*)"). Outside Windows "*.*" becomes "*": it means every file,
// and a name without a dot is a file too.
QString DialogFilter(const QString& programFilter);

// `path` with "." and `extension` appended when its file name has no
// extension (no dot after the last separator), as a save dialog's default
// extension works; otherwise `path` unchanged.
QString WithDefaultExtension(const QString& path, QStringView extension);

}  // namespace corvane
