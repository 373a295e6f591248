// Directories, listings and whole-file reads and safe writes over POSIX, and the
// few other changes the game makes to the player's files (removal, keeping a
// damaged file aside, clearing the temporary files of an interrupted save).
#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

// Changes asked of the files (a write's temporary file, its rename, a removal, a
// link) and which of them fail: process lifetime. Tests stop the changes part-way
// through an operation, as a kill or a full disk would, and look at what is left.
struct FileChangeFaults {
  int32_t made;       // changes asked for since sysFailFileChanges
  int32_t firstFail;  // the first that fails
  int32_t failCount;  // how many fail from there
};
FileChangeFaults g_changes = {0, 0, 0};

bool nextChangeFails() {
  const int64_t n = g_changes.made;
  return n >= g_changes.firstFail && n - g_changes.firstFail < g_changes.failCount;
}

// Counts one change; false (errno EIO, nothing to be done) when it is one to fail.
bool mayChangeFiles() {
  const bool fails = nextChangeFails();
  ++g_changes.made;
  if (fails) errno = EIO;
  return !fails;
}

}  // namespace

void sysFailFileChanges(int32_t first, int32_t count) { g_changes = {0, first, count}; }

int32_t sysFileChangesMade() { return g_changes.made; }

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

// True when something is at `path`, even a folder or a link leading nowhere: the
// whole-file read decides whether it can be taken.
static bool entryExists(const char* path) {
  struct stat st;
  return lstat(path, &st) == 0;
}

std::string sysFindFileIgnoringCase(const char* name) {
  if (entryExists(name)) return std::string(name);
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
  return found;
}

namespace {

SysReadFailure readFailure(SysReadStatus status, int error, uint64_t size) {
  return {status, error, size};
}

// Opens `path` for a whole read, or says why not. The one decision of what a
// reader may take: a regular file of at most maxSize bytes (any size when
// `startOnly`: its first maxSize bytes are read). Devices and pipes are refused
// before they are opened where the path already shows them, and a pipe that
// appears later is opened without waiting for a writer. why->size is the file's.
bool openWholeFile(const char* path, size_t maxSize, bool startOnly, int* fd, size_t* size,
                   SysReadFailure* why) {
  struct stat st;
  if (stat(path, &st) != 0) {
    const int error = errno;
    const bool missing = error == ENOENT || error == ENOTDIR;
    // A link whose file is gone is there, and its owner wants to hear of it.
    const bool dangling = missing && lstat(path, &st) == 0 && S_ISLNK(st.st_mode);
    const SysReadStatus status = dangling  ? SysReadStatus::DanglingLink
                                 : missing ? SysReadStatus::Missing
                                           : SysReadStatus::Unreadable;
    *why = readFailure(status, error, 0);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    *why = readFailure(SysReadStatus::NotAFile, 0, 0);
    return false;
  }
  *fd = open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (*fd < 0) {
    *why = readFailure(errno == ENOENT ? SysReadStatus::Missing : SysReadStatus::Unreadable,
                       errno, 0);
    return false;
  }
  SysReadStatus status = SysReadStatus::Read;
  if (fstat(*fd, &st) != 0) {
    status = SysReadStatus::Unreadable;
  } else if (!S_ISREG(st.st_mode)) {
    status = SysReadStatus::NotAFile;
  } else if (uint64_t(st.st_size) > uint64_t(maxSize) && !startOnly) {
    status = SysReadStatus::TooLarge;
  }
  *why = readFailure(status, status == SysReadStatus::Unreadable ? errno : 0, uint64_t(st.st_size));
  if (status != SysReadStatus::Read) {
    close(*fd);
    return false;
  }
  *size = size_t(std::min(uint64_t(st.st_size), uint64_t(maxSize)));
  return true;
}

// Reads up to `size` bytes; a file that shrank meanwhile gives what it still has.
bool readAll(int fd, uint8_t* buffer, size_t size, size_t* got, SysReadFailure* why) {
  *got = 0;
  while (*got < size) {
    const ssize_t n = read(fd, buffer + *got, size - *got);
    if (n == 0) break;
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      *why = readFailure(SysReadStatus::Unreadable, errno, 0);
      return false;
    }
    *got += size_t(n);
  }
  return true;
}

}  // namespace

namespace {

bool readFileInto(const char* path, size_t maxSize, bool startOnly, std::vector<uint8_t>* out,
                  SysReadFailure* why) {
  out->clear();
  SysReadFailure failure;
  int fd = -1;
  size_t size = 0, got = 0;
  bool ok = openWholeFile(path, maxSize, startOnly, &fd, &size, &failure);
  if (ok) {
    out->resize(size);
    ok = readAll(fd, out->data(), size, &got, &failure);
    close(fd);
    out->resize(ok ? got : 0);
  }
  if (why) *why = failure;
  return ok;
}

}  // namespace

bool sysReadWholeFile(const char* path, size_t maxSize, std::vector<uint8_t>* out,
                      SysReadFailure* why) {
  return readFileInto(path, maxSize, false, out, why);
}

bool sysReadFileStart(const char* path, size_t maxSize, std::vector<uint8_t>* out,
                      uint64_t* wholeSize, SysReadFailure* why) {
  SysReadFailure failure;
  const bool ok = readFileInto(path, maxSize, true, out, &failure);
  *wholeSize = ok ? failure.size : 0;
  if (why) *why = failure;
  return ok;
}

uint8_t* sysReadWholeFileMalloc(const char* path, size_t maxSize, size_t* size,
                                SysReadFailure* why) {
  SysReadFailure failure;
  int fd = -1;
  size_t length = 0, got = 0;
  uint8_t* buffer = nullptr;
  if (openWholeFile(path, maxSize, false, &fd, &length, &failure)) {
    buffer = static_cast<uint8_t*>(std::malloc(length > 0 ? length : 1));
    if (!buffer) failure = readFailure(SysReadStatus::Unreadable, ENOMEM, 0);
    if (buffer && !readAll(fd, buffer, length, &got, &failure)) {
      std::free(buffer);
      buffer = nullptr;
    }
    close(fd);
  }
  if (buffer) *size = got;
  if (why) *why = failure;
  return buffer;
}

std::string sysDescribeReadFailure(const SysReadFailure& why, size_t maxSize) {
  switch (why.status) {
    case SysReadStatus::Read: return "it was read";
    case SysReadStatus::Missing: return "it is not there";
    case SysReadStatus::NotAFile: return "it is not a file (a folder, device or pipe)";
    case SysReadStatus::DanglingLink: return "it is a symbolic link to a file that is not there";
    case SysReadStatus::TooLarge:
      return "it is " + std::to_string(why.size) + " bytes, more than such a file can be (" +
             std::to_string(maxSize) + ")";
    case SysReadStatus::Unreadable: break;
  }
  return std::strerror(why.error);
}

namespace {

// Tells the player once that the folder of `path` refused it (errno says why).
void reportWriteFailure(const char* path) {
  const int error = errno;
  std::string folder = path[0] == '/' ? std::string(path) : sysCurrentDirectory() + "/" + path;
  const size_t slash = folder.rfind('/');
  const std::string file = folder.substr(slash + 1);
  folder.erase(slash);
  const std::string reason = file + ": " + std::strerror(error);
  sysReportSaveFailure(folder.empty() ? "/" : folder.c_str(), error, reason.c_str());
}

bool writeAll(int fd, const uint8_t* bytes, size_t size) {
  size_t written = 0;
  while (written < size) {
    const ssize_t n = write(fd, bytes + written, size - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    written += size_t(n);
  }
  return true;
}

// Writes a temporary file beside `path` and renames it over it. The new file
// gets `*keepMode` (an old file's permissions), or 0644 less the umask when null.
// False (nothing changed, errno set) on failure.
bool writeThroughTemporary(const std::string& path, const void* data, size_t size,
                           const mode_t* keepMode) {
  const std::string temp = path + ".tmp" + std::to_string(long(getpid()));
  if (!mayChangeFiles()) return false;
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  bool ok = (!keepMode || fchmod(fd, *keepMode) == 0) &&
            writeAll(fd, static_cast<const uint8_t*>(data), size) && fsync(fd) == 0;
  int error = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    error = errno;
  }
  // A process stopped here leaves its temporary file behind (sysRemoveStaleTemporaries).
  if (ok && !mayChangeFiles()) return false;
  if (ok && rename(temp.c_str(), path.c_str()) == 0) return true;
  if (ok) error = errno;
  unlink(temp.c_str());
  errno = error;
  return false;
}

// Where a save of `path` goes: through a symbolic link to the file it names, and
// with the old file's permissions (*hasMode). False (errno set) when what is
// there must not be replaced: a folder, or a file the player may not write (as
// its truncation would be refused). A device, a pipe or a link leading nowhere is
// replaced, never written into.
bool saveTarget(const char* path, std::string* target, mode_t* mode, bool* hasMode) {
  *target = path;
  *hasMode = false;
  struct stat st;
  if (stat(path, &st) != 0 || (!S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))) return true;
  if (S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  if (access(path, W_OK) != 0) return false;
  *mode = st.st_mode & 07777;
  *hasMode = true;
  char resolved[PATH_MAX];
  if (realpath(path, resolved)) *target = resolved;
  return true;
}

}  // namespace

bool sysWriteFileAtomic(const char* path, const void* data, size_t size) {
  std::string target;
  mode_t mode = 0;
  bool hasMode = false;
  if (saveTarget(path, &target, &mode, &hasMode) &&
      writeThroughTemporary(target, data, size, hasMode ? &mode : nullptr)) {
    return true;
  }
  reportWriteFailure(target.c_str());
  return false;
}

bool sysWriteOutputFile(const char* path, const void* data, size_t size) {
  struct stat st;
  const bool exists = stat(path, &st) == 0;
  if (exists && S_ISDIR(st.st_mode)) {
    errno = EISDIR;
    return false;
  }
  if (!exists || S_ISREG(st.st_mode)) return writeThroughTemporary(path, data, size, nullptr);
  // A device or pipe takes the bytes as they come (a pipe waits for its reader).
  const int fd = open(path, O_WRONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return false;
  const bool ok = writeAll(fd, static_cast<const uint8_t*>(data), size);
  const int error = errno;
  close(fd);
  errno = error;
  return ok;
}

bool sysRemoveFile(const char* path) {
  if (!mayChangeFiles()) return false;
  return unlink(path) == 0 || errno == ENOENT;
}

namespace {

// The largest file copied where it cannot be linked: a player's file is far
// smaller; anything larger is moved instead.
constexpr size_t kMostCopied = size_t(16) << 20;

// A second link to the file `from` leads to, made under a temporary name and
// renamed into place so an older `to` is replaced whole.
bool linkCopy(const char* from, const std::string& to) {
  const std::string temp = to + ".tmp" + std::to_string(long(getpid()));
  if (!mayChangeFiles()) return false;
  unlink(temp.c_str());
  if (linkat(AT_FDCWD, from, AT_FDCWD, temp.c_str(), AT_SYMLINK_FOLLOW) != 0) return false;
  if (mayChangeFiles() && rename(temp.c_str(), to.c_str()) == 0) return true;
  const int error = errno;
  unlink(temp.c_str());
  errno = error;
  return false;
}

}  // namespace

bool sysCopyFile(const char* from, const char* to) {
  if (linkCopy(from, to)) return true;
  if (errno == EIO) return false;
  // A folder that takes no links (some removable disks): a copy, or for a file too
  // large to copy, the file itself moved.
  std::vector<uint8_t> bytes;
  if (sysReadWholeFile(from, kMostCopied, &bytes)) {
    return sysWriteFileAtomic(to, bytes.data(), bytes.size());
  }
  return mayChangeFiles() && rename(from, to) == 0;
}

namespace {

// The process id in a temporary file's name "NAME.tmpPID", or 0 for any other name.
long temporaryOwner(const std::string& name) {
  const size_t mark = name.rfind(".tmp");
  if (mark == std::string::npos || mark == 0) return 0;
  const std::string digits = name.substr(mark + 4);
  // Process ids have at most seven digits.
  if (digits.empty() || digits.size() > 9 ||
      digits.find_first_not_of("0123456789") != std::string::npos) {
    return 0;
  }
  return std::strtol(digits.c_str(), nullptr, 10);
}

}  // namespace

int32_t sysRemoveStaleTemporaries(const char* folder) {
  int32_t removed = 0;
  for (const std::string& name : sysListDirectory(folder, "")) {
    const long owner = temporaryOwner(name);
    if (owner <= 0) continue;
    // A save still running (another copy of the game, a test's runner) keeps its
    // file; this process saves nothing before it tidies up, so its own are stale.
    const bool running = owner != long(getpid()) && (kill(pid_t(owner), 0) == 0 || errno != ESRCH);
    if (running) continue;
    const std::string path = std::string(folder) + "/" + name;
    if (sysRemoveFile(path.c_str()) && !sysFileExists(path.c_str())) ++removed;
  }
  return removed;
}
