#include "platform/file_metadata.h"

#include <gtest/gtest.h>

#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>

#include <cstring>
#endif

namespace corvane {
namespace {

#ifndef Q_OS_WIN
struct statx Answer(unsigned mask) {
  struct statx answer;
  std::memset(&answer, 0, sizeof answer);
  answer.stx_mask = mask;
  answer.stx_mode = S_IFREG | 0644;
  answer.stx_size = 1536;
  answer.stx_mtime = {1614834367, 890999999, 0};
  answer.stx_btime = {1600000000, 999999, 0};
  return answer;
}

QString Iso(const QDateTime& t) { return t.isValid() ? t.toString(Qt::ISODateWithMs) : "invalid"; }

TEST(MetadataFromStatxTest, TakesTheBirthTimeWhereTheFileSystemRecordsOne) {
  const FileMetadata data = MetadataFromStatx(Answer(STATX_SIZE | STATX_MTIME | STATX_BTIME));
  EXPECT_EQ(data.size, 1536);
  EXPECT_EQ(Iso(data.modifiedUtc), "2021-03-04T05:06:07.890Z");
  EXPECT_EQ(Iso(data.createdUtc), "2020-09-13T12:26:40.000Z");
}

TEST(MetadataFromStatxTest, UsesTheLastWriteTimeWhenNoBirthTimeIsRecorded) {
  const FileMetadata data = MetadataFromStatx(Answer(STATX_SIZE | STATX_MTIME));
  EXPECT_EQ(Iso(data.createdUtc), "2021-03-04T05:06:07.890Z");
}

TEST(MetadataFromStatxTest, WhatWasNotAnsweredStaysUnreadable) {
  const FileMetadata data = MetadataFromStatx(Answer(STATX_TYPE));
  EXPECT_EQ(data.size, -1);
  EXPECT_EQ(Iso(data.modifiedUtc), "invalid");
  EXPECT_EQ(Iso(data.createdUtc), "invalid");
}

TEST(MetadataFromStatxTest, TimesBefore1970RoundTowardsThePast) {
  struct statx answer = Answer(STATX_MTIME);
  answer.stx_mtime = {-2, 500000000, 0};
  EXPECT_EQ(Iso(MetadataFromStatx(answer).modifiedUtc), "1969-12-31T23:59:58.500Z");
}
#endif

}  // namespace
}  // namespace corvane
