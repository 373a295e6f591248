// Effect samples: Ogg Vorbis decoding into the sample table, and starting,
// counting and stopping the channels that play them.
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>  // the decoder; its implementation lives in stb_impl.c

#include <climits>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/platform.h"
#include "platform/sound_local.h"

namespace {

// The longest sample decoded: about 90 seconds at 44100 Hz. The game's longest
// sound lasts three; decoding stops here however long the file claims to be.
constexpr uint32_t kMaxSampleFrames = 4u << 20;
// Frames decoded at a time.
constexpr int kDecodeChunkFrames = 4096;

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
  for (int32_t slot = 0; slot < kMaxSoundOutputSamples; ++slot) {
    SoundOutputSample& sample = soundOut.samples[slot];
    if (sample.handle != 0) continue;
    sample.handle = soundMakeHandle(kHandleSampleKind, slot);
    sample.pcm = pcm;
    sample.frames = frames;
    sample.channels = channels;
    sample.rate = rate;
    sample.maxPlaybacks = clampInt(maxPlaybacks, 1, kMaxSoundVoices);
    return sample.handle;
  }
  std::free(pcm);
  return 0;
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

// The packets of an Ogg stream, put together from the pages' segments in order.
// Only the first `count` are gathered; a damaged page ends the walk.
std::vector<std::vector<uint8_t>> oggPackets(const uint8_t* bytes, size_t size, size_t count) {
  std::vector<std::vector<uint8_t>> packets(1);
  size_t at = 0;
  while (packets.size() <= count && at + 27 <= size && std::memcmp(bytes + at, "OggS", 4) == 0) {
    const size_t segments = bytes[at + 26];
    size_t data = at + 27 + segments;
    if (data > size) break;
    for (size_t k = 0; k < segments && packets.size() <= count; ++k) {
      const size_t length = bytes[at + 27 + k];
      if (data + length > size) return {};
      packets.back().insert(packets.back().end(), bytes + data, bytes + data + length);
      data += length;
      if (length < 255) packets.emplace_back();
    }
    at = data;
  }
  packets.pop_back();  // the one still being gathered
  return packets;
}

uint32_t littleEndian32(const std::vector<uint8_t>& bytes, size_t at) {
  return uint32_t(bytes[at]) | uint32_t(bytes[at + 1]) << 8 | uint32_t(bytes[at + 2]) << 16 |
         uint32_t(bytes[at + 3]) << 24;
}

// True when the comment header (the second packet) holds the vendor text and
// every comment it announces. The decoder we use trusts these lengths: it
// allocates them and writes them without looking at the packet's end, so a length
// beyond it would write where no memory was given.
bool vorbisCommentsFit(const void* data, size_t size) {
  const auto packets = oggPackets(static_cast<const uint8_t*>(data), size, 2);
  if (packets.size() < 2) return false;
  const std::vector<uint8_t>& p = packets[1];
  size_t at = 7;  // the packet type and "vorbis"
  if (p.size() < at + 8) return false;
  const uint32_t vendor = littleEndian32(p, at);
  if (vendor > p.size() - at - 8) return false;
  at += 4 + vendor;
  const uint32_t comments = littleEndian32(p, at);
  at += 4;
  if (comments > (p.size() - at) / 4) return false;
  for (uint32_t i = 0; i < comments; ++i) {
    if (p.size() - at < 4) return false;
    const uint32_t length = littleEndian32(p, at);
    at += 4;
    if (length > p.size() - at) return false;
    at += length;
  }
  return true;
}

// Decodes a whole Ogg Vorbis file of one or two channels, at most the longest
// sample of it. Returns malloc'ed interleaved frames, or null.
int16_t* decodeVorbis(const void* data, size_t size, uint32_t* frames, int32_t* channels,
                      int32_t* rate) {
  if (!vorbisCommentsFit(data, size)) return nullptr;
  int error = 0;
  stb_vorbis* v =
      stb_vorbis_open_memory(static_cast<const unsigned char*>(data), int(size), &error, nullptr);
  if (!v) return nullptr;
  const stb_vorbis_info info = stb_vorbis_get_info(v);
  std::vector<int16_t> pcm;
  if (info.channels >= 1 && info.channels <= 2 && info.sample_rate > 0 &&
      info.sample_rate <= uint32_t(INT_MAX)) {
    const size_t chunk = size_t(kDecodeChunkFrames) * size_t(info.channels);
    for (int got = 1; got > 0 && pcm.size() < size_t(kMaxSampleFrames) * size_t(info.channels);) {
      const size_t used = pcm.size();
      pcm.resize(used + chunk);
      got = stb_vorbis_get_samples_short_interleaved(v, info.channels, pcm.data() + used,
                                                     int(chunk));
      pcm.resize(used + size_t(got) * size_t(info.channels));
    }
  }
  stb_vorbis_close(v);
  if (pcm.empty()) return nullptr;
  auto* out = static_cast<int16_t*>(std::malloc(pcm.size() * sizeof(int16_t)));
  if (!out) return nullptr;
  std::memcpy(out, pcm.data(), pcm.size() * sizeof(int16_t));
  *channels = info.channels;
  *frames = uint32_t(pcm.size() / size_t(info.channels));
  *rate = int32_t(info.sample_rate);
  return out;
}

}  // namespace

void soundStopVoicesOfSlot(int32_t slot) {
  for (SoundVoice& voice : soundOut.voices) {
    if (voice.handle != 0 && voice.sampleSlot == slot) voice = {};
  }
}

uint32_t soundSampleLoadMemory(const void* data, size_t size, int32_t maxPlaybacks) {
  if (!data || size == 0 || size > size_t(INT_MAX)) return 0;
  int32_t channels = 0, rate = 0;
  uint32_t frames = 0;
  int16_t* pcm = decodeVorbis(data, size, &frames, &channels, &rate);
  if (!pcm) return 0;
  return addSample(pcm, frames, channels, rate, maxPlaybacks);
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
  SoundLock lock;
  const int32_t slot = findSampleSlot(sample);
  if (slot < 0) return false;
  const SoundOutputSample& entry = soundOut.samples[slot];
  if (frames) *frames = entry.frames;
  if (rate) *rate = entry.rate;
  if (channels) *channels = entry.channels;
  return true;
}
