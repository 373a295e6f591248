// The fuzzers' inputs replayed through the very entries the fuzzers call: every
// input that once broke a reader (regressions/<target>/), and the first inputs made
// from the generated data, whole and damaged in the ways fuzzers start from.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "seeds.h"
#include "targets.h"
#include "test_support.h"

namespace {

namespace fs = std::filesystem;

const fs::path kRegressions = fs::path(ORBEL_SOURCE_DIR) / "tests" / "fuzz" / "regressions";

// The files of a folder, sorted; none when it is missing.
std::vector<fs::path> filesIn(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(folder, ignored)) {
    if (entry.is_regular_file()) files.push_back(entry.path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

void replay(const FuzzTarget& target, const std::vector<uint8_t>& bytes) {
  // An empty input still gets a buffer, as libFuzzer hands one over.
  const uint8_t none = 0;
  target.run(bytes.empty() ? &none : bytes.data(), bytes.size());
}

class FuzzReplay : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(prepareFuzzing()); }
};

TEST_F(FuzzReplay, EveryInputThatOnceBrokeAReaderNowReadsSafely) {
  for (const FuzzTarget* target = kFuzzTargets; target < kFuzzTargets + kFuzzTargetCount;
       ++target) {
    if (!target->run) continue;
    for (const fs::path& file : filesIn(kRegressions / target->name)) {
      SCOPED_TRACE(file.string());
      replay(*target, testReadFile(file.string()));
    }
  }
  // Every folder of kept inputs belongs to a reader, so none is left unreplayed.
  std::error_code ignored;
  for (const auto& entry : fs::directory_iterator(kRegressions, ignored)) {
    const FuzzTarget* target = findFuzzTarget(entry.path().filename().c_str());
    EXPECT_TRUE(target && target->run) << entry.path() << " names no fuzzed reader";
  }
}

TEST_F(FuzzReplay, TheDataToolsFilesWholeAndDamagedReadSafelyThroughEveryReader) {
  const std::string seeds = testTempDirectory("fuzz-seeds");
  std::string error;
  ASSERT_TRUE(writeFuzzSeeds(ORBEL_DATA_DIR, seeds, &error)) << error;
  for (const FuzzTarget* target = kFuzzTargets; target < kFuzzTargets + kFuzzTargetCount;
       ++target) {
    if (!target->run) continue;
    const std::vector<fs::path> files = filesIn(fs::path(seeds) / target->name);
    EXPECT_FALSE(files.empty()) << target->name << " has no first inputs";
    // A few of each kind: whole, cut in half, cut to its first byte, with every
    // 97th byte flipped, and with every byte 0xFF.
    for (size_t i = 0; i < files.size() && i < 4; ++i) {
      SCOPED_TRACE(files[i].string());
      const std::vector<uint8_t> whole = testReadFile(files[i].string());
      replay(*target, whole);
      replay(*target, std::vector<uint8_t>(whole.begin(), whole.begin() + whole.size() / 2));
      replay(*target, std::vector<uint8_t>(whole.begin(), whole.begin() + (whole.empty() ? 0 : 1)));
      std::vector<uint8_t> damaged = whole;
      for (size_t k = 0; k < damaged.size(); k += 97) damaged[k] ^= 0xA5;
      replay(*target, damaged);
      replay(*target, std::vector<uint8_t>(whole.size(), 0xFF));
    }
  }
}

}  // namespace
