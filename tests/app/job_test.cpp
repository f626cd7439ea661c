#include <gtest/gtest.h>

#include "app/job.hpp"
#include "test_support.hpp"

TEST(SampleRoundTrip, UnchangedFilesRebuildTheSameImage) {
  TempDir dir;
  write_sample(dir.path("sample.smc"));
  ASSERT_EQ(extract(dir.path("sample.smc"), dir.path("csv/")), 0);
  ASSERT_EQ(build(dir.path("sample.smc"), dir.path("out.smc"), dir.path("csv/")), 0);
  EXPECT_EQ(first_difference(read_bytes(dir.path("sample.smc")), read_bytes(dir.path("out.smc"))), -1);
}
