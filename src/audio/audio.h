// audio.h: sound effects by file name and the music sections of one module.
//
// Effects are not started when asked for: a request goes into a ring and the
// per-frame update starts every waiting request together, so a sample asked for
// twice in one frame plays once. Music is one tracker module holding every tune
// as a section at its own order position; switching sections fades the running
// tune out over 800 ms and restarts the module at the new section's order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/math.h"

// The sample table holds this many effects: the game ships about 30, and the
// sound output keeps at most this many samples loaded anyway.
constexpr int kMaxSoundSamples = 256;
// Requests waiting or playing. A frame asks for a handful; the ring only has to
// outlast the longest effect at the busiest moment.
constexpr int kMaxPlayRequests = 256;
// File names of effects are at most 31 characters (plus the NUL).
constexpr int kMaxSoundName = 32;
// Sample names started since the runner last asked: several seconds of a busy
// board; later ones are dropped until the list is taken.
constexpr int kMaxStartedSounds = 1024;

// The rate ordinary requests play at, and the rate every effect is recorded at.
constexpr int32_t kSoundBaseFrequency = 44100;
// The volumes as the options screen sets them, 0..99.
constexpr int32_t kDefaultVolume = 90;
constexpr int32_t kMaxVolume = 99;
// Decibels between position 1 (the quietest sound) and kMaxVolume.
constexpr float kVolumeRangeDb = 40.0f;
// Milliseconds a sample ignores new requests after one was queued.
constexpr float kSoundRepeatGuardMs = 5.0f;
// Milliseconds the running tune takes to fade out before a new section starts.
constexpr float kMusicFadeMs = 800.0f;

struct SoundSample {
  uint32_t handle;             // the sound output's sample, 0 when loading failed
  char fileName[kMaxSoundName];  // as listed in "Sounds", for example "addball.ogg"
  float repeatGuard;           // ms; while above 0 new requests are ignored
};

// One slot of the request ring.
enum : int32_t {
  kRequestWaiting = -1,  // queued, started by the next updateSound
  kRequestFree = 0,      // finished or never used
  kRequestPlaying = 1    // started and still sounding
};

struct PlayRequest {
  int32_t state;      // kRequestWaiting, kRequestPlaying or kRequestFree
  uint32_t channel;   // the channel the request was started on
  uint32_t sample;    // the sample handle to play
  Vec3 position;      // (0, 0, 0): no position; positioned requests sound the same
  uint8_t loop;       // 1: played looped; a looped slot is never reused
  int32_t frequency;  // playback rate in Hz
};

// Which output initSound opens.
enum class SoundDevice : uint8_t {
  Open,  // the audio device, falling back to a silent device and then to none
  None   // no device at all: everything behaves the same, nothing is heard (tests)
};

// Sound state: process lifetime. Everything but the two volumes is reset by
// initSound and shutdownSound; the volumes belong to the settings, which set them
// (before or after initSound) and then call applyVolumes.
struct SoundState {
  int32_t musicVolume = kDefaultVolume;    // 0..kMaxVolume
  int32_t effectsVolume = kDefaultVolume;
  bool outputReady = false;    // initSound ran and shutdownSound has not

  SoundSample samples[kMaxSoundSamples] = {};
  int32_t sampleCount = 0;
  PlayRequest requests[kMaxPlayRequests] = {};
  int32_t nextRequest = 0;     // the slot the next request uses

  int32_t ambientLoop = -1;    // the sample looping as ambience, -1 when none

  uint32_t musicHandle = 0;    // the loaded module, 0 when there is none
  int32_t currentOrder = -1;   // order position the running section started at
  int32_t pendingOrder = -1;   // order position of the section asked for last
  float musicFadeTimer = 0.0f; // ms left of the fade; 0 when none runs

  int16_t startedSounds[kMaxStartedSounds] = {};  // sample indices, for the runner
  int32_t startedCount = 0;
};
extern SoundState sound;

// Opens the sound output and clears the request ring, then applies the volumes.
// Without a sound card the output is a silent device. Returns false when not even
// that opens (or SoundDevice::None was asked for): the game then runs silently,
// every sound call still behaving the same.
bool initSound(SoundDevice device = SoundDevice::Open);
// Loads every "*.ogg" of the folder "Sounds" (sorted by name, at most
// kMaxSoundSamples) and the module "music.mo3" from the current folder, reporting
// each file's size to the load progress hook (reportLoadedBytes). A file that
// cannot be read or decoded leaves its sample silent (handle 0); a missing module
// leaves no music.
void loadSounds();
// The loudness a volume slider position stands for, as an amplitude factor:
// position 0 is silence; every step up is the same number of decibels,
// kVolumeRangeDb from position 1 to kMaxVolume, so equal moves of the slider sound
// like equal changes. The top plays the sounds and music as the data is levelled
// (factor 1), never louder, so the limiter only meets effects piling up; the
// default position is 3.7 dB under it.
float volumeGain(int32_t position);
// Hands musicVolume and effectsVolume to the output, through volumeGain.
void applyVolumes();
// Sets both volumes, each limited to 0..kMaxVolume, and applies them.
void setSoundVolumes(int32_t music, int32_t effects);

// Queues `name` at the base frequency, unlooped, without a position.
void playSound(const char* name);
// Queues `name` (exact, case-sensitive match) at `frequency` Hz. A name no loaded
// sample has, a sample asked for again within 5 ms, and a ring whose slots are all
// looped all drop the request silently.
void playSoundEx(const char* name, const Vec3& position, uint8_t loop, int32_t frequency);
// The per-frame update, dt ms after the last: repeat guards, starting queued
// requests, the music fade.
void updateSound(float dt);
// Stops every channel of every loaded sample; looped requests and the ambient
// loop end with them.
void stopAllSounds();
// Keeps one ambience sounding as a single looped channel, so it never restarts
// and never leaves a gap: `name` is queued looped unless it is already the loop;
// the loop before it stops. Null stops the loop.
void playAmbientLoop(const char* name);

// Fades the running tune out and then starts `section` (see musicOrderForSection).
// Asking for the section already asked for does nothing.
void requestMusic(int32_t section);
// Starts `section` at once at full volume, unless it is the section already asked for.
void playMusicNow(int32_t section);
// The module's order position a music section starts at (0 for unknown sections).
int32_t musicOrderForSection(int32_t section);

// The window lost / regained activation: every channel and the music hold their
// place while paused.
void pauseSound();
void resumeSound();
// Stops and frees everything initSound and loadSounds made.
void shutdownSound();

// The names of the samples started since the last call, in start order (runner).
std::vector<std::string> takeStartedSounds();
