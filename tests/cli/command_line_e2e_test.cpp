// Runs the built corvane executable as a user would, each test in a fresh
// temporary folder with APPDATA pointing into it, so the undo log never
// touches the real home.
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>

#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

struct ProcessResult {
  int exitCode = -1;
  QString out;
  QString err;
};

class CommandLineEndToEndTest : public ::testing::Test {
 protected:
  // Runs corvane in `folder` (default: the temporary folder itself).
  ProcessResult Run(const QStringList& args, const QString& folder = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("APPDATA", temp_.file("appdata"));
    env.insert("XDG_CONFIG_HOME", temp_.file("config"));
    QProcess process;
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(folder.isEmpty() ? temp_.path() : folder);
    process.start(QStringLiteral(CORVANE_EXECUTABLE), args);
    EXPECT_TRUE(process.waitForFinished(60000)) << "corvane did not end";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
  }
  QString LogPath() const { return temp_.file("appdata/Larkwell/Corvane/last_rename.csv"); }

  TempFolder temp_;
};

const QString kCompleted = "Batch completed. A CSV log has been saved in AppData.\n";

TEST_F(CommandLineEndToEndTest, WithoutCliPrintsTheUsage) {
  temp_.Create({"photos/a.txt"});
  const ProcessResult r = Run({"/pattern=x", "photos/a.txt"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_TRUE(r.out.startsWith("Usage: corvane /cli")) << r.out.toStdString();
  EXPECT_EQ(temp_.List("photos"), QStringList({"a.txt"}));
}

TEST_F(CommandLineEndToEndTest, RegexRenameOfAFoldersFiles) {
  temp_.Create({"photos/IMG_1.jpg", "photos/IMG_22.jpg", "photos/notes.txt"}, "x");
  const ProcessResult r =
      Run({"/cli", "/regex", "/find=^IMG_(\\d+)$", "/replace=trip-$1", "photos"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, kCompleted);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(temp_.List("photos"), QStringList({"notes.txt", "trip-1.jpg", "trip-22.jpg"}));
  EXPECT_TRUE(QFile::exists(LogPath()));
}

TEST_F(CommandLineEndToEndTest, DryRunPrintsThePairsAndChangesNothing) {
  temp_.Create({"photos/IMG_1.jpg", "photos/IMG_22.jpg"});
  const ProcessResult r =
      Run({"/cli", "/dryrun", "/regex", "/find=^IMG_(\\d+)$", "/replace=trip-$1", "photos"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  // A folder lists its files in the file system's order, so compare as a set.
  QStringList lines = r.out.split('\n', Qt::SkipEmptyParts);
  lines.sort();
  // Relative arguments are made absolute, so the undo log holds full paths.
  EXPECT_EQ(lines, QStringList({temp_.file("photos/IMG_1.jpg") + " -> trip-1.jpg",
                                temp_.file("photos/IMG_22.jpg") + " -> trip-22.jpg"}));
  EXPECT_EQ(temp_.List("photos"), QStringList({"IMG_1.jpg", "IMG_22.jpg"}));
  EXPECT_FALSE(QFile::exists(LogPath()));
}

TEST_F(CommandLineEndToEndTest, CopyThroughAPreset) {
  temp_.Create({"in/report.txt"}, "content");
  QFile preset(temp_.file("copy.json"));
  ASSERT_TRUE(preset.open(QIODevice::WriteOnly));
  preset.write(
      "\xEF\xBB\xBF{\r\n\"pattern\":\"{name}-{counter}\",\r\n\"digits\":\"2\",\r\n"
      "\"changeExt\":false,\r\n\"batchMode\":1,\r\n\"destination\":\"out/new\"\r\n}\r\n");
  preset.close();
  const ProcessResult r = Run({"/cli", "/preset=copy.json", "in/report.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, kCompleted);
  EXPECT_EQ(temp_.Read("out/new/report-01.txt"), "content");
  EXPECT_EQ(temp_.List("in"), QStringList({"report.txt"}));
}

TEST_F(CommandLineEndToEndTest, UndoTakesTheRenameBackFromAnotherFolder) {
  temp_.Create({"docs/a.txt", "docs/b.txt"});
  ASSERT_EQ(Run({"/cli", "/case=upper", "docs/a.txt", "docs/b.txt"}).exitCode, 0);
  ASSERT_EQ(temp_.List("docs"), QStringList({"A.txt", "B.txt"}));
  const ProcessResult undo = Run({"/cli", "/undo"}, temp_.CreateFolder("elsewhere"));
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(undo.out, "Undo completed for the last rename operation.\n");
  EXPECT_EQ(temp_.List("docs"), QStringList({"a.txt", "b.txt"}));
  EXPECT_EQ(temp_.List("elsewhere"), QStringList());
  const ProcessResult again = Run({"/cli", "/undo"});
  EXPECT_EQ(again.exitCode, 0);
  EXPECT_EQ(again.out, "No undo log found in AppData.\n");
}

TEST_F(CommandLineEndToEndTest, InvalidExpressionExitsOneWithTheMessageOnStandardError) {
  temp_.Create({"a.txt"});
  const ProcessResult r = Run({"/cli", "/regex", "/find=(", "a.txt"});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.err.startsWith("Error in regular expression at offset 1: ")) << r.err.toStdString();
  EXPECT_TRUE(r.err.endsWith(".\n"));
  EXPECT_EQ(temp_.List(), QStringList({"a.txt"}));
}

// Nested repetitions failing at the end of a long name reach PCRE2's match
// limit: the run ends as for an invalid expression, naming the file, in the
// remembered language, and renames nothing.
TEST_F(CommandLineEndToEndTest, ExpressionTooComplexForAFileExitsOneNamingIt) {
  const QString hopeless = QString(200, u'a') + "!.txt";
  temp_.Create({"b.txt", hopeless});
  const ProcessResult r = Run({"/cli", "/regex", "/find=(a+)+$", "/replace=x", "b.txt", hopeless});
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "Regular expression too complex for " + temp_.file(hopeless) + ".\n");
  EXPECT_EQ(temp_.List(), QStringList({hopeless, "b.txt"}));
  EXPECT_FALSE(QFile::exists(LogPath()));

  temp_.Create({"config/Corvane.conf"}, "[General]\nCurrentLanguage=de\n");
  const ProcessResult german = Run({"/cli", "/regex", "/find=(a+)+$", hopeless});
  EXPECT_EQ(german.exitCode, 1);
  EXPECT_EQ(german.err, QString::fromUtf16(u"Regulärer Ausdruck zu komplex für ") +
                            temp_.file(hopeless) + ".\n");
}

TEST_F(CommandLineEndToEndTest, NoFilesIsReportedAndSucceeds) {
  const ProcessResult r = Run({"/cli", "/pattern=x"});
  EXPECT_EQ(r.exitCode, 0);
  EXPECT_EQ(r.out, "No files loaded. Add files first.\n");
  EXPECT_FALSE(QFile::exists(LogPath()));
}

}  // namespace
}  // namespace corvane
