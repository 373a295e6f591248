// test_support.h: small helpers shared by the test programs.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh, empty folder under the build's temporary area, unique to this process
// and tag. Created on first use.
std::string testTempDirectory(const char* tag);
// mkdir -p.
void testMakeDirectories(const char* path);
// Writes / reads a whole file; the reader returns an empty vector if missing.
void testWriteFile(const std::string& path, const std::string& bytes);
std::vector<uint8_t> testReadFile(const std::string& path);
// Runs a shell command, returns its exit status; its standard output is stored in
// *output when given.
int testRunCommand(const std::string& command, std::string* output = nullptr);
// A private view of the generated data: a fresh folder whose entries link to those
// of the build's Data folder, with an empty "settings" folder of its own, so tests
// that write settings never meet each other.
std::string testPrivateDataDirectory(const char* tag);
// Runs orbel-script on `script` (written to a temporary file) over the data folder
// `data`, with extra command-line `options` and an `environment` prefix
// ("NAME=value ..."). Returns the exit status; standard output goes to *output and
// standard error is dropped unless `withErrors`.
int testRunScript(const std::string& data, const std::string& script,
                  const std::string& options, std::string* output,
                  const std::string& environment = "", bool withErrors = false);
// How many times `part` occurs in `text` (overlapping occurrences counted).
int testCountOf(const std::string& text, const std::string& part);
// The dumps (lines that are JSON objects) of a runner's output, in order.
std::vector<std::string> testDumpLines(const std::string& output);
// What a hostile user leaves where a file should be.
enum class HostileForm {
  Folder,       // an empty folder
  Sparse2GiB,   // a file of 2 GiB that takes no room (truncated, never written)
  SymlinkLoop,  // a symbolic link to itself
};
constexpr HostileForm kHostileForms[] = {HostileForm::Folder, HostileForm::Sparse2GiB,
                                         HostileForm::SymlinkLoop};
// Replaces whatever is at `path` with `form`.
void testMakeHostile(const std::string& path, HostileForm form);
// "folder", "sparse 2 GiB file", "symlink loop": for failure messages.
const char* testHostileName(HostileForm form);
// The runner and tools built beside the tests.
std::string testToolPath(const char* tool);  // "script" -> <build>/orbel-script
// Builds the game's menu tree from the menu sources in data/ (their lines turned
// into CR LF as the data tool writes them). Returns false when it is not whole.
bool testLoadMenus();
