// The texts of the command-line mode against the program's list of English
// texts. A catalogue that marks every listed text is loaded, so that a line
// printed unmarked is a text that is missing from the list (and from the
// shipped translations) or that bypasses Translate.
#include <gtest/gtest.h>

#include <QDate>
#include <QTextStream>
#include <QTimeZone>
#include <optional>

#include "batch/verdict_texts.h"
#include "cli/console_sink.h"
#include "cli/run_command_line.h"
#include "cli/terminal_progress.h"
#include "cli/usage.h"
#include "i18n/english_texts.h"
#include "i18n/translation.h"
#include "platform/user_choices.h"
#include "presets/preset_file.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

using testing::TempFolder;

QString Marked(const QString& english) { return "<<" + english + ">>"; }

class CliEnglishTextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    QByteArray file = "2\nEnglish\nMarked\nen\nxx\n";
    for (const QString& text : EnglishTexts()) {
      file += text.toUtf8() + '\n' + Marked(text).toUtf8() + '\n';
    }
    const QString path = catalogueFolder_.Create({"transl.dt"}, file).first();
    ASSERT_TRUE(Store().WriteCurrentLanguage("xx"));
    ASSERT_TRUE(LoadTranslationsFrom(path, LanguageToOpenIn(Store())).ok());
  }
  void TearDown() override {
    // Leave the program-wide catalogue empty for the next test.
    static_cast<void>(
        LoadTranslationsFrom(catalogueFolder_.file("none.dt"), LanguageToOpenIn(Store())));
  }

  UserChoices Store() const {
    return UserChoices::InIniFile(catalogueFolder_.file("Corvane.conf"));
  }

  TempFolder catalogueFolder_;
};

// The marks of a dry run, the counts and the progress line are listed texts.
TEST_F(CliEnglishTextsTest, VerdictsAndProgressAreListedTexts) {
  using K = VerdictKind;
  using R = CannotBeMadeReason;
  const QList<std::pair<ItemVerdict, QString>> verdicts = {
      {{K::kUnchanged, {}, "/d/a"}, Marked("unchanged")},
      {{K::kNumbered, {}, "/d/x (1)"}, "<<numbered: %s is taken>>"},
      {{K::kSkipped, {}, "/d/a"}, "<<skipped: %s is taken>>"},
      {{K::kReplaces, {}, "/d/x"}, "<<replaces the file %s>>"},
      {{K::kCannotBeMade, R::kNoNewName, "/d/a"}, Marked("cannot be made: no new name")},
      {{K::kCannotBeMade, R::kInvalidName, "/d/a"},
       Marked("cannot be made: not a valid file name")},
      {{K::kCannotBeMade, R::kTooLong, "/d/a"}, Marked("cannot be made: file name too long")},
      {{K::kCannotBeMade, R::kNameTaken, "/d/a"}, "<<cannot be made: %s is taken>>"},
  };
  for (const auto& [verdict, expected] : verdicts) {
    EXPECT_EQ(Translate(VerdictText(verdict, u"x")), QString(expected).replace("%s", "x"));
  }
  const VerdictCounts counts{.numbered = 1, .skipped = 2, .replaces = 3, .cannotBeMade = 4};
  EXPECT_EQ(VerdictCountsText(Translate(VerdictCountTexts(counts))),
            "<<1 numbered>> \u00B7 <<2 skipped>> \u00B7 <<3 replace a file>> \u00B7 <<4 cannot be "
            "made>>");
  QByteArray line;
  {
    TerminalProgress progress([&](QByteArrayView b) { line += b.toByteArray(); },
                              std::chrono::milliseconds(0));
    progress.Advanced(1, 1);
  }
  EXPECT_TRUE(line.startsWith("\r<<Files done: 1 of 1>>")) << line.toStdString();
}

TEST_F(CliEnglishTextsTest, EveryTranslatedLineOfTheUsageIsAListedText) {
  const QStringList lines = UsageLines();
  ASSERT_FALSE(lines.isEmpty());
  EXPECT_EQ(lines.first(), Marked("Usage: corvane [files or folders]"));
  EXPECT_TRUE(lines.contains(Marked("Usage: corvane /cli [options] [files or folders]")));
  int switchLines = 0;
  int statusLines = 0;
  int exampleLines = 0;
  for (const QString& line : lines) {
    if (line.isEmpty()) continue;
    if (line.startsWith("  corvane /cli ")) {  // typed as it stands, never translated
      ++exampleLines;
      continue;
    }
    QString text = line;
    if (line.startsWith("  /")) {
      ++switchLines;
      // "  /name=VALUE" padded with spaces, then the description.
      text = line.mid(line.indexOf(u' ', 2)).trimmed();
    } else if (line.size() > 3 && line.startsWith("  ") && line[2].isDigit()) {
      ++statusLines;
      // "  N  ", then the meaning of exit status N.
      text = line.mid(3).trimmed();
    }
    EXPECT_TRUE(text.startsWith("<<") && text.endsWith(">>"))
        << "not a listed text: \"" << line.toStdString() << '"';
  }
  EXPECT_GT(switchLines, 0);
  EXPECT_EQ(statusLines, 3);
  EXPECT_EQ(exampleLines, 2);
}

// One run (or several in a row) of the mode in a fresh folder. In the
// arguments "@x" stands for the path of x in that folder.
struct MessageCase {
  const char* name;
  QStringList files;                   // created before the first run
  std::optional<int> presetBatchMode;  // saves "@preset.json" with no destination
  QList<QStringList> runs;
  int errorLines = 0;  // on the error stream, and then nothing else; otherwise one line a run
};

QStringList InFolder(const TempFolder& folder, QStringList args) {
  for (QString& arg : args) {
    if (arg.startsWith(u'@')) arg = folder.file(arg.mid(1));
    arg.replace("=@", "=" + folder.path() + "/");
  }
  return args;
}

// Every message the mode prints, through the console sink that the terminal
// uses, must come out translated.
TEST_F(CliEnglishTextsTest, EveryMessageOfTheModeIsAListedText) {
  const MessageCase cases[] = {
      {"UndoWithDryRun", {}, std::nullopt, {{"/cli", "/undo", "/dryrun"}}},
      {"NoFiles", {}, std::nullopt, {{"/cli", "/pattern=x"}}},
      {"MissingFile", {}, std::nullopt, {{"/cli", "@missing.txt"}}, 1},
      {"UnknownSwitch", {}, std::nullopt, {{"/cli", "/dryrn"}}, 2},
      {"NoUndoLog", {}, std::nullopt, {{"/cli", "/undo"}}},
      {"BatchThenUndo",
       {"a.txt"},
       std::nullopt,
       {{"/cli", "/pattern=b", "@a.txt"}, {"/cli", "/undo"}}},
      {"CopyWithoutDestination",
       {"a.txt"},
       static_cast<int>(BatchMode::CopyToFolder),
       {{"/cli", "/preset=@preset.json", "@a.txt"}}},
      {"NoBatchMode", {"a.txt"}, 7, {{"/cli", "/preset=@preset.json", "@a.txt"}}},
  };
  for (const MessageCase& c : cases) {
    TempFolder folder;
    folder.Create(c.files);
    if (c.presetBatchMode) {
      RenameOptions preset;
      preset.batchMode = *c.presetBatchMode;
      ASSERT_TRUE(SavePresetFile(folder.file("preset.json"), preset, RealFileSystem()).ok())
          << c.name;
    }
    const CommandLineServices services{
        RealFileSystem(), folder.file("appdata/last_rename.csv"),
        EngineContext::Fixed(QDateTime(QDate(2024, 5, 6), QTime(7, 8), QTimeZone::utc()),
                             QTimeZone::utc())};
    QString out;
    QString err;
    {
      QTextStream outStream(&out);
      QTextStream errStream(&err);
      ConsoleSink sink(outStream, errStream);
      for (const QStringList& args : c.runs) {
        RunCommandLine(InFolder(folder, args), RenameOptions(), sink, services);
      }
    }
    const QStringList printed = out.split(u'\n', Qt::SkipEmptyParts);
    const QStringList errorLines = err.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(errorLines.size(), c.errorLines) << c.name << ": " << err.toStdString();
    EXPECT_EQ(printed.size(), c.errorLines > 0 ? 0 : c.runs.size())
        << c.name << ": " << out.toStdString();
    for (const QString& line : printed + errorLines) {
      EXPECT_TRUE(line.startsWith("<<") && line.endsWith(">>"))
          << c.name << ": not a listed text: \"" << line.toStdString() << '"';
    }
  }
}

}  // namespace
}  // namespace corvane
