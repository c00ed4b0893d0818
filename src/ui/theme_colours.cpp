#include "ui/theme_colours.h"

#include <QList>

#include <algorithm>
#include <array>
#include <cctype>

namespace corvane {
namespace {

struct Role {
  const char* name;
  QColor ThemeColours::*colour;
};

constexpr std::array<Role, 18> kRoles = {{
    {"window", &ThemeColours::window},
    {"menu-bar", &ThemeColours::menuBar},
    {"line", &ThemeColours::line},
    {"accent", &ThemeColours::accent},
    {"accent-text", &ThemeColours::accentText},
    {"toolbar-top", &ThemeColours::toolbarTop},
    {"toolbar-bottom", &ThemeColours::toolbarBottom},
    {"button-hover-line", &ThemeColours::buttonHoverLine},
    {"button-hover", &ThemeColours::buttonHover},
    {"button-pressed", &ThemeColours::buttonPressed},
    {"group", &ThemeColours::group},
    {"list", &ThemeColours::list},
    {"list-alternate", &ThemeColours::listAlternate},
    {"grid", &ThemeColours::grid},
    {"header", &ThemeColours::header},
    {"header-text", &ThemeColours::headerText},
    {"status", &ThemeColours::status},
    {"status-text", &ThemeColours::statusText},
}};

const Role* FindRole(const QByteArray& name) {
  for (const Role& role : kRoles) {
    if (name == role.name) return &role;
  }
  return nullptr;
}

// "#rrggbb" and nothing else.
std::optional<QColor> HexColour(const QByteArray& word) {
  if (word.size() != 7 || !word.startsWith('#')) return std::nullopt;
  const QByteArray digits = word.mid(1);
  if (!std::all_of(digits.begin(), digits.end(),
                   [](char c) { return std::isxdigit(static_cast<unsigned char>(c)); })) {
    return std::nullopt;
  }
  return QColor(QRgb(digits.toUInt(nullptr, 16)));
}

}  // namespace

std::optional<ThemeColours> ParseThemeColours(const QByteArray& text) {
  ThemeColours colours;
  std::array<bool, kRoles.size()> named{};
  for (const QByteArray& raw : text.split('\n')) {
    const QByteArray line = raw.trimmed();
    if (line.isEmpty() || line.startsWith('#')) continue;
    const QList<QByteArray> words = line.simplified().split(' ');
    const Role* role = words.size() == 2 ? FindRole(words[0]) : nullptr;
    if (!role) return std::nullopt;
    bool& seen = named[static_cast<size_t>(role - kRoles.data())];
    const std::optional<QColor> colour = HexColour(words[1]);
    if (seen || !colour) return std::nullopt;
    seen = true;
    colours.*role->colour = *colour;
  }
  for (const bool seen : named) {
    if (!seen) return std::nullopt;
  }
  return colours;
}

}  // namespace corvane
