// The main window's commands as one table: the menus, the toolbar and the
// file list's pop-up menu take their actions from it by object name.
#include "ui/help_texts.h"
#include "ui/main_window.h"
#include "ui/preview_controller.h"

namespace corvane {

std::vector<ActionRow> TFormMain::ActionRows() {
  const auto run = [this](void (TFormMain::*command)()) {
    return [this, command](bool) { (this->*command)(); };
  };
  const auto open = [this](QUrl (*page)()) { return [this, page](bool) { OpenPage(page()); }; };
  const QKeySequence none;
  constexpr bool kListCommand = true;
  constexpr bool kAnyTime = false;
  // Off unless the user left it on: a preview at every keystroke is a choice.
  const bool live = services_.languageStore.ReadLivePreview();
  return {
      {"AddFiles1", "plus", u"Add Files...", QKeySequence(Qt::CTRL | Qt::Key_O),
       run(&TFormMain::AddFilesClicked), kListCommand},
      {"RemoveSelected1", "cross", u"Remove Selected Items", none,
       run(&TFormMain::RemoveSelectedClicked), kListCommand},
      {"SavePreset1", "save", u"Save Preset As...", none, run(&TFormMain::SavePresetClicked),
       kAnyTime},
      {"LoadPreset1", "folder-open", u"Load Preset...", none, run(&TFormMain::LoadPresetClicked),
       kAnyTime},
      {"Exit1", nullptr, u"Exit", QKeySequence(Qt::CTRL | Qt::Key_Q), [this](bool) { close(); },
       kAnyTime},
      {"Preview1", "eye", u"Preview Result", QKeySequence(Qt::Key_F5),
       run(&TFormMain::PreviewClicked), kListCommand},
      {"Rename1", "write", u"Rename Files!", none, run(&TFormMain::RenameClicked), kListCommand},
      {"Undo1", "reply", u"Undo Last Rename", none, run(&TFormMain::UndoClicked), kListCommand},
      {"ShowSettings1", nullptr, u"Show Options", none,
       [this](bool shown) { ShowOptionsPanel(shown); }, kAnyTime, true},
      {"LivePreview1", nullptr, u"Live preview", none, [this](bool on) { LivePreviewToggled(on); },
       kAnyTime, live},
      {"utorial1", nullptr, u"Tutorial", none, open(&TutorialPageUrl), kAnyTime},
      {"ContactUs1", nullptr, u"Contact Us", none, open(&SupportPageUrl), kAnyTime},
      {"VisitWebsite1", nullptr, u"Visit Website", none, open(&HomePageUrl), kAnyTime},
      {"About1", "info", u"About...", none, run(&TFormMain::AboutClicked), kAnyTime},
      {"Settings1", "setting", u"Settings...", none, run(&TFormMain::OpenSettingsClicked),
       kAnyTime},
      {"miRemoveSelected", nullptr, u"Remove selected", none, run(&TFormMain::PopupRemoveClicked),
       kListCommand},
      {"Clearlist1", nullptr, u"Clear list", none, run(&TFormMain::ClearListClicked), kListCommand},
      {"deleteRows", nullptr, u"Remove Selected Items", QKeySequence(QKeySequence::Delete),
       run(&TFormMain::RemoveSelectedClicked), kListCommand, std::nullopt, true},
  };
}

}  // namespace corvane
