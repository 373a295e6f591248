// platform.h: the operating-system services the game stands on, in one place.
//
// Window and event pump, the frame clock, single-instance lock, message boxes, directories, the registry stand-in and the fatal stop.
// Only src/platform/ includes SDL or POSIX headers; everything else calls these.
// The drawing device (device.h) and the sound output (sound_output.h) have
// headers of their own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// ---------------------------------------------------------------------------
// Start and stop

// Starts the services that need no window (events). Safe to call twice.
// Returns false when SDL cannot start at all.
bool sysInit();
// Stops everything sysInit and sysCreateWindow started.
void sysShutdown();
// Makes SIGTERM and SIGINT ask the game to close as the window's close button does:
// the next sysPollEvent delivers Close. A second such signal ends the process at once.
void sysCatchStopSignals();
// Names the program to the window system (the X11 window class, the Wayland app id)
// as `id`, the name of its desktop entry. Call before the window is made; a name the
// user set in SDL's environment variables wins.
void sysSetApplicationId(const char* id);

// ---------------------------------------------------------------------------
// Window and events

// Virtual-key codes the game's handlers receive (letters 'A'..'Z' are 65..90,
// digits '0'..'9' are 48..57).
enum : int32_t {
  VK_BACK = 8, VK_TAB = 9, VK_RETURN = 13, VK_SHIFT = 16, VK_CONTROL = 17, VK_MENU = 18,
  VK_PAUSE = 19, VK_ESCAPE = 27, VK_SPACE = 32, VK_PRIOR = 33, VK_NEXT = 34, VK_END = 35,
  VK_HOME = 36, VK_LEFT = 37, VK_UP = 38, VK_RIGHT = 39, VK_DOWN = 40, VK_INSERT = 45,
  VK_DELETE = 46, VK_NUMPAD0 = 96, VK_MULTIPLY = 106, VK_ADD = 107, VK_SUBTRACT = 109,
  VK_DECIMAL = 110, VK_DIVIDE = 111, VK_F1 = 112, VK_F12 = 123, VK_OEM_PLUS = 187,
  VK_OEM_COMMA = 188, VK_OEM_MINUS = 189, VK_OEM_PERIOD = 190
};

// The window messages the game handles. Mouse positions are client pixels of the
// game's logical client area (640 x 480 in a window, 800 x 600 in full screen,
// letterboxing already taken out).
enum class SysEventType : uint8_t {
  KeyDown,          // key = virtual-key code; auto-repeat arrives as more KeyDowns
  KeyUp,            // key = virtual-key code
  MouseMove,        // x, y
  LeftDown,
  LeftUp,
  LeftDoubleClick,  // the second press of a double click: down, up, double-click, up
  RightDown,
  RightUp,
  MiddleDown,
  Activate,         // the window became the active window
  Deactivate,       // the window lost activation
  Close,            // the close button (the window is not destroyed)
  Quit,             // the window system asked the process to end
  Size,             // the client area changed size
  PadButtonDown,    // key = SysPadButton of a game controller
  PadButtonUp,      // key = SysPadButton
  PadStick,         // x, y = the left stick, -32768..32767 each, y down
  PadRemoved        // a game controller was unplugged: nothing of it is held any more
};

// The game controller buttons the game reads, as SDL's game controller API names
// them (a, b, x, y, back, start, dpup, dpdown, dpleft, dpright, leftshoulder,
// rightshoulder): every controller's layout is mapped onto these.
enum class SysPadButton : uint8_t {
  None, A, B, X, Y, Back, Start, DpadUp, DpadDown, DpadLeft, DpadRight, LeftShoulder,
  RightShoulder
};

struct SysEvent {
  SysEventType type;
  int32_t key;  // KeyDown, KeyUp
  int32_t x;    // MouseMove and button events: client pixels
  int32_t y;
};

struct SysWindowDesc {
  const char* title;
  bool fullScreen;    // desktop-sized borderless window showing the client area scaled to fit
  int32_t clientWidth;  // logical client size the game draws and reads the mouse in
  int32_t clientHeight;
  bool openGL;        // the window will carry an OpenGL context (device.h)
  bool hidden;        // never shown (tests)
};

// Creates the one game window. Returns false (with SDL's reason on stderr) on failure.
bool sysCreateWindow(const SysWindowDesc& desc);
// A window that exists only as a logical client size: the headless runner and tests.
void sysCreateHeadlessWindow(int32_t clientWidth, int32_t clientHeight);
bool sysHasRealWindow();
void sysDestroyWindow();
// Switches between full screen and a window of the given logical client size.
void sysSetWindowMode(bool fullScreen, int32_t clientWidth, int32_t clientHeight);
// What the window system reports of the game window now.
struct SysWindowState {
  bool real;        // a window of the window system exists (not headless)
  bool fullScreen;  // it covers the desktop
  int32_t width;    // its size in screen points (the logical client size when headless)
  int32_t height;
};
SysWindowState sysWindowState();
// Shows the window, raises it and gives it the keyboard focus.
void sysShowWindow();
void sysGetClientSize(int32_t* width, int32_t* height);
// The area of the real drawable the client area is shown in (letterboxed in full
// screen), in drawable pixels, origin bottom-left as OpenGL counts.
void sysGetViewportRect(int32_t* x, int32_t* y, int32_t* width, int32_t* height);
// Drawable size in pixels (the whole window, bars included).
void sysGetDrawableSize(int32_t* width, int32_t* height);
// The refresh rate of the display the window is on, in Hz; 0 when unknown (no real
// window, or the window system does not say).
int32_t sysDisplayRefreshRate();

// Takes the next waiting event: first those queued with sysPushEvent, then the
// window system's. Returns false when none is waiting.
bool sysPollEvent(SysEvent* event);
// Queues an event as if the window system had sent it (the headless runner).
void sysPushEvent(const SysEvent& event);
bool sysEventWaiting();

// Game controllers are opened as they are plugged in and closed as they are
// unplugged; their buttons and left stick arrive as Pad events.
// The button SDL's game controller API calls `name` ("a", "dpup"); None for a
// name it does not know or a button the game does not read.
SysPadButton sysPadButtonFromName(const char* name);
// A controller's button or its left stick (-1..1 each, y up) as if a controller
// had sent it (the headless runner): SDL's own events, through the same
// translation as a real controller's.
void sysSimulatePadButton(SysPadButton button, bool down);
void sysSimulatePadStick(float x, float y);
// Game controllers open now.
int32_t sysPadCount();

// The built-in cursors: the arrow, the hammer and the invisible cursor, and the
// question-mark cursor of the help pointer.
enum class SysCursor : uint8_t { Arrow, Hammer, Invisible, Help };
void sysSetCursor(SysCursor cursor);
// The cursor last asked for (the arrow before any), also without a real window.
SysCursor sysRequestedCursor();
void sysShowCursor(bool show);

// ---------------------------------------------------------------------------
// Time

// Microseconds since an arbitrary start: what frames are timed and paced by.
uint64_t sysMicroseconds();
// The same in whole milliseconds, wrapping at 2^32.
uint32_t sysMilliseconds();
// Replaces the real clock with one that moves only by sysAdvanceClock and the
// sleeps (the runner's fixed frame time). Starts at `start` milliseconds.
void sysUseManualClock(uint32_t start);
bool sysClockIsManual();
void sysAdvanceClock(uint32_t ms);
// Sleeps, or with the manual clock advances it by as much without waiting.
void sysSleep(uint32_t ms);
void sysSleepMicroseconds(uint64_t us);
// Real time since the epoch in microseconds, never the manual clock: for pacing
// what is shown and for benchmarks that compare times across processes.
uint64_t sysWallMicroseconds();
// The most memory the process has held resident so far, in KiB (0 when unknown).
uint64_t sysPeakResidentKiB();

// ---------------------------------------------------------------------------
// Single instance

// Takes the advisory lock named `name` in the runtime directory. Returns false when
// another process holds it. The lock is held until the process ends.
bool sysAcquireInstanceLock(const char* name);

// ---------------------------------------------------------------------------
// Message boxes

enum class SysMsgButtons : uint8_t { Ok, YesNo };
enum class SysMsgIcon : uint8_t { None, Information, Question, Error };
enum class SysMsgAnswer : uint8_t { Ok, Yes, No };

// Shows a modal box and returns the answer. When a handler is set (the runner),
// the handler answers instead. When no box can be shown, prints the text to
// stderr and answers Ok (Ok box) or No (Yes/No box).
SysMsgAnswer sysMessageBox(const char* text, const char* caption, SysMsgButtons buttons,
                           SysMsgIcon icon);
// Shows an OK box with an error sign when a display can show one (no handler set,
// boxes not suppressed), before SDL is started too. Never prints: for a program
// that says the same on stderr itself. Returns whether the box was shown.
bool sysShowBoxIfPossible(const char* text, const char* caption);
using SysMessageBoxHandler = SysMsgAnswer (*)(const char* text, const char* caption,
                                              SysMsgButtons buttons);
void sysSetMessageBoxHandler(SysMessageBoxHandler handler);

// The one orderly fatal stop: shows the message box (or hands it to the handler),
// runs the stop hook if one is set, and ends the process with exit code 1.
[[noreturn]] void sysFatalStop(const char* text, const char* caption);
// A hook run by sysFatalStop just before the process ends (the runner flushes).
void sysSetFatalStopHook(void (*hook)());

// ---------------------------------------------------------------------------
// Files and directories

std::string sysCurrentDirectory();
// Returns false if the directory cannot be entered.
bool sysChangeDirectory(const char* path);
// Creates one directory. Returns false if it cannot be created (also when it exists).
bool sysMakeDirectory(const char* path);
bool sysDirectoryExists(const char* path);
bool sysFileExists(const char* path);
// The folder holding the running executable, without a trailing slash ("" if unknown).
std::string sysExecutableDirectory();
// Regular files of `dir` whose names end with `suffix` (case-insensitive; "" = all),
// sorted by name, bare names only. Empty when the directory cannot be read.
std::vector<std::string> sysListDirectory(const char* dir, const char* suffix);
// Finds `name` in the current directory ignoring letter case: the data's file
// names are matched without regard to case. Returns the name as stored on disk of
// whatever is there (a folder too: the whole-file read decides what is taken), or
// "" if nothing is.
std::string sysFindFileIgnoringCase(const char* name);
// Why a whole file was not read.
enum class SysReadStatus : uint8_t {
  Read,        // the whole file is in the buffer
  Missing,     // nothing there (or a folder on the way is not one)
  NotAFile,    // a folder, device, pipe or socket: never read as a file
  TooLarge,    // larger than the format can be: nothing read
  Unreadable,  // refused: rights, a loop of symbolic links, an input error
  DanglingLink,  // a symbolic link to a file that is not there
};
struct SysReadFailure {
  SysReadStatus status;
  int error;      // errno of an Unreadable file
  uint64_t size;  // the size of a TooLarge file
};
// Reads a whole regular file of at most maxSize bytes: the one place that decides
// what any reader of the game or its tools may take. Returns false (out empty,
// the reason in *why when given) for anything else; a pipe never blocks.
bool sysReadWholeFile(const char* path, size_t maxSize, std::vector<uint8_t>* out,
                      SysReadFailure* why = nullptr);
// Reads the first maxSize bytes of a regular file of any size (all of a smaller
// one); *wholeSize receives the file's size. Fails as sysReadWholeFile does for
// anything but a regular file.
bool sysReadFileStart(const char* path, size_t maxSize, std::vector<uint8_t>* out,
                      uint64_t* wholeSize, SysReadFailure* why = nullptr);
// The same into one malloc'd buffer (never null for an empty file) that the caller
// frees; null on failure.
uint8_t* sysReadWholeFileMalloc(const char* path, size_t maxSize, size_t* size,
                                SysReadFailure* why = nullptr);
// The reason in words: "it is a folder, not a file", "it is 2147483648 bytes, more
// than such a file can be (48)", the system's text for an Unreadable file.
std::string sysDescribeReadFailure(const SysReadFailure& why, size_t maxSize);
// Writes one of the player's files (a player file, a saved game, the settings
// value) through a temporary file in the same folder renamed over the old one, so
// an interrupted write never leaves a damaged file. A symbolic link to a file is
// written through (the link stays); an old file keeps its permissions, and one
// the player may not write is refused as its truncation would be. Returns false
// (the old file untouched, the failure reported through sysReportSaveFailure).
bool sysWriteFileAtomic(const char* path, const void* data, size_t size);
// Writes a tool's output (a dump, a screenshot, a pack): straight into a device or
// pipe that is there (`dump /dev/null`), otherwise as sysWriteFileAtomic does, but
// a failure is the caller's to say (errno says why). Returns false on failure.
bool sysWriteOutputFile(const char* path, const void* data, size_t size);
// Removes a file. True when it is gone (also when it was never there).
bool sysRemoveFile(const char* path);
// Puts what `from` holds under the name `to` as well (an older `to` is replaced
// whole), `from` staying as it is until a save replaces it: a second link to the
// file where the folder allows, else a copy; a file of more than 16 MiB that
// cannot be linked is moved instead. False when nothing reached `to`.
bool sysCopyFile(const char* from, const char* to);
// Removes from `folder` the temporary files ("NAME.tmpPID") that interrupted saves
// left behind: those of processes no longer running, and the calling process's own
// (call it before the process saves anything). Returns how many it removed.
int32_t sysRemoveStaleTemporaries(const char* folder);
// Tests: the changes of files asked for from now on are counted from 0 (a write's
// temporary file, its rename, a removal, a link), and those numbered first ..
// first + count - 1 fail (errno EIO) and do nothing: from a change on, as if the
// process were killed there; one change alone, as a disk full for a moment. A
// count of 0 fails none.
void sysFailFileChanges(int32_t first, int32_t count);
// The changes asked for since the last sysFailFileChanges.
int32_t sysFileChangesMade();
// Makes `path` and every missing folder above it. True when it is a folder afterwards.
bool sysMakeDirectories(const char* path);
// Enters `path`, making it and the folders above it when missing. Returns false (the
// working directory unchanged, the failure reported once) when it cannot.
bool sysEnterFolderMakingIt(const char* path);
// The one place every failure to save the player's files goes through: says on
// standard error that files could not be saved in `folder` and why (`reason`, or
// the errno text of `error` when reason is null), once per folder for the whole
// run, and keeps it as a save problem for the game to show.
void sysReportSaveFailure(const char* folder, int error, const char* reason = nullptr);
// Keeps for the menus a problem the game worked around that is not a save's (a
// saved game that cannot be loaded, a level with no cell to play on): shown once
// in a message box as a save problem is, with the data's text `textKey` filled in
// with `subject` and `reason`, else `message`. Once per text and subject for the
// run; the caller says it on standard error.
void sysReportProblem(const char* textKey, const char* subject, const char* reason,
                      const char* message);
// A failure to save (or another problem) that the player has not been shown yet:
// the menus show it in a message box (their text `textKey` with `folder` and
// `reason`, else `message`). One per failing folder.
struct SysSaveProblem {
  char textKey[32];   // "savefailed" for a save
  char folder[512];   // the folder that refused files, or the file a problem is about
  char reason[160];   // why, as the system says it ("Permission denied")
  char message[768];  // the whole sentence, for a program without the menus' text
};
// True while a save problem waits to be shown.
bool sysSaveProblemPending();
// Takes the oldest save problem not yet shown. Returns false when there is none.
bool sysTakeSaveProblem(SysSaveProblem* out);
// Says on standard error, once per path for the run, that a file that is there
// could not be read, why, and what the game does `instead` ("the level starts
// afresh"). Nothing for a file that was read or is missing.
void sysReportUnreadableFile(const char* path, const SysReadFailure& why, size_t maxSize,
                             const char* instead);
// Says on standard error, once per path for the run (shared with the unreadable
// files), that the file at `path` is damaged and `what` the game makes of it.
void sysReportDamagedFile(const char* path, const char* what);
// Forgets every told folder and path and every save problem (tests).
void sysResetFileReports();

// ---------------------------------------------------------------------------
// Where an installed program's files are

// The executable's name, and the name of its folders under share/ and in the
// player's data folder.
constexpr const char* kProgramName = "orbelquaint";

// The folders the data may be in, in search order: `preferred` alone (made absolute)
// when given; else "Data" in the current directory, "Data" beside the executable and
// "../share/<program>/Data" relative to the executable.
std::vector<std::string> sysDataDirectoryCandidates(const char* preferred, const char* program);
// The folder player files are kept in for the data folder `dataDirectory` ("" is the
// current directory): its sub-folder `folderName` while player files can be written
// there, else ${XDG_DATA_HOME:-$HOME/.local/share}/<program>/<folderName>.
// Absolute, without a trailing slash; "" when neither is known.
std::string sysPlayerFilesDirectory(const char* dataDirectory, const char* folderName,
                                    const char* program);

// ---------------------------------------------------------------------------
// The player's languages

// The locale names the environment gives for messages, most wanted first: the
// entries of LANGUAGE's colon-separated list, then LC_ALL, LC_MESSAGES and LANG;
// variables that are not set or empty are left out ("de_DE.UTF-8", "pt_BR", "C").
std::vector<std::string> sysPreferredLocales();

// ---------------------------------------------------------------------------
// Registry stand-in: a value is the file
// ${XDG_CONFIG_HOME:-$HOME/.config}/<sub-key with backslashes as folders>/<value name>.

// Stores the bytes. Returns false on failure.
bool sysRegistryWrite(const char* subKey, const char* valueName, const void* data, size_t size);
// Reads the whole value (at most maxSize bytes). Returns false (out empty, the
// reason in *why when given) when it does not exist or cannot be read.
bool sysRegistryRead(const char* subKey, const char* valueName, size_t maxSize,
                     std::vector<uint8_t>* out, SysReadFailure* why = nullptr);
// The file that holds a value (for tools and tests).
std::string sysRegistryPath(const char* subKey, const char* valueName);
