// Directories, listings and whole-file reads and safe writes over POSIX.
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "platform/platform.h"

std::string sysCurrentDirectory() {
  char buffer[PATH_MAX];
  return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool sysChangeDirectory(const char* path) { return chdir(path) == 0; }

bool sysMakeDirectory(const char* path) { return mkdir(path, 0755) == 0; }

bool sysDirectoryExists(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

bool sysFileExists(const char* path) {
  struct stat st;
  return stat(path, &st) == 0 && S_ISREG(st.st_mode);
}

std::string sysExecutableDirectory() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return std::string();
  buffer[n] = '\0';
  char* slash = std::strrchr(buffer, '/');
  if (!slash) return std::string();
  *slash = '\0';
  return std::string(buffer);
}

static bool endsWithIgnoringCase(const char* name, const char* suffix) {
  const size_t n = std::strlen(name), s = std::strlen(suffix);
  return n >= s && strcasecmp(name + n - s, suffix) == 0;
}

std::vector<std::string> sysListDirectory(const char* dir, const char* suffix) {
  std::vector<std::string> names;
  DIR* d = opendir(dir);
  if (!d) return names;
  while (const dirent* entry = readdir(d)) {
    const std::string path = std::string(dir) + "/" + entry->d_name;
    if (entry->d_name[0] == '.' || !sysFileExists(path.c_str())) continue;
    if (endsWithIgnoringCase(entry->d_name, suffix)) names.emplace_back(entry->d_name);
  }
  closedir(d);
  std::sort(names.begin(), names.end());
  return names;
}

std::string sysFindFileIgnoringCase(const char* name) {
  if (sysFileExists(name)) return std::string(name);
  // Only the last component is matched loosely; a directory part must be exact.
  const char* slash = std::strrchr(name, '/');
  const std::string dir = slash ? std::string(name, size_t(slash - name)) : std::string(".");
  const char* base = slash ? slash + 1 : name;
  std::string found;
  if (DIR* d = opendir(dir.c_str())) {
    while (const dirent* entry = readdir(d)) {
      if (strcasecmp(entry->d_name, base) == 0) {
        found = slash ? dir + "/" + entry->d_name : std::string(entry->d_name);
        break;
      }
    }
    closedir(d);
  }
  return (!found.empty() && sysFileExists(found.c_str())) ? found : std::string();
}

bool sysReadWholeFile(const char* path, std::vector<uint8_t>* out) {
  out->clear();
  FILE* f = std::fopen(path, "rb");
  if (!f) return false;
  bool ok = std::fseek(f, 0, SEEK_END) == 0;
  const long size = ok ? std::ftell(f) : -1;
  ok = ok && size >= 0 && std::fseek(f, 0, SEEK_SET) == 0;
  if (ok) {
    out->resize(size_t(size));
    ok = size == 0 || std::fread(out->data(), 1, size_t(size), f) == size_t(size);
  }
  std::fclose(f);
  if (!ok) out->clear();
  return ok;
}

// Tells the player once that the folder of `path` refused it (errno says why).
static void reportWriteFailure(const char* path) {
  const int error = errno;
  std::string folder = path[0] == '/' ? std::string(path) : sysCurrentDirectory() + "/" + path;
  folder.erase(folder.rfind('/'));
  sysReportSaveFailure(folder.empty() ? "/" : folder.c_str(), error);
}

bool sysWriteFileAtomic(const char* path, const void* data, size_t size) {
  const std::string temp = std::string(path) + ".tmp" + std::to_string(long(getpid()));
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    reportWriteFailure(path);
    return false;
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  size_t written = 0;
  while (written < size) {
    const ssize_t n = write(fd, bytes + written, size - written);
    if (n <= 0) break;
    written += size_t(n);
  }
  const bool ok = written == size && fsync(fd) == 0;
  if (close(fd) != 0 || !ok || rename(temp.c_str(), path) != 0) {
    reportWriteFailure(path);
    unlink(temp.c_str());
    return false;
  }
  return true;
}
