// The tables of the option controls: the main window's options panel, its
// operation line, and the settings dialog. Between them they hold every
// field of RenameOptions once.
#pragma once

#include <span>

#include "ui/option_form.h"

namespace corvane {

// The options panel ("Panel2"), group by group in the visual order, the
// hidden include-subfolders box last. Its pattern row leaves room for the
// pattern help button.
std::span<const OptionRow> OptionsPanelRows();

// The operation line under the file list ("Panel5"), laid out by the window.
std::span<const OptionRow> OperationRows();

// The settings dialog's five options.
std::span<const OptionRow> SettingsRows();

}  // namespace corvane
