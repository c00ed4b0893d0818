// The usage printed by /help: first how the window opens with files, then the
// command-line mode: one line per switch and key, one per exit status, then
// two examples (a dry run, then the same rename for real). Every description
// passes through Translate; the switch names, the status numbers and the
// examples stay as they are typed. The manual page is written from the same
// entries (packaging/man_page.cpp).
#pragma once

#include <QStringList>
#include <span>

namespace corvane {

struct UsageEntry {
  const char* syntax;
  const char16_t* description;  // English, looked up through Translate
};

struct ExitStatusEntry {
  int code;
  const char16_t* meaning;  // English, looked up through Translate
};

// The switches and keys, in the order /help lists them.
std::span<const UsageEntry> UsageSwitches();

std::span<const ExitStatusEntry> UsageExitStatuses();

// A dry run, then the same rename for real, in this system's shell syntax.
std::span<const char* const> UsageExamples();

QStringList UsageLines();

}  // namespace corvane
