// persistence_fixture.h: a private data directory with its own "settings" folder
// and default-record files, the text table's default names, and empty tables.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

class PersistenceTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // What the start-up does: the settings record, then the profiles and records
  // from the "settings" folder.
  void startUp();
  // A file of the data directory's "settings" folder.
  std::string settingsPath(const char* name) const;
  std::vector<uint8_t> settingsFile(const char* name) const;
  void writeSettingsFile(const char* name, const std::vector<uint8_t>& bytes) const;
  // The registry stand-in's value, or empty when there is none.
  std::vector<uint8_t> registryValue() const;
  void writeRegistryValue(const std::vector<uint8_t>& bytes) const;

  std::string data_;  // the data directory, without the trailing '/'
};

// Little-endian integer at `offset`.
int32_t int32At(const std::vector<uint8_t>& bytes, size_t offset);
float floatAt(const std::vector<uint8_t>& bytes, size_t offset);
// Entries of a folder.
int fileCount(const std::string& dir);
