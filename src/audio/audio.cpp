// Sound effects by file name and music sections, over the sound output: the
// sample table, the request ring started once per frame, and the section fade.
#include "audio/audio.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <utility>

#include "platform/platform.h"
#include "platform/sound_output.h"
#include "resources/resources.h"

SoundState sound;

namespace {

// Simultaneous playbacks of one effect.
constexpr int32_t kMaxPlaybacksPerSample = 255;
// What the module counts for on the loading bar, whatever its real size.
constexpr uint32_t kMusicLoadBytes = 1104189;
// The module plays somewhat louder than as rendered.
constexpr int32_t kMusicAmplify = 80;
constexpr const char* kSoundsDirectory = "Sounds";
constexpr const char* kMusicFile = "music.mo3";

int32_t limitVolume(int32_t volume) {
  if (volume < 0) return 0;
  return volume > kMaxVolume ? kMaxVolume : volume;
}

// Clears everything but the volumes, which belong to the settings.
void resetSoundState() {
  const int32_t musicVolume = sound.musicVolume;
  const int32_t effectsVolume = sound.effectsVolume;
  sound = {};
  sound.musicVolume = musicVolume;
  sound.effectsVolume = effectsVolume;
}

// Enters one effect file of the current folder into the table and reports its
// size. The file is read and its header checked now and it is decoded ahead on the
// sound output's worker; a file missing or not an Ogg Vorbis stream still takes its
// place, silent.
void loadSample(const std::string& fileName) {
  if (fileName.size() >= size_t(kMaxSoundName)) {
    std::fprintf(stderr, "Sound file name too long, skipped: %s\n", fileName.c_str());
    return;
  }
  std::vector<uint8_t> bytes;
  const bool read = sysReadWholeFile(fileName.c_str(), kMaxDataFileSize, &bytes);
  const uint32_t size = uint32_t(bytes.size());
  SoundSample& sample = sound.samples[sound.sampleCount++];
  std::snprintf(sample.fileName, sizeof sample.fileName, "%s", fileName.c_str());
  sample.handle = read ? soundSampleLoadAhead(std::move(bytes), kMaxPlaybacksPerSample) : 0;
  sample.repeatGuard = 0.0f;
  reportLoadedBytes(size);
}

// Loads the effects of "Sounds" and returns to the folder it started in. A missing
// folder loads nothing.
void loadSampleFolder() {
  const std::string home = sysCurrentDirectory();
  if (!sysChangeDirectory(kSoundsDirectory)) return;
  for (const std::string& fileName : sysListDirectory(".", ".ogg")) {
    if (sound.sampleCount >= kMaxSoundSamples) break;
    loadSample(fileName);
  }
  sysChangeDirectory(home.c_str());
}

// The module is read and its header checked now and loaded on the sound output's
// worker meanwhile (the title's first frame waits for it if need be). A missing
// or unreadable module leaves musicHandle 0, and every music call then changes
// only the bookkeeping.
void loadMusic() {
  std::vector<uint8_t> bytes;
  if (sysReadWholeFile(kMusicFile, kMaxDataFileSize, &bytes)) {
    sound.musicHandle = soundMusicLoadAhead(std::move(bytes));
  }
  reportLoadedBytes(kMusicLoadBytes);
  soundMusicSetAmplify(sound.musicHandle, kMusicAmplify);
}

// The table index of the sample named `name`, or -1.
int32_t sampleIndex(const char* name) {
  for (int32_t i = 0; i < sound.sampleCount; ++i) {
    if (std::strcmp(sound.samples[i].fileName, name) == 0) return i;
  }
  return -1;
}

// Stops a looped sample and frees the ring slots that play it.
void stopLoopedSample(uint32_t handle) {
  soundSampleStop(handle);
  for (PlayRequest& request : sound.requests) {
    if (request.loop && request.sample == handle) request = {};
  }
}

// Moves nextRequest past looped slots. Returns false when every slot is looped.
bool skipLoopedRequests() {
  for (int32_t tries = 0; tries < kMaxPlayRequests; ++tries) {
    if (!sound.requests[sound.nextRequest].loop) return true;
    sound.nextRequest = (sound.nextRequest + 1) % kMaxPlayRequests;
  }
  return false;
}

// Fills the slot nextRequest points at and arms the sample's repeat guard.
void queueRequest(SoundSample& sample, const Vec3& position, uint8_t loop,
                  int32_t frequency) {
  sample.repeatGuard = kSoundRepeatGuardMs;
  PlayRequest& request = sound.requests[sound.nextRequest];
  request.state = kRequestWaiting;
  request.channel = 0;
  request.sample = sample.handle;
  request.position = position;
  request.loop = loop;
  request.frequency = frequency;
  sound.nextRequest = (sound.nextRequest + 1) % kMaxPlayRequests;
}

// Notes a started sample for takeStartedSounds; full lists drop the rest.
void noteStarted(uint32_t handle) {
  if (handle == 0 || sound.startedCount >= kMaxStartedSounds) return;
  for (int32_t i = 0; i < sound.sampleCount; ++i) {
    if (sound.samples[i].handle != handle) continue;
    sound.startedSounds[sound.startedCount++] = int16_t(i);
    return;
  }
}

// Positioned requests sound like unpositioned ones: the game places none.
void startRequest(PlayRequest& request) {
  request.channel = soundSamplePlay(request.sample, request.frequency, -1, request.loop != 0);
  request.state = kRequestPlaying;
  if (request.channel != 0) noteStarted(request.sample);
}

// Starts waiting slots and lets playing slots follow their channels.
void updateRequests() {
  for (PlayRequest& request : sound.requests) {
    if (request.state == kRequestWaiting) {
      startRequest(request);
    } else if (request.state == kRequestPlaying) {
      request.state = soundChannelIsActive(request.channel);
    }
  }
}

// Restarts the module at the pending section at full volume.
void startPendingSection() {
  soundChannelSetVolume(sound.musicHandle, 100);
  soundMusicPlay(sound.musicHandle, sound.pendingOrder, true);
  sound.currentOrder = sound.pendingOrder;
}

// Runs the fade down (volume = ms left / 8) and starts the pending section when it ends.
void updateMusicFade(float dt) {
  if (sound.musicFadeTimer <= 0.0f) return;
  sound.musicFadeTimer -= dt;
  if (sound.musicFadeTimer > 0.0f) {
    soundChannelSetVolume(sound.musicHandle, int32_t(sound.musicFadeTimer / 8.0f));
    return;
  }
  sound.musicFadeTimer = 0.0f;
  startPendingSection();
}

}  // namespace

bool initSound(SoundDevice device) {
  if (sound.outputReady) shutdownSound();
  resetSoundState();
  const SoundOutputKind kind = soundInit(device == SoundDevice::Open);
  soundStart();
  sound.outputReady = true;
  applyVolumes();
  return kind == SoundOutputKind::Device;
}

void loadSounds() {
  loadSampleFolder();
  loadMusic();
}

float volumeGain(int32_t position) {
  const int32_t p = limitVolume(position);
  if (p == 0) return 0.0f;
  const float db = -kVolumeRangeDb * float(kMaxVolume - p) / float(kMaxVolume - 1);
  return std::pow(10.0f, db / 20.0f);
}

void applyVolumes() {
  soundSetGlobalGains(volumeGain(sound.musicVolume), volumeGain(sound.effectsVolume));
}

void setSoundVolumes(int32_t music, int32_t effects) {
  sound.musicVolume = limitVolume(music);
  sound.effectsVolume = limitVolume(effects);
  applyVolumes();
}

void playSound(const char* name) {
  playSoundEx(name, Vec3{0.0f, 0.0f, 0.0f}, 0, kSoundBaseFrequency);
}

void playSoundEx(const char* name, const Vec3& position, uint8_t loop, int32_t frequency) {
  if (!name) return;
  for (int32_t i = 0; i < sound.sampleCount; ++i) {
    SoundSample& sample = sound.samples[i];
    if (std::strcmp(sample.fileName, name) != 0) continue;
    if (!skipLoopedRequests()) return;
    if (sample.repeatGuard <= 0.0f) queueRequest(sample, position, loop, frequency);
  }
}

void updateSound(float dt) {
  for (int32_t i = 0; i < sound.sampleCount; ++i) {
    if (sound.samples[i].repeatGuard > 0.0f) sound.samples[i].repeatGuard -= dt;
  }
  updateRequests();
  updateMusicFade(dt);
}

void stopAllSounds() {
  for (int32_t i = 0; i < sound.sampleCount; ++i) soundSampleStop(sound.samples[i].handle);
  for (PlayRequest& request : sound.requests) {
    if (request.loop) request = {};
  }
  sound.ambientLoop = -1;
}

void playAmbientLoop(const char* name) {
  const int32_t index = name ? sampleIndex(name) : -1;
  if (index == sound.ambientLoop) return;
  if (sound.ambientLoop >= 0) stopLoopedSample(sound.samples[sound.ambientLoop].handle);
  sound.ambientLoop = index;
  if (index >= 0) playSoundEx(name, Vec3{0.0f, 0.0f, 0.0f}, 1, kSoundBaseFrequency);
}

// Where each section starts in the module; sections loop in place from there.
int32_t musicOrderForSection(int32_t section) {
  switch (section) {
    case 1: return 11;
    case 2: return 29;
    case 3: return 47;
    case 4: return 63;
    case 5: return 65;
    case 6: return 44;
    default: return 0;
  }
}

void requestMusic(int32_t section) {
  const int32_t order = musicOrderForSection(section);
  if (order == sound.pendingOrder) return;
  sound.pendingOrder = order;
  sound.musicFadeTimer = kMusicFadeMs;
}

void playMusicNow(int32_t section) {
  if (musicOrderForSection(section) == sound.pendingOrder) return;
  requestMusic(section);
  sound.musicFadeTimer = 0.0f;
  startPendingSection();
}

void pauseSound() { soundPause(); }

void resumeSound() { soundStart(); }

void shutdownSound() {
  soundStop();
  soundFree();
  resetSoundState();
}

std::vector<std::string> takeStartedSounds() {
  std::vector<std::string> names;
  names.reserve(size_t(sound.startedCount));
  for (int32_t i = 0; i < sound.startedCount; ++i) {
    names.emplace_back(sound.samples[sound.startedSounds[i]].fileName);
  }
  sound.startedCount = 0;
  return names;
}
