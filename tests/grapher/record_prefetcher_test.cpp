// Records read ahead on worker threads come back in the order asked for.
#include "grapher/catalogue/record_prefetcher.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <string>
#include <vector>

#include "common/working_folder.h"
#include "tests/support/temp_folder.h"

namespace quillon::grapher {
namespace {

using quillon::testing::TempFolder;

class RecordPrefetcherTest : public ::testing::TestWithParam<unsigned> {
 protected:
  RecordPrefetcherTest() : reader(folder.path(), {"even"}) {
    for (int i = 0; i < 600; i += 2) {
      const std::string title =
          std::string(i % 4 == 0 ? "even " : "odd ").append(std::to_string(i));
      (void)WriteProductRecord(folder.path(), std::string("P").append(std::to_string(i)),
                               "<Request><IsValid>True</IsValid></Request><Title>" + title +
                                   "</Title><SimilarProducts><SimilarProduct><ASIN>P" +
                                   std::to_string(i + 1) +
                                   "</ASIN></SimilarProduct></SimilarProducts>");
    }
  }
  TempFolder folder;
  RecordReader reader;
};

TEST_P(RecordPrefetcherTest, TakesComeInRequestOrderWhileRequestsKeepComing) {
  RecordPrefetcher records(reader, GetParam());
  records.request("P0");
  for (int i = 0; i < 600; ++i) {
    if (i + 1 < 600) records.request(std::string("P").append(std::to_string(i + 1)));
    const RecordFields fields = records.take();
    ASSERT_EQ(fields.valid, i % 2 == 0) << i;
    if (!fields.valid) continue;
    EXPECT_EQ(fields.title, std::string(i % 4 == 0 ? "even " : "odd ").append(std::to_string(i)));
    EXPECT_EQ(fields.keywordIndex, i % 4 == 0 ? 0 : -1);
    ASSERT_EQ(fields.similarAsins.size(), 1u);
    EXPECT_EQ(fields.similarAsins[0], std::string("P").append(std::to_string(i + 1)));
  }
}

TEST_P(RecordPrefetcherTest, StopsWithRequestsLeftUntaken) {
  // Records that nobody ever writes: reading one blocks for good, so the test
  // ends only if the destructor leaves them alone.
  std::vector<std::string> blocking;
  for (int i = 0; i < 3; ++i) {
    blocking.push_back(std::string("FIFO").append(std::to_string(i)));
    ASSERT_EQ(::mkfifo(folder.file(blocking.back() + ".xml").c_str(), 0600), 0);
  }
  RecordPrefetcher records(reader, GetParam());
  records.request("P0");
  // Requests that fill the read-ahead, so that no worker may start the blocking ones.
  for (std::size_t i = 0; i < RecordPrefetcher::kReadAhead; ++i)
    records.request(std::string("MISSING").append(std::to_string(i)));
  for (const std::string& asin : blocking) records.request(asin);
  EXPECT_TRUE(records.take().valid);
}

INSTANTIATE_TEST_SUITE_P(Workers, RecordPrefetcherTest, ::testing::Values(0u, 1u, 4u),
                         [](const auto& info) { return std::to_string(info.param) + "Workers"; });

}  // namespace
}  // namespace quillon::grapher
