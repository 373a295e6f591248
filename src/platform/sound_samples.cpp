// Effect samples: decoded Ogg Vorbis files in the sample table (at once, or ahead
// by the decode worker), and starting, counting and stopping the channels that
// play them.
#include <cstdlib>
#include <cstring>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/sound_local.h"

namespace {

// Rates a channel may play at: far below and above anything the game asks for.
constexpr int32_t kMinPlayRate = 100;
constexpr int32_t kMaxPlayRate = 200000;

int32_t clampInt(int32_t value, int32_t low, int32_t high) {
  return value < low ? low : (value > high ? high : value);
}

// The table slot a sample handle names, or -1. The caller holds the lock.
int32_t findSampleSlot(uint32_t sample) {
  const int32_t slot = soundHandleSlot(sample, kHandleSampleKind);
  if (slot < 0 || slot >= kMaxSoundOutputSamples) return -1;
  return soundOut.samples[slot].handle == sample ? slot : -1;
}

// The first free slot of the table, or -1. The caller holds the lock.
int32_t freeSampleSlot() {
  for (int32_t slot = 0; slot < kMaxSoundOutputSamples; ++slot) {
    if (soundOut.samples[slot].handle == 0) return slot;
  }
  return -1;
}

// Takes ownership of malloc'ed frames and enters them in the table. Returns the
// handle, or 0 (frames freed) for bad arguments, no open output or a full table.
uint32_t addSample(int16_t* pcm, uint32_t frames, int32_t channels, int32_t rate,
                   int32_t maxPlaybacks) {
  if (!pcm || frames == 0 || channels < 1 || channels > 2 || rate <= 0 ||
      soundOut.kind == SoundOutputKind::None) {
    std::free(pcm);
    return 0;
  }
  SoundLock lock;
  const int32_t slot = freeSampleSlot();
  if (slot < 0) {
    std::free(pcm);
    return 0;
  }
  SoundOutputSample& sample = soundOut.samples[slot];
  sample = {};
  sample.handle = soundMakeHandle(kHandleSampleKind, slot);
  sample.pcm = pcm;
  sample.frames = frames;
  sample.channels = channels;
  sample.rate = rate;
  sample.maxPlaybacks = clampInt(maxPlaybacks, 1, kMaxSoundVoices);
  return sample.handle;
}

// Of the voices that `accept`s, the one started first that is not looped, or -1.
template <typename Accept>
int32_t oldestUnloopedVoice(Accept accept) {
  int32_t oldest = -1;
  for (int32_t i = 0; i < kMaxSoundVoices; ++i) {
    const SoundVoice& voice = soundOut.voices[i];
    if (voice.handle == 0 || voice.loop || !accept(voice)) continue;
    if (oldest < 0 || voice.startSerial < soundOut.voices[oldest].startSerial) oldest = i;
  }
  return oldest;
}

// The voice slot a new playback of `sampleSlot` takes: a free one, or the oldest
// unlooped voice when the sample or the mixer is at its limit. -1 when every
// candidate is looped. The caller holds the lock.
int32_t pickVoiceSlot(int32_t sampleSlot) {
  const auto ofThisSample = [sampleSlot](const SoundVoice& voice) {
    return voice.sampleSlot == sampleSlot;
  };
  int32_t playing = 0;
  for (const SoundVoice& voice : soundOut.voices) {
    if (voice.handle != 0 && ofThisSample(voice)) ++playing;
  }
  if (playing >= soundOut.samples[sampleSlot].maxPlaybacks) {
    return oldestUnloopedVoice(ofThisSample);
  }
  for (int32_t i = 0; i < kMaxSoundVoices; ++i) {
    if (soundOut.voices[i].handle == 0) return i;
  }
  return oldestUnloopedVoice([](const SoundVoice&) { return true; });
}

}  // namespace

void soundStopVoicesOfSlot(int32_t slot) {
  for (SoundVoice& voice : soundOut.voices) {
    if (voice.handle != 0 && voice.sampleSlot == slot) voice = {};
  }
}

uint32_t soundSampleLoadMemory(const void* data, size_t size, int32_t maxPlaybacks) {
  SoundDecodedSample decoded;
  if (!soundDecodeVorbis(data, size, &decoded)) return 0;
  return addSample(decoded.pcm, decoded.frames, decoded.channels, decoded.rate, maxPlaybacks);
}

uint32_t soundSampleLoadAhead(std::vector<uint8_t> bytes, int32_t maxPlaybacks) {
  if (soundOut.kind == SoundOutputKind::None ||
      !soundVorbisHeaderLooksRight(bytes.data(), bytes.size())) {
    return 0;
  }
  uint32_t handle = 0;
  {
    SoundLock lock;
    const int32_t slot = freeSampleSlot();
    if (slot < 0) return 0;
    SoundOutputSample& sample = soundOut.samples[slot];
    sample = {};
    sample.handle = handle = soundMakeHandle(kHandleSampleKind, slot);
    sample.maxPlaybacks = clampInt(maxPlaybacks, 1, kMaxSoundVoices);
    sample.decoding = true;
  }
  soundQueueSampleDecode(handle, std::move(bytes));
  return handle;
}

uint32_t soundSampleLoadFile(const char* path, size_t maxSize, int32_t maxPlaybacks) {
  std::vector<uint8_t> bytes;
  if (!sysReadWholeFile(path, maxSize, &bytes)) return 0;
  return soundSampleLoadMemory(bytes.data(), bytes.size(), maxPlaybacks);
}

uint32_t soundSampleLoadPcm(const int16_t* frames, uint32_t frameCount, int32_t channels,
                            int32_t rate, int32_t maxPlaybacks) {
  if (!frames || frameCount == 0 || channels < 1 || channels > 2) return 0;
  const size_t bytes = size_t(frameCount) * size_t(channels) * sizeof(int16_t);
  int16_t* copy = static_cast<int16_t*>(std::malloc(bytes));
  if (!copy) return 0;
  std::memcpy(copy, frames, bytes);
  return addSample(copy, frameCount, channels, rate, maxPlaybacks);
}

bool soundSampleFree(uint32_t sample) {
  soundSettleDecoding(sample);
  int16_t* pcm = nullptr;
  {
    SoundLock lock;
    const int32_t slot = findSampleSlot(sample);
    if (slot < 0) return false;
    soundStopVoicesOfSlot(slot);
    pcm = soundOut.samples[slot].pcm;
    soundOut.samples[slot] = {};
  }
  std::free(pcm);
  return true;
}

uint32_t soundSamplePlay(uint32_t sample, int32_t frequency, int32_t volume, bool loop) {
  soundSettleDecoding(sample);
  SoundLock lock;
  const int32_t slot = findSampleSlot(sample);
  if (slot < 0) return 0;
  const int32_t voiceSlot = pickVoiceSlot(slot);
  if (voiceSlot < 0) return 0;
  const int32_t rate = frequency <= 0 ? soundOut.samples[slot].rate
                                      : clampInt(frequency, kMinPlayRate, kMaxPlayRate);
  SoundVoice& voice = soundOut.voices[voiceSlot];
  voice.handle = soundMakeHandle(kHandleChannelKind, voiceSlot);
  voice.sampleSlot = slot;
  voice.position = 0.0;
  voice.step = double(rate) / double(kSoundOutputRate);
  voice.volume = volume < 0 ? 100 : clampInt(volume, 0, 100);
  voice.startSerial = soundOut.serial;
  voice.loop = loop;
  return voice.handle;
}

bool soundSampleStop(uint32_t sample) {
  SoundLock lock;
  const int32_t slot = findSampleSlot(sample);
  if (slot < 0) return false;
  soundStopVoicesOfSlot(slot);
  return true;
}

int32_t soundSampleChannelCount(uint32_t sample) {
  SoundLock lock;
  const int32_t slot = findSampleSlot(sample);
  if (slot < 0) return 0;
  int32_t count = 0;
  for (const SoundVoice& voice : soundOut.voices) {
    if (voice.handle != 0 && voice.sampleSlot == slot) ++count;
  }
  return count;
}

bool soundSampleInfo(uint32_t sample, uint32_t* frames, int32_t* rate, int32_t* channels) {
  soundSettleDecoding(sample);
  SoundLock lock;
  const int32_t slot = findSampleSlot(sample);
  if (slot < 0) return false;
  const SoundOutputSample& entry = soundOut.samples[slot];
  if (frames) *frames = entry.frames;
  if (rate) *rate = entry.rate;
  if (channels) *channels = entry.channels;
  return true;
}
