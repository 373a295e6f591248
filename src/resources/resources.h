// resources.h: every data file is read through one in-memory file table, served
// from the three resource packs or from disk; texts are looked up by key; small
// readers find a key in a definition text and convert what follows it; the map
// path is a polyline of points 20 units apart.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/math.h"

// As a fresh start leaves the module: no files, packs, texts, languages or path,
// no data directory and no load progress hook.
void resetResources();

// ---------------------------------------------------------------------------
// File table and packs

// The table holds this many files: the game's own data stays well below it.
constexpr int kMaxFiles = 1024;
// Names are at most 127 characters (plus the NUL).
constexpr int kMaxFileName = 128;
// Names inside a pack are 1..63 characters.
constexpr int kMaxPackName = 63;
// The largest data file the table (and the sound loaders) take. The largest the
// data tool writes, the pack of Targa pictures, is under 6 MB: a file ten times
// that is not one of ours, and is refused as missing before any of it is read.
constexpr uint32_t kMaxDataFileSize = 64u << 20;

struct FileEntry {
  char name[kMaxFileName];  // upper-cased with upperCaseName
  uint32_t size;
  uint8_t* data;            // not NUL-terminated
  uint8_t ownsData;         // 1: the table frees data on release; 0: inside a pack buffer
};

struct FileTable {
  FileEntry* entries[kMaxFiles];
  int32_t count;
};
extern FileTable fileTable;

// The name rule of every lookup: a..z and the Windows-1251 lower-case letters
// 0xE0..0xFF are lowered by 0x20; every other byte stays. Writes at most
// capacity - 1 bytes and a NUL.
void upperCaseName(const char* name, char* out, size_t capacity);

// Reads a pack whole and enters it and every file inside it. A pack that cannot be
// opened is skipped silently; a malformed pack is rejected whole (message on stderr,
// nothing entered). Returns true when the pack was entered.
bool openPack(const char* fileName);
// The file's bytes (owned by the table) and size. A name the table lacks is read
// from the current directory (letter case ignored if the exact name is missing) and
// entered. Missing, or there but not a file of at most kMaxDataFileSize bytes (said
// on stderr): with mustExist the program stops with "Can't load %s..."; otherwise
// null.
const uint8_t* loadFile(const char* name, uint32_t* size, bool mustExist);
// The first entry whose name equals upperCaseName(name), or null.
FileEntry* findFile(const char* name);
// Appends an entry and reports `size` bytes to the loading progress. Owned data
// must come from malloc. Returns the entry, or null (nothing entered, data not
// taken) when the table is full or the name has 128 characters or more.
FileEntry* registerFile(const char* name, uint32_t size, uint8_t* data, bool ownsData);
// Removes the entry holding `data` (freeing it if owned). False if none holds it,
// or if it is a pack: its files live in its buffer, so only clearFileTable frees it.
bool releaseFile(const void* data);
bool releaseFileByName(const char* name);
// Releases every entry and pack (tests and shutdown).
void clearFileTable();
// Called by registerFile with each entry's size (the loading bar); null for none.
void setLoadProgressHook(void (*hook)(uint32_t bytes));
// Hands bytes loaded outside the file table (sounds, music) to the same hook;
// nothing happens without one.
void reportLoadedBytes(uint32_t bytes);

// Where the data lives: process lifetime, set once at start-up when app finds it.
struct DataLocation {
  char dataDirectory[256];  // with a trailing '/'; "" until found
};
extern DataLocation dataLocation;
// Makes the data directory the working directory again. Returns false (nothing
// changes) when none is set or it cannot be entered.
bool returnToDataDirectory();

// Writes a whole file (safely: temporary file renamed over the old one). Failure
// leaves the old file; it is told to the player once per folder and kept as a
// save problem (sysReportSaveFailure), and the result says it.
bool writeWholeFile(const char* name, const void* data, uint32_t size);
// What one of the player's files holds: whole records of recordSize bytes, at
// least leastRecords and at most mostRecords of them.
struct PlayerFileFormat {
  uint32_t recordSize;
  uint32_t leastRecords;
  uint32_t mostRecords;
};
// Reads one of the player's files: its whole records, at most mostRecords. A file
// that is there but cannot be read is said on stderr with what the game does
// `instead`. One that is not whole records of its format (cut short, a partial
// record, longer than the format) is damaged: before anything can replace it, it is
// kept aside as "<name>.damaged", *damaged is set, and stderr says how many of its
// first whole records are used (`instead` when none holds anything but zeros).
// Returns false (out empty) when no record was read; true with out empty for a
// sound file of no records.
bool readPlayerFile(const char* name, const PlayerFileFormat& format, std::vector<uint8_t>* out,
                    const char* instead, bool* damaged = nullptr);
// The registry value stand-in. Failures are told as writeWholeFile's are.
void writeRegistryBlob(const char* subKey, const char* valueName, const void* data,
                       uint32_t size);
// Reads the value if it exists and has exactly *size bytes; otherwise stores 0 in
// *size and reads nothing (a value that is there but cannot be read, or has
// another size, is said on stderr and kept aside as readPlayerFile does).
void readRegistryBlob(const char* subKey, const char* valueName, void* buffer,
                      uint32_t* size);

// ---------------------------------------------------------------------------
// The pack format, shared by the game, orbel-pack and orbel-datagen.

// XORs byte i of data with byte (i mod L) of name (L = strlen(name)); the same call
// scrambles and unscrambles.
void scramblePackData(const char* name, uint8_t* data, size_t size);

struct PackEntryView {
  std::string name;     // as stored
  const uint8_t* data;  // still scrambled unless the caller unscrambled it
  uint32_t size;
};
// Walks a pack image. Returns false with a reason in *error when it is malformed
// (an entry running past the end, an empty name, a name without its NUL or longer
// than 63 characters); *entries is then empty.
bool parsePack(const uint8_t* bytes, size_t size, std::vector<PackEntryView>* entries,
               std::string* error);
struct PackInput {
  std::string name;
  std::vector<uint8_t> data;  // plain bytes
};
// Builds a pack image from entries in the given order. Returns false with a reason
// on a name that is empty, too long or not unique ignoring case.
bool buildPack(const std::vector<PackInput>& inputs, std::vector<uint8_t>* out,
               std::string* error);

// ---------------------------------------------------------------------------
// Text table ("strings.txt", then "tips.txt")

constexpr int kMaxTexts = 1024;
constexpr int kMaxTextKey = 20;  // 19 characters and the NUL

struct TextEntry {
  char key[kMaxTextKey];
  char* value;  // NUL-terminated copy
};
struct TextTable {
  TextEntry entries[kMaxTexts];
  int32_t count;
};
extern TextTable textTable;

// Reads the file through the file table (must exist), appends its entries, releases
// the file. Entries beyond the table or with over-long keys are refused (reported on
// stderr). Returns the number of entries added.
int loadTextFile(const char* fileName);
// Parses a text held in memory (the same rules; the last byte counts as the end).
int parseTextFile(const char* fileName, const uint8_t* bytes, uint32_t size);
// The table's entry for the key, or null when none has it (for callers that do
// without the text altogether when it is missing).
const char* getText(const char* key);
const char* getTextByIndex(int32_t index);
// Index of the first entry with that key, or 0 when none has it.
int32_t getTextIndex(const char* key);
void freeTextTable();
// The one door every text the player reads goes through: the key's text, or the
// key itself when the table has none, so a missing text shows its name rather
// than a gap (and a player can tell which is missing). Never null; "" for null.
const char* textOf(const char* key);
// Likewise for the entry `steps` places after the key's own (0: the key's own),
// for texts that come in a row by difficulty, zone or item: the key itself when
// the key or that entry is missing.
const char* textAfter(const char* key, int32_t steps);

// One value put into a text from the data.
struct TextField {
  const char* text;  // used when not null
  int64_t number;    // wide enough for any stored value plus one
};
// Copies `format` into out, each "%s", "%i" or "%d" taking the next field in turn
// (a field is written as its own kind, whatever the letter says), "%%" giving one
// '%'; any other '%', and placeholders beyond the fields, are copied as they stand.
// So a text from the data can never read what was not given. Cut to fit `capacity`.
void formatTextFields(const char* format, const TextField* fields, int32_t fieldCount, char* out,
                      size_t capacity);

// ---------------------------------------------------------------------------
// Languages. Each language the data offers has text tables of its own beside the
// English ones ("strings_de.txt", "tips_de.txt", "menutext_de.txt"), listed in
// "languages.txt" with the language's name in itself. The tables of the language
// in use come first in the text table and the English ones after them, so a text
// a language lacks is found in English.

// Codes are a language ("de") or a language and a country ("pt_BR").
constexpr int kMaxLanguageCode = 8;
constexpr int kMaxLanguageName = 32;
// The data offers a handful; the list has room for every language a game is
// commonly translated into.
constexpr int kMaxLanguages = 96;
constexpr const char* kEnglish = "en";

struct LanguageEntry {
  char code[kMaxLanguageCode];
  char name[kMaxLanguageName];  // in the language itself ("Deutsch")
};
// Process lifetime: the list is read at start-up, the language changes with
// loadTexts.
struct LanguageState {
  LanguageEntry languages[kMaxLanguages];  // English first
  int32_t count;
  char current[kMaxLanguageCode];          // the texts' language; "en" before any
};
extern LanguageState languageState;

// Reads the list from "languages.txt" through the file table; without one (or
// without English in it) English comes first on its own. Returns the count.
int32_t loadLanguageList();
// The list's entry of the code (exactly as written), or -1.
int32_t findLanguage(const char* code);
// The first of the wanted locale names the list offers ("de_DE.UTF-8", "pt_BR",
// "fr"): the name without its encoding and modifier, else its language alone, else
// another country's variant of it ("pt_PT" finds "pt_BR"). "C" and "POSIX" stand
// for English. Null when none of them is offered.
const char* matchLanguage(const char* const* wanted, int32_t count);
// Fills the text table with the language's tables ahead of the English ones (which
// must exist). A code the list lacks, or one without tables, gives English alone.
// The files stay in the file table for the next change of language. Returns true
// when the language's own tables were loaded (always for English).
bool loadTexts(const char* code);
// The language of the text table ("en" before loadTexts).
const char* textLanguage();
// The language's own table of a file: "menutext.txt" in "de" is "menutext_de.txt";
// in English it is the file itself.
std::string languageFileName(const char* fileName, const char* code);

// ---------------------------------------------------------------------------
// Key readers over a NUL-terminated definition text. The key is searched as a plain
// substring (first occurrence) and includes its own "=".

// Copies the value up to the line's end (CR or LF) or the end of the text, bounded
// by capacity.
// Returns out, or null (out empty) when the key does not occur.
const char* readString(char* out, size_t capacity, const char* text, const char* key);
float readFloat(const char* text, const char* key);
int32_t readInt(const char* text, const char* key);  // truncated towards zero
// "(a, b, c)" or "{a, b, c}": stores up to maxCount numbers; returns how many.
int readFloatList(const char* text, float* out, int maxCount, const char* key);
// "(x, y, z)". A malformed value leaves the missing components 0.
Vec3 readVector3(const char* text, const char* key);

// ---------------------------------------------------------------------------
// Map path ("trajectory1.spl")

constexpr int kMaxPathPoints = 2048;
struct PathState {
  int32_t pathPointCount;
  float pathLength;
  Vec2 pathPoints[kMaxPathPoints];
};
extern PathState pathState;

// Loads the loose file; a missing or malformed file leaves the path unchanged
// (a file with more than 2048 points is refused). Returns true when loaded.
bool loadPath(const char* fileName);
// Takes a path file's bytes; refusals are said on stderr naming fileName, and
// leave the path unchanged. Returns true when taken.
bool parsePath(const char* fileName, const uint8_t* bytes, size_t size);
Vec2 pointOnPath(float distance);
