// Small helpers shared by the test programs.
#include "test_support.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "ui/menu.h"

std::string testTempDirectory(const char* tag) {
  std::string path = std::string(ORBEL_BUILD_DIR) + "/test-tmp/" + tag + "-" +
                     std::to_string(static_cast<long>(getpid()));
  testRunCommand("rm -rf '" + path + "'");
  testMakeDirectories(path.c_str());
  return path;
}

void testMakeDirectories(const char* path) {
  std::error_code ignored;  // a folder that cannot be made fails the test that needs it
  std::filesystem::create_directories(path, ignored);
}

void testWriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> testReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

int testRunCommand(const std::string& command, std::string* output) {
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return -1;
  char buffer[4096];
  std::string text;
  size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) text.append(buffer, got);
  const int status = pclose(pipe);
  if (output) *output = text;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string testPrivateDataDirectory(const char* tag) {
  const std::string dir = testTempDirectory(tag);
  testRunCommand("for f in '" + std::string(ORBEL_DATA_DIR) + "'/*; do "
                 "[ \"$(basename \"$f\")\" = settings ] || ln -s \"$f\" '" + dir + "/'; done");
  mkdir((dir + "/settings").c_str(), 0755);
  return dir;
}

int testRunScript(const std::string& data, const std::string& script,
                  const std::string& options, std::string* output,
                  const std::string& environment, bool withErrors) {
  const std::string dir = testTempDirectory("script");
  testWriteFile(dir + "/script.txt", script);
  return testRunCommand(environment + " '" + testToolPath("script") + "' --data '" + data + "' " +
                            options + " '" + dir + "/script.txt'" +
                            (withErrors ? " 2>&1" : " 2>/dev/null"),
                        output);
}

int testCountOf(const std::string& text, const std::string& part) {
  int count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::vector<std::string> testDumpLines(const std::string& output) {
  std::vector<std::string> dumps;
  std::stringstream in(output);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line[0] == '{') dumps.push_back(line);
  }
  return dumps;
}

std::string testToolPath(const char* tool) {
  return std::string(ORBEL_BUILD_DIR) + "/orbel-" + tool;
}

namespace {

// A menu source as the data tool writes it: CR LF lines and an empty line at the end.
std::string menuSource(const char* name) {
  const std::vector<uint8_t> bytes =
      testReadFile(std::string(ORBEL_SOURCE_DIR) + "/data/" + name);
  std::string text(bytes.begin(), bytes.end());
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  std::string out;
  for (const char c : text + "\n\n") {
    if (c == '\r') continue;
    if (c == '\n') out += '\r';
    out += c;
  }
  return out;
}

}  // namespace

bool testLoadMenus() {
  const std::string menu = menuSource("menu.txt");
  const std::string texts = menuSource("menutext.txt");
  char problems[1024];
  return buildMenus(reinterpret_cast<const uint8_t*>(menu.data()), menu.size(),
                    reinterpret_cast<const uint8_t*>(texts.data()), texts.size(), problems,
                    sizeof problems);
}

void testMakeHostile(const std::string& path, HostileForm form) {
  std::error_code ignored;
  std::filesystem::remove_all(path, ignored);
  switch (form) {
    case HostileForm::Folder: std::filesystem::create_directory(path, ignored); break;
    case HostileForm::Sparse2GiB:
      testWriteFile(path, "");
      std::filesystem::resize_file(path, uintmax_t(2) << 30, ignored);
      break;
    case HostileForm::SymlinkLoop: std::filesystem::create_symlink(path, path, ignored); break;
  }
}

const char* testHostileName(HostileForm form) {
  switch (form) {
    case HostileForm::Folder: return "folder";
    case HostileForm::Sparse2GiB: return "sparse 2 GiB file";
    case HostileForm::SymlinkLoop: return "symlink loop";
  }
  return "?";
}
