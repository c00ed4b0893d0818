#include "collect/row_moves.h"

#include <gtest/gtest.h>

namespace corvane {
namespace {

struct MoveCase {
  const char* why;
  qsizetype count;
  QList<qsizetype> selected;
  ItemOrder up;
  ItemOrder down;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.why; }

class RowMovesTest : public ::testing::TestWithParam<MoveCase> {};

TEST_P(RowMovesTest, MovesUp) {
  const MoveCase& c = GetParam();
  EXPECT_EQ(OrderAfterMovingUp(c.count, c.selected), c.up);
}

TEST_P(RowMovesTest, MovesDown) {
  const MoveCase& c = GetParam();
  EXPECT_EQ(OrderAfterMovingDown(c.count, c.selected), c.down);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowMovesTest,
    ::testing::Values(
        MoveCase{"one row in the middle", 5, {2}, {0, 2, 1, 3, 4}, {0, 1, 3, 2, 4}},
        MoveCase{"a contiguous block", 5, {1, 2}, {1, 2, 0, 3, 4}, {0, 3, 1, 2, 4}},
        MoveCase{"apart rows each move", 6, {1, 4}, {1, 0, 2, 4, 3, 5}, {0, 2, 1, 3, 5, 4}},
        MoveCase{"the edge row stays, the one behind it moves",
                 5,
                 {0, 2},
                 {0, 2, 1, 3, 4},
                 {1, 0, 3, 2, 4}},
        MoveCase{"a block at the edge stays", 5, {0, 1, 4}, {0, 1, 2, 4, 3}, {2, 0, 1, 3, 4}},
        MoveCase{"the last row down stays", 4, {3, 1}, {1, 0, 3, 2}, {0, 2, 1, 3}},
        MoveCase{"selection given in any order with repeats",
                 5,
                 {3, 1, 3},
                 {1, 0, 3, 2, 4},
                 {0, 2, 1, 4, 3}},
        MoveCase{"rows outside the list are passed over", 3, {-1, 7}, {0, 1, 2}, {0, 1, 2}},
        MoveCase{"nothing selected", 3, {}, {0, 1, 2}, {0, 1, 2}},
        MoveCase{"everything selected", 3, {0, 1, 2}, {0, 1, 2}, {0, 1, 2}},
        MoveCase{"an empty list", 0, {}, {}, {}}));

struct DropCase {
  const char* why;
  qsizetype count;
  QList<qsizetype> selected;
  qsizetype target;
  ItemOrder expected;
};

void PrintTo(const DropCase& c, std::ostream* os) { *os << c.why; }

class RowsDroppedTest : public ::testing::TestWithParam<DropCase> {};

TEST_P(RowsDroppedTest, StandTogetherBeforeTheTarget) {
  const DropCase& c = GetParam();
  EXPECT_EQ(OrderAfterMovingTo(c.count, c.selected, c.target), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RowsDroppedTest,
    ::testing::Values(DropCase{"apart rows to the top", 5, {3, 1}, 0, {1, 3, 0, 2, 4}},
                      DropCase{"to the end", 5, {0, 2}, 5, {1, 3, 4, 0, 2}},
                      DropCase{"between their own rows", 5, {1, 3}, 2, {0, 1, 3, 2, 4}},
                      DropCase{"onto themselves changes nothing", 4, {1, 2}, 2, {0, 1, 2, 3}},
                      DropCase{"a target beyond the end is the end", 3, {0}, 9, {1, 2, 0}}));

}  // namespace
}  // namespace corvane
