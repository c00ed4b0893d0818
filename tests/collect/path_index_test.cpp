#include "collect/path_index.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

#include "platform/paths.h"

namespace corvane {
namespace {

// Every path in one probe chain: removals must move the followers back.
size_t SameHash(QStringView) { return 42; }
bool Exact(QStringView a, QStringView b) { return a == b; }

TEST(PathIndexTest, EntriesOfOneChainStayFindableWhenOthersGo) {
  PathIndex index(&SameHash, &Exact);
  for (const char* path : {"a", "b", "c", "d"}) index.Add(path);
  index.Remove("b");
  EXPECT_TRUE(index.Contains("a"));
  EXPECT_FALSE(index.Contains("b"));
  EXPECT_TRUE(index.Contains("c"));
  EXPECT_TRUE(index.Contains("d"));
  index.Remove("a");
  index.Remove("missing");
  EXPECT_FALSE(index.Contains("a"));
  EXPECT_TRUE(index.Contains("c"));
  EXPECT_TRUE(index.Contains("d"));
  EXPECT_EQ(index.size(), 2);
}

TEST(PathIndexTest, CountsRepeatedPaths) {
  PathIndex index(&PathTextHashWindowsRule, &SamePathTextWindowsRule);
  index.Add("C:\\a.txt");
  index.Add("c:\\A.TXT");
  EXPECT_EQ(index.size(), 1);
  index.Remove("C:\\A.txt");
  EXPECT_TRUE(index.Contains("c:\\a.txt"));
  index.Remove("C:\\a.txt");
  EXPECT_FALSE(index.Contains("c:\\a.txt"));
  EXPECT_EQ(index.size(), 0);
}

// Few distinct hashes, so chains are long and wrap around the table's end.
size_t FewHashes(QStringView path) { return size_t(path.size() % 3) * 0x51ED27ull; }

TEST(PathIndexTest, AgreesWithAPlainMultisetThroughGrowthRemovalAndClearing) {
  PathIndex index(&FewHashes, &Exact);
  std::map<QString, int> model;
  std::mt19937 random(20240517);
  for (int step = 0; step < 20000; ++step) {
    const QString path = QString::number(random() % 300);
    const unsigned action = random() % 100;
    if (action < 55) {
      index.Add(path);
      ++model[path];
    } else if (action < 99) {
      index.Remove(path);
      if (auto it = model.find(path); it != model.end() && --it->second == 0) model.erase(it);
    } else {
      index.Clear();
      model.clear();
    }
    ASSERT_EQ(index.Contains(path), model.count(path) == 1) << "step " << step;
    ASSERT_EQ(index.size(), qsizetype(model.size())) << "step " << step;
  }
  for (int n = 0; n < 300; ++n) {
    const QString path = QString::number(n);
    EXPECT_EQ(index.Contains(path), model.count(path) == 1) << path.toStdString();
  }
}

}  // namespace
}  // namespace corvane
