// sound_local.h: what the sound output's own files share: the mixer state, the
// handle scheme, the lock, and the device backend's few calls.
#pragma once

#include <libopenmpt/libopenmpt.h>

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/sound_output.h"

struct SoundOutputSample {
  uint32_t handle;       // 0: the slot is free
  int16_t* pcm;          // interleaved frames, malloc'ed, owned here
  uint32_t frames;       // at least 1
  int32_t channels;      // 1 or 2
  int32_t rate;          // Hz the sample was recorded at
  int32_t maxPlaybacks;  // channels of this sample sounding at once
  bool decoding;         // handed to the decode worker: no frames yet (pcm null)
};

struct SoundVoice {
  uint32_t handle;      // the channel; 0: the slot is free
  int32_t sampleSlot;   // index into SoundOutputState::samples
  double position;      // in sample frames
  double step;          // sample frames per output frame: playing rate / output rate
  int32_t volume;       // 0..100
  uint32_t startSerial; // start order, so the oldest voice can give way
  bool loop;
};

struct SoundMusicState {
  openmpt_module* module;  // null: no module loaded
  uint32_t handle;
  bool playing;
  int32_t volume;          // the music channel's own volume, 0..100
  int32_t amplify;         // 0..100; 50 is the module as rendered
  bool decoding;           // handed to the decode worker: module still null
};
// No module: full channel volume, amplification as rendered.
constexpr SoundMusicState kNoMusic = {nullptr, 0, false, 100, 50, false};

// The limiter's look-ahead in frames (1.45 ms): how far ahead it sees a peak,
// and how long its gain takes to glide down to meet it.
constexpr int32_t kLimiterLookAhead = kSoundMixLatencyFrames + 1;

// The output limiter (sound_limiter.cpp): the frames of the look-ahead, the
// gains they need as a sliding minimum, and the envelope and its running mean.
struct SoundLimiter {
  bool ready;                                  // false: reset before the next frame
  int64_t serial;                              // frames entered so far
  float delayed[2 * kLimiterLookAhead];        // ring, by serial
  float minimumGain[kLimiterLookAhead];        // increasing queue of needed gains
  int64_t minimumSerial[kLimiterLookAhead];
  int32_t minimumHead, minimumCount;
  float envelope;                              // 0..1
  int32_t holdFrames;                          // left before the envelope recovers
  int64_t smoothed[kLimiterLookAhead];         // envelope, fixed point, ring
  int64_t smoothedSum;
};

// The mixer state: reset by soundInit and soundFree. Read by the device thread
// inside soundMix, so the main thread touches it only under SoundLock.
struct SoundOutputState {
  SoundOutputKind kind = SoundOutputKind::None;
  bool paused = true;
  float musicGain = 1.0f;       // global, 0..1
  float effectsGain = 1.0f;     // global, 0..1
  SoundOutputSample samples[kMaxSoundOutputSamples] = {};
  SoundVoice voices[kMaxSoundVoices] = {};
  SoundMusicState music = kNoMusic;
  uint32_t serial = 0;          // counts handles handed out and voices started
  SoundLimiter limiter = {};    // cleared by soundStop too
  SoundLimiterReport limiterReport;
};
extern SoundOutputState soundOut;

// Handles: two kind bits, a serial, and the slot index + 1 in the low bits, so a
// stale handle never names the slot's next occupant.
enum : uint32_t {
  kHandleSampleKind = 0x40000000u,
  kHandleChannelKind = 0x80000000u,
  kHandleMusicKind = 0xC0000000u,
  kHandleKindMask = 0xC0000000u,
  kHandleSlotBits = 9,  // slots up to 511
  kHandleSlotMask = (1u << kHandleSlotBits) - 1u,
};
uint32_t soundMakeHandle(uint32_t kind, int32_t slot);
// The slot a handle of `kind` names, or -1 for any other handle.
int32_t soundHandleSlot(uint32_t handle, uint32_t kind);

// Mixes `frames` stereo frames into `out`. The caller holds the lock (the device
// thread holds it while it calls back).
void soundMix(int16_t* out, int32_t frames);
// Turns the mixed frames (16-bit units, interleaved) down where they would pass
// the ceiling and converts them; the output lags kSoundMixLatencyFrames behind.
// The caller holds the lock.
void soundLimitFrames(const float* mixed, int16_t* out, int32_t frames);
// Forgets the frames the limiter holds (they are not heard).
void soundResetLimiter();
// Stops every voice of a sample slot. The caller holds the lock.
void soundStopVoicesOfSlot(int32_t slot);

// Decoding (sound_decode.cpp).
struct SoundDecodedSample {
  int16_t* pcm;      // malloc'ed interleaved frames; null when nothing decoded
  uint32_t frames;
  int32_t channels;  // 1 or 2
  int32_t rate;      // Hz
};
// Decodes a whole Ogg Vorbis file of one or two channels. False (out empty) when it
// does not decode.
bool soundDecodeVorbis(const void* data, size_t size, SoundDecodedSample* out);
// Whether the file starts as an Ogg Vorbis stream of one or two channels does: with
// a first page holding the identification header. Cheap; decodes nothing.
bool soundVorbisHeaderLooksRight(const uint8_t* data, size_t size);
// A module from a whole file (the data is copied), or null (sound_music.cpp).
openmpt_module* soundCreateModule(const void* data, size_t size);
// Hands a file to the decode worker, started on first use. The sample slot or the
// music state already holds `handle` with `decoding` set. The module goes ahead of
// every sample not yet begun: the title needs it first.
void soundQueueSampleDecode(uint32_t handle, std::vector<uint8_t> bytes);
void soundQueueMusicDecode(uint32_t handle, std::vector<uint8_t> bytes);
// Puts what was decoded for `handle` in place, waiting for the worker if it is busy
// with it (a file it has not reached is decoded right here). A file that did not
// decode frees its sample slot or the music state. Nothing happens for a handle
// that was never queued or is settled already. The caller must not hold the mixer
// lock.
void soundSettleDecoding(uint32_t handle);
// Lets the worker finish its current file, joins it and drops what is left.
void soundStopDecoding();

// Device backend (sound_device_sdl.cpp).
// Opens the default device, else SDL's silent one. False when neither opens.
bool soundDeviceOpen();
// Closes the device; no callback runs afterwards.
void soundDeviceClose();
void soundDeviceSetPaused(bool paused);
void soundDeviceLock();
void soundDeviceUnlock();

// Holds the mixer lock for a scope.
struct SoundLock {
  SoundLock() { soundDeviceLock(); }
  ~SoundLock() { soundDeviceUnlock(); }
  SoundLock(const SoundLock&) = delete;
  SoundLock& operator=(const SoundLock&) = delete;
};
