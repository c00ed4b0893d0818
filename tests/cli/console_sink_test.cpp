#include "cli/console_sink.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

TEST(ConsoleSinkTest, SendsErrorsToTheErrorStreamAndTheRestToOutput) {
  QString out;
  QString err;
  QTextStream outStream(&out);
  QTextStream errStream(&err);
  {
    ConsoleSink sink(outStream, errStream);
    sink.ShowNotice(Notice::Information("No files loaded. Add files first."));
    sink.ShowNotice(Notice::Warning("Please select a destination folder for Copy/Move mode."));
    sink.ShowLine("a.txt -> b.txt");
    sink.ShowError(Error("The specified file was not found"));
    // As it stands: no full stop after a question or a path.
    sink.ShowErrorLine("Did you mean /dryrun?");
    sink.ShowErrorLine("File not found: o/c.txt");
  }
  EXPECT_EQ(out,
            "No files loaded. Add files first.\n"
            "Please select a destination folder for Copy/Move mode.\n"
            "a.txt -> b.txt\n");
  EXPECT_EQ(err,
            "The specified file was not found.\n"
            "Did you mean /dryrun?\n"
            "File not found: o/c.txt\n");
}

}  // namespace
}  // namespace corvane
