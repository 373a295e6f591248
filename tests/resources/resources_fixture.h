// The fixture of the resources tests: each test runs in a fresh temporary folder
// with an empty file table, text table and path, and leaves them so.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/platform.h"
#include "resources/resources.h"
#include "test_support.h"

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedDirectory_ = sysCurrentDirectory();
    ASSERT_TRUE(sysChangeDirectory(testTempDirectory("resources").c_str()));
    resetResources();
  }
  void TearDown() override {
    resetResources();
    sysChangeDirectory(savedDirectory_.c_str());
  }
  // Writes a pack built from (name, bytes) pairs; fails the test if it cannot.
  static void writePack(const std::string& path,
                        const std::vector<std::pair<std::string, std::string>>& files) {
    std::vector<PackInput> inputs;
    for (const auto& [name, bytes] : files) inputs.push_back({name, {bytes.begin(), bytes.end()}});
    std::vector<uint8_t> pack;
    std::string error;
    ASSERT_TRUE(buildPack(inputs, &pack, &error)) << error;
    testWriteFile(path, std::string(pack.begin(), pack.end()));
  }
  static std::string asString(const uint8_t* data, uint32_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
  }

 private:
  std::string savedDirectory_;
};
