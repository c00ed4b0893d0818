// The new-version dialog shows its texts whole in every language, offering
// an optional update and a mandatory one.
#include <gtest/gtest.h>

#include <QCoreApplication>

#include "i18n/translation.h"
#include "support/text_fit.h"
#include "update_ui/new_version_dialog.h"

namespace corvane {
namespace {

TEST(NewVersionFitTest, EveryTextShowsWholeInEachLanguage) {
  QStringList unfit;
  for (const char* language : {"en", "de", "fr", "es", "it", "pt"}) {
    ASSERT_TRUE(LoadTranslationsFrom(QStringLiteral(CORVANE_SHIPPED_TRANSLATIONS),
                                     QString::fromLatin1(language))
                    .ok());
    ASSERT_EQ(Translations().currentCode(), QString::fromLatin1(language));
    for (const bool mandatory : {false, true}) {
      UpdateState state;
      state.QuitAfterDialog = mandatory;
      state.UpdateMessage =
          "The new version 2.5 is available\r\n\r\nWhat's new:\r\nFaster renaming";
      TfrmNewVersion dialog(state, DownloadPlan(), UpdateUiServices());
      dialog.show();
      QCoreApplication::processEvents();
      for (const QString& line : testing::UnfitTexts(dialog)) unfit << language + (": " + line);
    }
  }
  static_cast<void>(LoadTranslationsFrom(QString(), QString()));
  EXPECT_TRUE(unfit.isEmpty()) << unfit.join(u'\n').toStdString();
}

}  // namespace
}  // namespace corvane
