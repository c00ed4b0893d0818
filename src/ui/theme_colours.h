// ThemeColours: the colours of a theme by their roles, as its resource file
// names them (data/theme/allports.colors).
#pragma once

#include <QByteArray>
#include <QColor>

#include <optional>

namespace corvane {

struct ThemeColours {
  QColor window;           // windows, dialogs and panels
  QColor menuBar;          // the menu bar
  QColor line;             // lines between the window's parts and around groups
  QColor accent;           // selections, a focused tool button, the home-page link
  QColor accentText;       // text on the accent
  QColor toolbarTop;       // the toolbar's gradient, top
  QColor toolbarBottom;    // and bottom
  QColor buttonHoverLine;  // a tool button under the mouse: its border
  QColor buttonHover;      // and its background
  QColor buttonPressed;    // a pressed tool button
  QColor group;            // a group of options
  QColor list;             // the file list
  QColor listAlternate;    // its alternate rows
  QColor grid;             // its grid lines
  QColor header;           // its column headers
  QColor headerText;       // their text
  QColor status;           // the status line
  QColor statusText;       // its text
};

// Reads lines "role #rrggbb" (the roles in the file's spelling: "menu-bar",
// "button-hover-line", ...); blank lines and lines starting with '#' are
// comments. Nothing unless every role is named once with a valid colour and
// no line says anything else.
std::optional<ThemeColours> ParseThemeColours(const QByteArray& text);

}  // namespace corvane
