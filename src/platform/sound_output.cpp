// The sound output's life cycle (open, start, pause, stop, free), the global
// volumes, the handle scheme and the channel calls shared by samples and music.
#include <cmath>
#include <cstdlib>

#include "platform/sound_local.h"

SoundOutputState soundOut;

namespace {

int32_t clampVolume(int32_t volume) {
  return volume < 0 ? 0 : (volume > 100 ? 100 : volume);
}

// Releases every sample's frames and the module. The device is closed already or
// was never open, so nothing else can be reading them.
void releaseEverything() {
  for (SoundOutputSample& sample : soundOut.samples) {
    std::free(sample.pcm);
    sample = {};
  }
  if (soundOut.music.module) openmpt_module_destroy(soundOut.music.module);
  soundOut.music.module = nullptr;
}

}  // namespace

uint32_t soundMakeHandle(uint32_t kind, int32_t slot) {
  soundOut.serial += 1;
  const uint32_t serialBits = (soundOut.serial << kHandleSlotBits) & ~kHandleKindMask;
  return kind | serialBits | (uint32_t(slot + 1) & kHandleSlotMask);
}

int32_t soundHandleSlot(uint32_t handle, uint32_t kind) {
  if ((handle & kHandleKindMask) != kind) return -1;
  return int32_t(handle & kHandleSlotMask) - 1;
}

SoundOutputKind soundInit(bool wantDevice) {
  if (soundOut.kind != SoundOutputKind::None) soundFree();
  soundOut = {};
  const bool opened = wantDevice && soundDeviceOpen();
  soundOut.kind = opened ? SoundOutputKind::Device : SoundOutputKind::Null;
  return soundOut.kind;
}

SoundOutputKind soundOutputKind() { return soundOut.kind; }

void soundStart() {
  if (soundOut.kind == SoundOutputKind::None) return;
  {
    SoundLock lock;
    soundOut.paused = false;
  }
  soundDeviceSetPaused(false);
}

void soundPause() {
  if (soundOut.kind == SoundOutputKind::None) return;
  soundDeviceSetPaused(true);
  SoundLock lock;
  soundOut.paused = true;
}

void soundStop() {
  if (soundOut.kind == SoundOutputKind::None) return;
  soundDeviceSetPaused(true);
  SoundLock lock;
  for (SoundVoice& voice : soundOut.voices) voice = {};
  soundOut.music.playing = false;
  soundOut.paused = true;
  soundResetLimiter();
}

void soundFree() {
  if (soundOut.kind == SoundOutputKind::None) return;
  soundStopDecoding();
  soundDeviceClose();
  releaseEverything();
  soundOut = {};
}

void soundSetGlobalVolumes(int32_t musicVolume, int32_t effectsVolume) {
  SoundLock lock;
  if (musicVolume >= 0) soundOut.musicGain = float(clampVolume(musicVolume)) / 100.0f;
  if (effectsVolume >= 0) soundOut.effectsGain = float(clampVolume(effectsVolume)) / 100.0f;
}

void soundSetGlobalGains(float musicGain, float effectsGain) {
  SoundLock lock;
  if (musicGain >= 0.0f) soundOut.musicGain = std::fmin(musicGain, 1.0f);
  if (effectsGain >= 0.0f) soundOut.effectsGain = std::fmin(effectsGain, 1.0f);
}

SoundLimiterReport soundTakeLimiterReport() {
  SoundLock lock;
  const SoundLimiterReport report = soundOut.limiterReport;
  soundOut.limiterReport = {};
  return report;
}

void soundRender(int16_t* out, int32_t frames) {
  if (frames <= 0) return;
  SoundLock lock;
  soundMix(out, frames);
}

// ---------------------------------------------------------------------------
// Channels

namespace {

// The voice a channel handle names, or null once it has ended.
SoundVoice* findVoice(uint32_t channel) {
  const int32_t slot = soundHandleSlot(channel, kHandleChannelKind);
  if (slot < 0 || slot >= kMaxSoundVoices) return nullptr;
  SoundVoice& voice = soundOut.voices[slot];
  return voice.handle == channel ? &voice : nullptr;
}

// The module's handle, also while the decode worker is still making it (it keeps
// a volume meanwhile, and does not play).
bool isMusicHandle(uint32_t channel) {
  return channel != 0 && soundOut.music.handle == channel &&
         (soundOut.music.module || soundOut.music.decoding);
}

}  // namespace

int32_t soundChannelIsActive(uint32_t channel) {
  SoundLock lock;
  const bool sounding = findVoice(channel) ||
                        (isMusicHandle(channel) && soundOut.music.playing);
  if (!sounding) return kSoundStopped;
  return soundOut.paused ? kSoundPaused : kSoundPlaying;
}

bool soundChannelSetVolume(uint32_t channel, int32_t volume) {
  SoundLock lock;
  if (SoundVoice* voice = findVoice(channel)) {
    voice->volume = clampVolume(volume);
    return true;
  }
  if (!isMusicHandle(channel)) return false;
  soundOut.music.volume = clampVolume(volume);
  return true;
}

int32_t soundChannelVolume(uint32_t channel) {
  SoundLock lock;
  if (const SoundVoice* voice = findVoice(channel)) return voice->volume;
  return isMusicHandle(channel) ? soundOut.music.volume : -1;
}
