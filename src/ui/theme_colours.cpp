#include "ui/theme_colours.h"

#include <QList>

#include <array>

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
    const QColor colour = QColor::fromString(QLatin1StringView(words[1]));
    if (seen || !words[1].startsWith('#') || !colour.isValid()) return std::nullopt;
    seen = true;
    colours.*role->colour = colour;
  }
  for (const bool seen : named) {
    if (!seen) return std::nullopt;
  }
  return colours;
}

}  // namespace corvane
