#include "batch/undo_log.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(UndoLogTest, LinesAreQuotedPairsWithCrLf) {
  EXPECT_EQ(UndoLogStart(), "\xEF\xBB\xBFOriginal,New\r\n");
  EXPECT_EQ(UndoLogLine(u"/a/Grüße.txt", u"/b/x y.txt"),
            "\"/a/Gr\xC3\xBC\xC3\x9F"
            "e.txt\",\"/b/x y.txt\"\r\n");
}

TEST(UndoLogTest, ZeroBytesAfterTheLastLineArePassedOver) {
  // What a batch that was killed leaves: room reserved for lines never written.
  const QByteArray log = UndoLogStart() + UndoLogLine(u"/a/x", u"/a/y") + QByteArray(4096, '\0');
  EXPECT_EQ(ParseUndoLog(log), QList<UndoLogEntry>({{"/a/x", "/a/y"}}));
}

TEST(UndoLogTest, ReusedLineBufferHoldsOnlyTheNewLine) {
  QByteArray line;
  EncodeUndoLogLine(line, u"/a/a-rather-long-name.txt", u"/a/another-long-name.txt");
  EncodeUndoLogLine(line, u"/a/é", u"/b");
  EXPECT_EQ(line, "\"/a/\xC3\xA9\",\"/b\"\r\n");
}

// A Linux name's bytes that are not UTF-8 are held as lone surrogates U+DC80
// to U+DCFF (platform/native_name.h): the log holds those bytes, and reading
// it gives back the same text, apart from a real U+FFFD.
TEST(UndoLogTest, NamesThatAreNotUtf8AreWrittenAsTheirBytesAndReadBack) {
  struct Case {
    const char* name;
    const char16_t* source;
    const char16_t* target;
    QByteArray line;
  };
  const Case cases[] = {
      {"a Latin-1 byte", u"/a/caf\xDCE9.txt", u"/a/cafe.txt",
       "\"/a/caf\xE9.txt\",\"/a/cafe.txt\"\r\n"},
      {"bytes no UTF-8 has", u"/a/\xDCFF\xDCFE.bin", u"/b/\xDCFF.bin",
       "\"/a/\xFF\xFE.bin\",\"/b/\xFF.bin\"\r\n"},
      {"beside U+FFFD and UTF-8", u"/\xDCC3\uFFFD\u00E9", u"/\xDCC3",
       "\"/\xC3\xEF\xBF\xBD\xC3\xA9\",\"/\xC3\"\r\n"},
      {"in the folder", u"/d\xDCE9/x", u"/d\xDCE9/y", "\"/d\xE9/x\",\"/d\xE9/y\"\r\n"},
  };
  for (const Case& c : cases) {
    const QString source = QString::fromUtf16(c.source);
    const QString target = QString::fromUtf16(c.target);
    EXPECT_EQ(UndoLogLine(source, target), c.line) << c.name;
    EXPECT_EQ(ParseUndoLog(UndoLogStart() + c.line), QList<UndoLogEntry>({{source, target}}))
        << c.name;
  }
}

TEST(UndoLogTest, PathIsUnderTheApplicationDataFolder) {
  const QByteArray saved = qgetenv("APPDATA");
  qputenv("APPDATA", "/data/roaming");
  EXPECT_EQ(UndoLogPath(), "/data/roaming/Larkwell/Corvane/last_rename.csv");
  qputenv("APPDATA", "/data/roaming/");
  EXPECT_EQ(UndoLogPath(), "/data/roaming/Larkwell/Corvane/last_rename.csv");
  qputenv("APPDATA", saved);
}

TEST(UndoLogTest, LogHoldsNoQuoteCrOrLf) {
  EXPECT_TRUE(LogCanHoldPath(u"/a/b c,d\t.txt"));
  EXPECT_FALSE(LogCanHoldPath(u"/a/say \"hi\".txt"));
  EXPECT_FALSE(LogCanHoldPath(u"/a/two\nlines.txt"));
  EXPECT_FALSE(LogCanHoldPath(u"/a/cr\r.txt"));
}

TEST(UndoLogTest, ParsesWhatWritersAndHandEditsLeave) {
  struct Case {
    const char* name;
    QByteArray bytes;
    QList<UndoLogEntry> expected;
  };
  const Case cases[] = {
      {"as written",
       "\xEF\xBB\xBFOriginal,New\r\n\"/a/x\",\"/a/y\"\r\n\"/b\",\"/c\"\r\n",
       {{"/a/x", "/a/y"}, {"/b", "/c"}}},
      {"no byte-order mark, LF only", "Original,New\n\"/a\",\"/b\"\n", {{"/a", "/b"}}},
      {"lone CR", "Original,New\r\"/a\",\"/b\"\r\"/c\",\"/d\"", {{"/a", "/b"}, {"/c", "/d"}}},
      {"line 1 is never an operation", "\"/a\",\"/b\"\r\n\"/c\",\"/d\"\r\n", {{"/c", "/d"}}},
      {"spaces and tabs around", "h\r\n \t \"/a\",\"/b\"\t  \r\n", {{"/a", "/b"}}},
      {"without outer quotes", "h\r\n/a\",\"/b\r\n", {{"/a", "/b"}}},
      {"no separator is passed over", "h\r\n\"/a\";\"/b\"\r\n/c,/d\r\n\r\n   \r\n", {}},
      {"first separator splits", "h\r\n\"/a\",\"/b\",\"/c\"\r\n", {{"/a", "/b\",\"/c"}}},
      {"only a quote", "h\r\n\"\r\n", {}},
      {"empty", "", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseUndoLog(c.bytes), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace corvane
