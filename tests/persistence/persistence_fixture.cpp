// The private data directory of the persistence tests.
#include "persistence_fixture.h"

#include <cstring>
#include <filesystem>

#include "app/app.h"
#include "app/scene.h"
#include "core/numeric.h"
#include "persistence/profile.h"
#include "persistence/profile_file.h"
#include "persistence/records.h"
#include "persistence/settings.h"
#include "platform/platform.h"
#include "resources/resources.h"
#include "test_support.h"

namespace {

const char kNames[] =
    "defname1=ALICE\r\ndefname2=BORIS\r\ndefname3=CLARA\r\ndefname4=DMITRI\r\n"
    "defname5=EVA\r\ndefname6=FELIX\r\ndefname7=GRETA\r\ndefname8=HUGO\r\n"
    "defname9=IRINA\r\ndefname10=JONAS\r\n";

// Two levels of records per file; the others read as 0.
const char kExpertRecords[] = "combo1=3\r\nscore1=3000\r\ntime1=2.05\r\nmove1=20\r\n"
                              "combo2=4\r\nscore2=4500\r\ntime2=1.3\r\nmove2=31\r\n";

}  // namespace

void PersistenceTest::SetUp() {
  const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
  data_ = testTempDirectory((std::string("persist-") + info->name()).c_str());
  testMakeDirectories((data_ + "/settings").c_str());
  testWriteFile(data_ + "/hi_expert.txt", kExpertRecords);
  resetResources();
  std::snprintf(dataLocation.dataDirectory, sizeof dataLocation.dataDirectory, "%s/",
                data_.c_str());
  returnToDataDirectory();
  testRunCommand("rm -rf '" + sysRegistryPath(kSettingsKey, kSettingsValueName) + "'");
  parseTextFile("strings.txt", reinterpret_cast<const uint8_t*>(kNames), sizeof kNames);
  resetPersistence();
  seedRandom(5);
}

void PersistenceTest::TearDown() {
  resetResources();
  setCurrentSceneDirectly(nullptr);
}

void PersistenceTest::startUp() {
  readSettings();
  loadPlayerFiles();
}

std::string PersistenceTest::settingsPath(const char* name) const {
  return data_ + "/settings/" + name;
}

std::vector<uint8_t> PersistenceTest::settingsFile(const char* name) const {
  return testReadFile(settingsPath(name));
}

void PersistenceTest::writeSettingsFile(const char* name, const std::vector<uint8_t>& bytes) const {
  testWriteFile(settingsPath(name), std::string(bytes.begin(), bytes.end()));
}

std::vector<uint8_t> PersistenceTest::registryValue() const {
  return testReadFile(sysRegistryPath(kSettingsKey, kSettingsValueName));
}

void PersistenceTest::writeRegistryValue(const std::vector<uint8_t>& bytes) const {
  sysRegistryWrite(kSettingsKey, kSettingsValueName, bytes.data(), bytes.size());
}

int32_t int32At(const std::vector<uint8_t>& bytes, size_t offset) {
  uint32_t v = 0;
  for (int i = 0; i < 4; ++i) v |= uint32_t(bytes[offset + i]) << (8 * i);
  return int32_t(v);
}

float floatAt(const std::vector<uint8_t>& bytes, size_t offset) {
  const int32_t bits = int32At(bytes, offset);
  float value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

int fileCount(const std::string& dir) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) count += entry.exists() ? 1 : 0;
  return count;
}
