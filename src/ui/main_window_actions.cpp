// The main window's commands as one table: the menus, the toolbar and the
// file list's pop-up menu take their actions from it by object name.
#include "base/english_text.h"
#include "ui/help_texts.h"
#include "ui/main_window.h"
#include "ui/preview_controller.h"

namespace corvane {

std::vector<ActionRow> TFormMain::ActionRows() {
  const auto run = [this](void (TFormMain::*command)()) {
    return [this, command](bool) { (this->*command)(); };
  };
  const auto sort = [this](ListOrder order) { return [this, order](bool) { SortListBy(order); }; };
  const auto open = [this](QUrl (*page)()) { return [this, page](bool) { OpenPage(page()); }; };
  const QKeySequence none;
  constexpr bool kListCommand = true;
  constexpr bool kAnyTime = false;
  // Off unless the user left it on: a preview at every keystroke is a choice.
  const bool live = services_.userChoices.ReadLivePreview();
  return {
      {"AddFiles1", "plus", EN_TEXT("Add Files..."), QKeySequence(Qt::CTRL | Qt::Key_O),
       run(&TFormMain::AddFilesClicked), kListCommand},
      {"AddFolder1", nullptr, EN_TEXT("Add Folder..."), none, run(&TFormMain::AddFolderClicked),
       kListCommand},
      {"RemoveSelected1", "cross", EN_TEXT("Remove Selected Items"), none,
       run(&TFormMain::RemoveSelectedClicked), kListCommand},
      {"SavePreset1", "save", EN_TEXT("Save Preset As..."), none,
       run(&TFormMain::SavePresetClicked), kAnyTime},
      {"LoadPreset1", "folder-open", EN_TEXT("Load Preset..."), none,
       run(&TFormMain::LoadPresetClicked), kAnyTime},
      {"Exit1", nullptr, EN_TEXT("Exit"), QKeySequence(Qt::CTRL | Qt::Key_Q),
       [this](bool) { close(); }, kAnyTime},
      {"Preview1", "eye", EN_TEXT("Preview Result"), QKeySequence(Qt::Key_F5),
       run(&TFormMain::PreviewClicked), kListCommand},
      {"Rename1", "write", EN_TEXT("Rename Files!"), none, run(&TFormMain::RenameClicked),
       kListCommand},
      {"Undo1", "reply", EN_TEXT("Undo Last Rename"), none, run(&TFormMain::UndoClicked),
       kListCommand},
      {"SortByName1", nullptr, EN_TEXT("By Name"), none, sort(ListOrder::kByName), kListCommand},
      {"SortByModified1", nullptr, EN_TEXT("By Date Modified"), none,
       sort(ListOrder::kByDateModified), kListCommand},
      {"SortByTaken1", nullptr, EN_TEXT("By Date Taken"), none, sort(ListOrder::kByDateTaken),
       kListCommand},
      {"SortBySize1", nullptr, EN_TEXT("By Size"), none, sort(ListOrder::kBySize), kListCommand},
      {"ReverseOrder1", nullptr, EN_TEXT("Reverse Order"), none, sort(ListOrder::kReversed),
       kListCommand},
      {"MoveUp1", nullptr, EN_TEXT("Move Up"), QKeySequence(Qt::CTRL | Qt::Key_Up),
       run(&TFormMain::MoveUpClicked), kListCommand},
      {"MoveDown1", nullptr, EN_TEXT("Move Down"), QKeySequence(Qt::CTRL | Qt::Key_Down),
       run(&TFormMain::MoveDownClicked), kListCommand},
      {"ShowSettings1", nullptr, EN_TEXT("Show Options"), none,
       [this](bool shown) { ShowOptionsPanel(shown); }, kAnyTime, true},
      {"LivePreview1", nullptr, EN_TEXT("Live preview"), none,
       [this](bool on) { LivePreviewToggled(on); }, kAnyTime, live},
      {"utorial1", nullptr, EN_TEXT("Tutorial"), none, open(&TutorialPageUrl), kAnyTime},
      {"ContactUs1", nullptr, EN_TEXT("Contact Us"), none, open(&SupportPageUrl), kAnyTime},
      {"VisitWebsite1", nullptr, EN_TEXT("Visit Website"), none, open(&HomePageUrl), kAnyTime},
      {"About1", "info", EN_TEXT("About..."), none, run(&TFormMain::AboutClicked), kAnyTime},
      {"Settings1", "setting", EN_TEXT("Settings..."), none, run(&TFormMain::OpenSettingsClicked),
       kAnyTime},
      {"miRemoveSelected", nullptr, EN_TEXT("Remove selected"), none,
       run(&TFormMain::PopupRemoveClicked), kListCommand},
      {"Clearlist1", nullptr, EN_TEXT("Clear list"), none, run(&TFormMain::ClearListClicked),
       kListCommand},
      {"deleteRows", nullptr, EN_TEXT("Remove Selected Items"), QKeySequence(QKeySequence::Delete),
       run(&TFormMain::RemoveSelectedClicked), kListCommand, std::nullopt, true},
  };
}

}  // namespace corvane
