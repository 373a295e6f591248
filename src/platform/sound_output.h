// sound_output.h: the game's small sound library: decoded effect samples played
// at any rate, one tracker module, global volumes, and the mixer that feeds the
// audio device.
//
// Output is 44100 Hz stereo 16-bit. Mixing happens in soundMix, called by the
// audio device's thread; every call here takes the same lock, so the game may
// call from the main thread at any time. Effects and the module may be decoded
// ahead by a worker thread of the output's own, joined when the output is freed. Without a device (the null output)
// nothing is mixed until soundRender is called, and everything else behaves
// exactly the same.
//
// Handles are never 0; 0 is the failure result. A handle stays invalid after
// what it named is gone, so late calls with it fail harmlessly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The output's rate: playing a sample at this frequency plays it one to one.
constexpr int32_t kSoundOutputRate = 44100;
// Samples loaded at once: the game's effect table holds 256.
constexpr int kMaxSoundOutputSamples = 256;
// Sample playbacks sounding at once. When full, a new playback takes the place
// of the oldest unlooped one.
constexpr int kMaxSoundVoices = 256;
// Frames between a sample frame entering the mix and leaving the output: the
// limiter's look-ahead.
constexpr int32_t kSoundMixLatencyFrames = 63;
// The highest output level, about -1 dBFS: louder sums are turned down smoothly
// (a look-ahead limiter) instead of clipping.
constexpr int32_t kSoundOutputCeiling = 29204;

enum class SoundOutputKind : uint8_t {
  None,    // soundInit has not run, or soundFree has
  Device,  // an audio device (perhaps SDL's silent one) pulls the mix
  Null     // nothing pulls the mix; soundRender advances it by hand
};

// Channel activity, as soundChannelIsActive reports it.
enum : int32_t {
  kSoundStopped = 0,  // ended, stopped, or never existed
  kSoundPlaying = 1,
  kSoundPaused = 3    // sounding, but the whole output is paused
};

// ---------------------------------------------------------------------------
// Output

// Opens the output. With wantDevice the default audio device is opened; when it
// cannot be (no sound card, no sound server), SDL's silent device; when even that
// fails, the null output. Without wantDevice the null output is used. The output
// starts paused (soundStart). Returns the kind opened; calling it twice frees the
// first output.
SoundOutputKind soundInit(bool wantDevice);
SoundOutputKind soundOutputKind();
// Starts or resumes mixing. Channels continue where they were.
void soundStart();
// Pauses mixing: every channel and the music keep their place.
void soundPause();
// Stops every sample channel and the music and pauses the output.
void soundStop();
// Stops everything, frees every sample and the module, closes the device.
void soundFree();
// Volumes of the music and of every sample channel, 0..100; -1 leaves one as it is.
void soundSetGlobalVolumes(int32_t musicVolume, int32_t effectsVolume);
// The same as amplitude factors 0..1, for volume curves finer than whole steps;
// a negative factor leaves one as it is.
void soundSetGlobalGains(float musicGain, float effectsGain);

// What the limiter did since the output opened or this was last asked.
struct SoundLimiterReport {
  uint64_t frames = 0;         // frames that left the mixer
  uint64_t limitedFrames = 0;  // of them, turned down to stay under the ceiling
  float deepestGain = 1.0f;    // the lowest gain applied
  double cutDbSum = 0.0;       // decibels taken off, summed over the limited frames
};
SoundLimiterReport soundTakeLimiterReport();

// Mixes `frames` stereo frames into `out` under the lock. This is how the null
// output advances, and how a test listens to a device output. While paused it
// writes silence and advances nothing.
void soundRender(int16_t* out, int32_t frames);

// ---------------------------------------------------------------------------
// Samples

// Decodes an Ogg Vorbis file of one or two channels held in memory, at most about
// 90 seconds of it; one whose comment header announces more than it holds is
// refused before the decoder sees it. `maxPlaybacks`
// (1..255) bounds the channels of this sample sounding at once; past it the oldest
// gives way. Returns 0 when the data does not decode or the table is full.
uint32_t soundSampleLoadMemory(const void* data, size_t size, int32_t maxPlaybacks);
// The same from a file. Returns 0 when the file cannot be read or decoded.
uint32_t soundSampleLoadFile(const char* path, size_t maxSize, int32_t maxPlaybacks);
// Takes a whole Ogg Vorbis file and decodes it on the decode worker, so loading
// goes on meanwhile. Only its first page is checked now: 0 when it is not an Ogg
// Vorbis stream of one or two channels (or the table is full). The handle is usable
// at once; the first call that needs the frames (playing, asking for its frames)
// waits for them if the worker has not finished. A file that fails to decode later
// leaves a handle that plays nothing, as an unknown one.
uint32_t soundSampleLoadAhead(std::vector<uint8_t> bytes, int32_t maxPlaybacks);
// A sample from interleaved 16-bit frames (1 or 2 channels) recorded at `rate` Hz;
// the frames are copied. Returns 0 for bad arguments or a full table.
uint32_t soundSampleLoadPcm(const int16_t* frames, uint32_t frameCount, int32_t channels,
                            int32_t rate, int32_t maxPlaybacks);
// Stops the sample's channels and frees it. False for an unknown handle.
bool soundSampleFree(uint32_t sample);
// Starts the sample on a new channel at `frequency` Hz (-1: its own rate; clamped
// to 100..200000) and `volume` 0..100 (-1: 100). Returns the channel, or 0 when
// the sample is unknown or the output is not open.
uint32_t soundSamplePlay(uint32_t sample, int32_t frequency, int32_t volume, bool loop);
// Stops every channel of the sample. False for an unknown handle.
bool soundSampleStop(uint32_t sample);
// Channels of the sample that are still sounding (0 for an unknown handle).
int32_t soundSampleChannelCount(uint32_t sample);
// Frames and rate of a loaded sample. False for an unknown handle.
bool soundSampleInfo(uint32_t sample, uint32_t* frames, int32_t* rate, int32_t* channels);

// ---------------------------------------------------------------------------
// Channels: sample channels and the music handle alike

// kSoundPlaying, kSoundPaused (output paused) or kSoundStopped.
int32_t soundChannelIsActive(uint32_t channel);
// Sets the channel's own volume, 0..100. False for a finished or unknown channel.
bool soundChannelSetVolume(uint32_t channel, int32_t volume);
// The channel's own volume, or -1 for a finished or unknown channel.
int32_t soundChannelVolume(uint32_t channel);

// ---------------------------------------------------------------------------
// Music: one module at a time

// Loads a tracker module (the format is found from the content) from memory; the
// data is copied. A module already loaded is freed first. Returns 0 when the data
// is not a module.
uint32_t soundMusicLoadMemory(const void* data, size_t size);
// The same from a file. Returns 0 when the file cannot be read or is not a module.
uint32_t soundMusicLoadFile(const char* path, size_t maxSize);
// Takes a whole module file and loads it on the decode worker, ahead of any effect
// waiting there. Only its header is checked now: 0 when the library does not know
// it. Volume and amplification may be set at once; playing it, or asking where it
// plays, waits for the worker if it has not finished. A file that fails to load
// later leaves no music, as an unknown handle.
uint32_t soundMusicLoadAhead(std::vector<uint8_t> bytes);
// Starts the module at row 0 of order position `order`, from a clean state, with
// its channel volume unchanged. With `loop` it plays on for ever, looping where the
// module's own jumps send it; otherwise it ends after one pass. False for an
// unknown handle.
bool soundMusicPlay(uint32_t music, int32_t order, bool loop);
// Amplification 0..100; 50 plays the module as rendered, 100 twice as loud.
bool soundMusicSetAmplify(uint32_t music, int32_t amplify);
// The order position the module is playing, or -1 (unknown handle or not playing).
int32_t soundMusicOrder(uint32_t music);
// The module's playing position in seconds, or -1.
double soundMusicPositionSeconds(uint32_t music);
bool soundMusicFree(uint32_t music);
