// The single-instance guard: an advisory lock on a file named after the instance
// name in the user's runtime directory, held until the process ends.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

#include "platform/platform.h"

bool sysAcquireInstanceLock(const char* name) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  std::string path = (runtime && *runtime) ? runtime : "/tmp";
  path += "/";
  for (const char* p = name; *p; ++p) path += (*p == '/' ? '_' : *p);
  path += ".lock";
  const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // A lock file that cannot be made must not keep the game from starting.
  if (fd < 0) return true;
  if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const bool held = errno == EWOULDBLOCK;
    close(fd);
    return !held;
  }
  return true;  // fd stays open: the lock lives as long as the process
}
