// Where the program reads its translations.
#include "platform/translation_file.h"

#include <gtest/gtest.h>

#include <QDir>

#include "base/build_info.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

// Where the catalogue is read from, for an executable in bin/ with its data
// folder beside bin/ as an installation lays them out.
struct FileLookupCase {
  const char* name;
  bool beside;
  bool installed;
  bool besideWins;
};

class TranslationFileLookupTest : public ::testing::TestWithParam<FileLookupCase> {};

TEST_P(TranslationFileLookupTest, BesideTheExecutableFirstThenTheInstalledDataFolder) {
  const FileLookupCase& c = GetParam();
  testing::TempFolder folder;
  const QString bin = folder.CreateFolder("bin");
  const QString beside = bin + "/transl.dt";
  const QString installed =
      QDir::cleanPath(bin + '/' + kInstalledDataFolder.toString() + "/transl.dt");
  ASSERT_TRUE(installed.startsWith(folder.path() + '/'));
  if (c.beside) folder.Create({"bin/transl.dt"});
  if (c.installed) folder.Create({installed.mid(folder.path().size() + 1)});

  EXPECT_EQ(QDir::cleanPath(TranslationFilePath(bin)), c.besideWins ? beside : installed);
}

INSTANTIATE_TEST_SUITE_P(Places, TranslationFileLookupTest,
                         ::testing::Values(FileLookupCase{"BuildFolder", true, false, true},
                                           FileLookupCase{"Installed", false, true, false},
                                           FileLookupCase{"BothBesideWins", true, true, true},
                                           FileLookupCase{"NeitherNamesBeside", false, false,
                                                          true}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace corvane
