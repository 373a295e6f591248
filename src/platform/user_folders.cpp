// Where an installed program's files are: the folders its data may be in, the
// folder its player files go to (the data folder's own while it takes files, the
// player's data folder otherwise), making folders, and telling the player once
// about a folder that refuses to keep what the game saves (kept as a save problem
// for the menus to show) and about a file that is there but cannot be read.
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/platform.h"

namespace {

// The folders already reported as refusing files and the other problems kept for
// the player, and which of those the game has shown: process lifetime
// (sysResetFileReports empties it). A run saves in at most three folders (player
// files, settings value, a runner's dump) and meets few damaged files; past this
// many the reports stop rather than repeat.
constexpr int kMaxReportedFolders = 8;
struct SaveFailureLog {
  SysSaveProblem problems[kMaxReportedFolders];
  int count;
  int shown;  // problems[0..shown) were taken by the game
};
SaveFailureLog g_saveFailures = {};

// The files already said to be unreadable: process lifetime. The player files and
// the settings value are a handful; past this many the reports stop.
constexpr int kMaxReportedFiles = 32;
struct UnreadableLog {
  std::string paths[kMaxReportedFiles];
  int count;
};
UnreadableLog g_unreadable = {};

bool canWriteIn(const std::string& folder) { return access(folder.c_str(), W_OK | X_OK) == 0; }

std::string withoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

// The player's own data folder: $XDG_DATA_HOME when it is an absolute path (a
// relative one is ignored, as the base-directory convention says), else
// $HOME/.local/share; "" when neither is set.
std::string userDataRoot() {
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && xdg[0] == '/') return withoutTrailingSlash(xdg);
  const char* home = std::getenv("HOME");
  if (home && home[0] == '/') return withoutTrailingSlash(home) + "/.local/share";
  return std::string();
}

}  // namespace

std::vector<std::string> sysDataDirectoryCandidates(const char* preferred, const char* program) {
  if (preferred && *preferred) {
    // Made absolute: loaders leave and re-enter the data directory by this path.
    return {preferred[0] == '/' ? std::string(preferred)
                                : sysCurrentDirectory() + "/" + preferred};
  }
  std::vector<std::string> folders{sysCurrentDirectory() + "/Data"};
  const std::string beside = sysExecutableDirectory();
  if (!beside.empty()) {
    folders.push_back(beside + "/Data");
    const std::string prefix = beside.substr(0, beside.rfind('/'));
    folders.push_back(prefix + "/share/" + program + "/Data");
  }
  return folders;
}

std::string sysPlayerFilesDirectory(const char* dataDirectory, const char* folderName,
                                    const char* program) {
  std::string data = (dataDirectory && *dataDirectory) ? std::string(dataDirectory)
                                                       : sysCurrentDirectory();
  if (data[0] != '/') data = sysCurrentDirectory() + "/" + data;
  data = withoutTrailingSlash(data);
  const std::string inData = data + "/" + folderName;
  // An existing folder must take files itself; a missing one needs a data folder
  // that lets it be made.
  if (sysDirectoryExists(inData.c_str()) ? canWriteIn(inData) : canWriteIn(data)) return inData;
  const std::string root = userDataRoot();
  if (root.empty()) return std::string();
  return root + "/" + program + "/" + folderName;
}

bool sysMakeDirectories(const char* path) {
  const std::string full(path);
  int failure = 0;
  for (size_t slash = full.find('/', 1);; slash = full.find('/', slash + 1)) {
    const std::string part = full.substr(0, slash);
    // The first refusal says why: the folders below it fail only because of it.
    if (!part.empty() && mkdir(part.c_str(), 0755) != 0 && errno != EEXIST && failure == 0) {
      failure = errno;
    }
    if (slash == std::string::npos) break;
  }
  if (sysDirectoryExists(path)) return true;
  errno = failure != 0 ? failure : ENOTDIR;
  return false;
}

bool sysEnterFolderMakingIt(const char* path) {
  if (*path && sysMakeDirectories(path) && sysChangeDirectory(path)) return true;
  sysReportSaveFailure(*path ? path : "(none: HOME is not set)", *path ? errno : ENOENT);
  return false;
}

namespace {

// Keeps a problem for the menus, once per text and subject for the run. Null when
// it was kept before or the log is full.
SysSaveProblem* keepProblem(const char* textKey, const char* subject, const char* reason) {
  SaveFailureLog& log = g_saveFailures;
  for (int i = 0; i < log.count; ++i) {
    if (std::strcmp(log.problems[i].folder, subject) == 0 &&
        std::strcmp(log.problems[i].textKey, textKey) == 0) {
      return nullptr;
    }
  }
  if (log.count == kMaxReportedFolders) return nullptr;
  SysSaveProblem& problem = log.problems[log.count++];
  std::snprintf(problem.textKey, sizeof problem.textKey, "%s", textKey);
  std::snprintf(problem.folder, sizeof problem.folder, "%s", subject);
  std::snprintf(problem.reason, sizeof problem.reason, "%s", reason);
  return &problem;
}

}  // namespace

void sysReportSaveFailure(const char* folder, int error, const char* reason) {
  const char* why = reason ? reason : std::strerror(error);
  SysSaveProblem* problem = keepProblem("savefailed", folder, why);
  if (!problem) return;
  std::snprintf(problem->message, sizeof problem->message,
                "Your progress could not be saved in %s (%s). The game goes on and tries "
                "again at the next save.",
                folder, why);
  std::fprintf(stderr, "%s: cannot save files in %s: %s\n", program_invocation_short_name, folder,
               why);
}

void sysReportProblem(const char* textKey, const char* subject, const char* reason,
                      const char* message) {
  if (SysSaveProblem* problem = keepProblem(textKey, subject, reason)) {
    std::snprintf(problem->message, sizeof problem->message, "%s", message);
  }
}

bool sysSaveProblemPending() { return g_saveFailures.shown < g_saveFailures.count; }

bool sysTakeSaveProblem(SysSaveProblem* out) {
  SaveFailureLog& log = g_saveFailures;
  if (log.shown >= log.count) return false;
  *out = log.problems[log.shown++];
  return true;
}

namespace {

// `path` made absolute when it was not said before (and is now remembered as
// said); "" when it was, or when the log is full.
std::string firstReportOf(const char* path) {
  const std::string full = path[0] == '/' ? std::string(path) : sysCurrentDirectory() + "/" + path;
  UnreadableLog& log = g_unreadable;
  for (int i = 0; i < log.count; ++i) {
    if (log.paths[i] == full) return std::string();
  }
  if (log.count == kMaxReportedFiles) return std::string();
  log.paths[log.count++] = full;
  return full;
}

}  // namespace

void sysReportUnreadableFile(const char* path, const SysReadFailure& why, size_t maxSize,
                             const char* instead) {
  if (why.status == SysReadStatus::Read || why.status == SysReadStatus::Missing) return;
  const std::string full = firstReportOf(path);
  if (full.empty()) return;
  std::fprintf(stderr, "%s: cannot read %s: %s; %s\n", program_invocation_short_name,
               full.c_str(), sysDescribeReadFailure(why, maxSize).c_str(), instead);
}

void sysReportDamagedFile(const char* path, const char* what) {
  const std::string full = firstReportOf(path);
  if (full.empty()) return;
  std::fprintf(stderr, "%s: %s is damaged: %s\n", program_invocation_short_name, full.c_str(),
               what);
}

void sysResetFileReports() {
  g_saveFailures = {};
  for (std::string& path : g_unreadable.paths) path.clear();
  g_unreadable.count = 0;
}
