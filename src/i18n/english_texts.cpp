#include "i18n/english_texts.h"

#include <iterator>

namespace corvane {
namespace {

constexpr const char16_t* kEnglishTexts[] = {
    // Main menu and toolbar tool tips
    u"File",
    u"Add Files...",
    u"Remove Selected Items",
    u"Save Preset As...",
    u"Load Preset...",
    u"Exit",
    u"Operation",
    u"Preview Result",
    u"Rename Files!",
    u"Undo Last Rename",
    u"View",
    u"Show Options",
    u"Live preview",
    u"Language",
    u"Help",
    u"Tutorial",
    u"Contact Us",
    u"Visit Website",
    u"About...",
    u"Settings...",

    // Pop-up menu of the file list
    u"Remove selected",
    u"Clear list",

    // Option labels and check boxes of the main window
    u"Find in name:",
    u"Replace with:",
    u"Pattern:",
    u"New extension:",
    u"Case:",
    u"Insert text",
    u"at position:",
    u"Remove first:",
    u"Remove last:",
    u"Remove from position",
    u"until position:",
    u"Trim from text:",
    u"Trim until text:",
    u"Remove characters:",
    u"Collapse double spaces",
    u"Add leading zeroes to the numbers. Digits count:",
    u"Operation:",
    u"Destination:",

    // Drop-down list entries
    u"Rename in place",
    u"Copy to folder",
    u"Move to folder",
    u"Unchanged",
    u"lowercase",
    u"UPPERCASE",
    u"Title Case",

    // File list column headers and status line
    u"Original Name",
    u"New Name (preview)",
    u"Folder",
    u"Size",
    u"Add the files",
    u"Files: %d",

    // Messages, dialog titles and file filters of the commands
    u"No files loaded. Add files first.",
    u"Regular expression too complex for %s",
    u"Please select a destination folder for Copy/Move mode.",
    u"Please select a batch mode.",
    u"Please build preview first (click \"Preview Result\" button).",
    u"Batch completed. A CSV log has been saved in AppData.",
    u"No undo log found in AppData.",
    u"Undo completed for the last rename operation.",
    u"Nothing to rename. Add files and build a preview first.",
    u"Proceed to rename files as shown in the preview?",
    u"Select files to add",
    u"All files (*.*)|*.*",
    u"Preset JSON|*.json",
    u"Not a preset file: %s",
    u"Select destination folder",

    // Settings dialog
    u"Settings",
    u"Counter",
    u"If {counter} keyword is used in Pattern, then apply the following rules:",
    u"Counter start:",
    u"Digits:",
    u"Conflict",
    u"If the file name already exists, then apply the following change:",
    u"Change:",
    u"Skip",
    u"Overwrite",
    u"Auto-number",
    u"Renaming",
    u"Use Regular Expressions",
    u"Timestamp",
    u"Update modified date/time",
    u"Close",

    // Pattern help
    u"Pattern defines how the new file name will be built.",
    u"You can combine plain text with keywords in braces.",
    u"Examples:",
    u"Supported keywords:",
    u"file name after string replacement",
    u"original file extension without dot",
    u"auto-increment number",
    u"current date",
    u"current time",
    u"file creation date",
    u"file modification date",
    u"parent folder name",
    u"file size in bytes",
    u"imported name list entry",
    u"image width/height when available",
    u"Formatting examples:",
    u"substring of the original name",

    // About box
    u"Version:",
    u"Website:",

    // Version check and new-version dialog
    u"This version of the software is out of date. You must download the current version %s "
    u"to continue using the software.",
    u"The new version %s is available",
    u"What's new:",
    u"Update Now",
    u"Abort",
    u"Cannot find downloaded file.",
    u"Failed to download update. Please download manually on website.",
    u"Download is cancelled. Please download manually.",
    u"No connection to the server within %d seconds.",
    u"The server sent nothing for %d seconds.",

    // Command line: the usage of /help (its "Examples:" heading is the pattern help's) and the
    // mode's own messages
    u"Usage: corvane /cli [options] [files or folders]",
    u"Rename from the command line: set the options, preview, rename, then end.",
    u"Preview only: print each file with its new name and change nothing.",
    u"Pattern of the new name without extension, such as {name}_{counter}.",
    u"First value of the counter (default 1).",
    u"Minimum number of digits of the counter, 1 to 10 (default 3).",
    u"Letter case of the new name: lower, upper or title.",
    u"Text to find in the new name.",
    u"Text that replaces what was found.",
    u"Read the find text as a regular expression.",
    u"New extension, with or without its dot.",
    u"When a file with the new name exists: skip, overwrite or number (default).",
    u"Load a preset file first; options not given keep the preset's values.",
    u"Add the files of subfolders too, when a folder is named.",
    u"Undo the last rename.",
    u"Show this help.",
    u"Show the version of the program.",
    u"Files and folders are renamed in the order given.",
    u"Exit status:",
    u"Done.",
    u"Stopped by an error or a warning.",
    u"The command line was wrong and nothing was done.",
    u"The undo has no dry run; leave out /dryrun.",
    u"Unknown switch: %s",
    u"Did you mean %s?",
    u"File not found: %s",

    // Batch and undo safety
    u"Batch stopped after %d of %d files. The undo log holds what was done.",
    u"Not a file any more: %s",
    u"Another batch or undo is running. Try again when it has ended.",
    u"Another file now stands at %s. Move it away, then undo again.",
    u"Undo stopped after %d of %d files. Undo again to take back the others.",

    // Long work in the window
    u"Progress",
    u"%d of %d files",
    u"%d files found",
    u"Cancel",

    // Main window: names read out for controls without a caption, start-up
    u"Include subfolders",
    u"Pattern help",
    u"File list",
    u"The theme \"%s\" could not be applied.",
    u"Cannot open the window: no display. Use corvane /cli to rename from a terminal.",
    u"Not a valid file name: %s",
    u"File name too long: %s",

    // What a batch will do with each file, and how far it is
    u"unchanged",
    u"numbered: %s is taken",
    u"skipped: %s is taken",
    u"replaces the file %s",
    u"cannot be made: no new name",
    u"cannot be made: not a valid file name",
    u"cannot be made: file name too long",
    u"cannot be made: %s is taken",
    u"%d numbered",
    u"%d skipped",
    u"%d replace a file",
    u"%d cannot be made",
    u"Files done: %d of %d",
};

}  // namespace

const QStringList& EnglishTexts() {
  static const QStringList texts = [] {
    QStringList list;
    list.reserve(std::size(kEnglishTexts));
    for (const char16_t* text : kEnglishTexts) list.append(QString::fromUtf16(text));
    return list;
  }();
  return texts;
}

}  // namespace corvane
