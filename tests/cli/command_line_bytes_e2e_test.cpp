// Runs the built corvane executable with arguments and a working folder given
// as bytes, as a Linux shell hands them over: file names there need not be
// UTF-8. Each test has a fresh temporary folder with APPDATA pointing into it.
#include <QtGlobal>
#ifndef Q_OS_WIN

#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>

#include <unistd.h>

#include <vector>

#include "support/completed_text.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

struct ProcessResult {
  int exitCode = -1;
  QByteArray out;
  QByteArray err;
};

class CommandLineBytesTest : public ::testing::Test {
 protected:
  // Runs corvane with `args` in the folder `folder` below the temporary one
  // (the temporary one itself when empty). QProcess would pass QString
  // arguments and folders as UTF-8, so the child starts the program itself,
  // from byte strings made before it was forked.
  ProcessResult Run(const QList<QByteArray>& args, const QByteArray& folder = {}) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("APPDATA", temp_.file("appdata"));
    env.insert("XDG_CONFIG_HOME", temp_.file("config"));
    env.insert("XDG_DATA_HOME", temp_.file("xdg"));
    QList<QByteArray> argStore = {QByteArray(CORVANE_EXECUTABLE)};
    argStore += args;
    QList<QByteArray> envStore;
    for (const QString& entry : env.toStringList()) envStore << entry.toUtf8();
    std::vector<char*> argv;
    for (QByteArray& arg : argStore) argv.push_back(arg.data());
    argv.push_back(nullptr);
    std::vector<char*> envp;
    for (QByteArray& entry : envStore) envp.push_back(entry.data());
    envp.push_back(nullptr);
    const QByteArray where =
        folder.isEmpty() ? temp_.PathBytes() : temp_.PathBytes() + '/' + folder;

    QProcess process;
    process.setChildProcessModifier([&argv, &envp, &where] {
      if (::chdir(where.constData()) == 0) ::execve(argv[0], argv.data(), envp.data());
      ::_exit(127);
    });
    process.start(QStringLiteral(CORVANE_EXECUTABLE), {});
    EXPECT_TRUE(process.waitForFinished(60000)) << "corvane did not end";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
  }

  // The files of a folder below the temporary one as name=content, sorted.
  QList<QByteArray> Contents(const QByteArray& folder) const {
    QList<QByteArray> out;
    for (const QByteArray& name : temp_.ListBytes(folder)) {
      out << name + '=' + temp_.ReadBytes(folder + '/' + name);
    }
    return out;
  }
  QByteArray CompletedLine() const {
    return (testing::CompletedText(temp_.file("appdata/Larkwell/Corvane")) + u'\n').toUtf8();
  }

  TempFolder temp_;
};

const QByteArray kUndone = "Undo completed for the last rename operation.\n";

// U+FFFD is what a name that is not UTF-8 used to read as: naming the byte
// renames that file alone, and the undo brings back its exact name.
TEST_F(CommandLineBytesTest, NamingAFileThatIsNotUtf8RenamesItAndNoOther) {
  temp_.CreateFolderBytes("photos");
  temp_.CreateBytes("photos/\xE9.txt", "byte");
  temp_.CreateBytes("photos/\xEF\xBF\xBD.txt", "real");
  const ProcessResult r = Run({"/cli", "/pattern=renamed", "photos/\xE9.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, CompletedLine());
  EXPECT_EQ(Contents("photos"), QList<QByteArray>({"renamed.txt=byte", "\xEF\xBF\xBD.txt=real"}));
  EXPECT_TRUE(temp_.ReadBytes("appdata/Larkwell/Corvane/last_rename.csv")
                  .contains("\"" + temp_.PathBytes() + "/photos/\xE9.txt\",\""));

  const ProcessResult undo = Run({"/cli", "/undo"});
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(undo.out, kUndone);
  EXPECT_EQ(Contents("photos"), QList<QByteArray>({"\xE9.txt=byte", "\xEF\xBF\xBD.txt=real"}));
}

// A file Overwrite replaces goes to the trash whatever the bytes of its name,
// and the undo brings it back under them.
TEST_F(CommandLineBytesTest, ReplacedFileWhoseNameIsNotUtf8GoesToTheTrashAndComesBack) {
  temp_.CreateFolderBytes("docs");
  temp_.CreateBytes("docs/caf\xE9.txt", "old");
  temp_.CreateBytes("docs/a.txt", "new");
  const ProcessResult r = Run({"/cli", "/pattern=caf\xE9", "/conflict=overwrite", "docs/a.txt"});
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(Contents("docs"), QList<QByteArray>({"caf\xE9.txt=new"}));
  EXPECT_EQ(Contents("xdg/Trash/files"), QList<QByteArray>({"caf\xE9.txt=old"}));

  const ProcessResult undo = Run({"/cli", "/undo"});
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(Contents("docs"), QList<QByteArray>({"a.txt=new", "caf\xE9.txt=old"}));
  EXPECT_EQ(Contents("xdg/Trash/files"), QList<QByteArray>());
  EXPECT_EQ(Contents("xdg/Trash/info"), QList<QByteArray>());
}

// A relative path is made absolute with the folder the program runs in, whose
// name may be such bytes too; the undo then works from anywhere.
TEST_F(CommandLineBytesTest, RelativePathsInAFolderNamedInBytes) {
  temp_.CreateFolderBytes("\xFF\xFE");
  temp_.CreateBytes("\xFF\xFE/a\xE9.txt", "A");
  temp_.CreateFolderBytes("elsewhere");
  const ProcessResult r = Run({"/cli", "/case=upper", "a\xE9.txt"}, "\xFF\xFE");
  EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();
  EXPECT_EQ(r.out, CompletedLine());
  EXPECT_EQ(Contents("\xFF\xFE"), QList<QByteArray>({"A\xE9.txt=A"}));

  const ProcessResult undo = Run({"/cli", "/undo"}, "elsewhere");
  EXPECT_EQ(undo.exitCode, 0) << undo.err.toStdString();
  EXPECT_EQ(Contents("\xFF\xFE"), QList<QByteArray>({"a\xE9.txt=A"}));
}

}  // namespace
}  // namespace corvane

#endif  // !Q_OS_WIN
