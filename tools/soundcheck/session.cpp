// session.cpp: the game's sound path driven by hand (session.h).
#include "session.h"

#include <algorithm>
#include <cstring>

#include "audio/audio.h"
#include "platform/platform.h"
#include "platform/sound_output.h"

namespace {

constexpr int32_t kChunkFrames = 512;
// Frames rendered after the last effect ends, for what the mixer still holds.
constexpr int32_t kTailFrames = 2048;
// A frame's worth of time for the request ring (and more than the repeat guard).
constexpr float kFrameMs = 16.0f;

constexpr Vec3 kNoPosition = {0.0f, 0.0f, 0.0f};

uint32_t handleOf(const std::string& name) {
  for (int32_t i = 0; i < sound.sampleCount; ++i) {
    if (name == sound.samples[i].fileName) return sound.samples[i].handle;
  }
  return 0;
}

// Renders `frames` frames onto `out` (when given).
void render(int32_t frames, Frames* out) {
  int16_t pcm[2 * kChunkFrames];
  while (frames > 0) {
    const int32_t count = std::min(frames, kChunkFrames);
    soundRender(pcm, count);
    if (out) appendFrames(out, pcm, size_t(count));
    frames -= count;
  }
}

bool anySounding(const Drop& drop) {
  for (const std::string& name : drop) {
    if (soundSampleChannelCount(handleOf(name)) > 0) return true;
  }
  return false;
}

// Starts the drop's effects together, as one frame's requests.
void startDrop(const Drop& drop) {
  updateSound(kFrameMs);  // the repeat guards of the drop before run out
  for (const std::string& name : drop) playSound(name.c_str());
  updateSound(0.0f);
}

// Renders until the drop's effects have ended, then the tail.
Frames renderDrop(const Drop& drop) {
  Frames out;
  while (anySounding(drop)) render(kChunkFrames, &out);
  render(kTailFrames, &out);
  return out;
}

void tally(const Frames& frames, DropTally* t) {
  uint64_t clipped = 0;
  for (const float v : frames) {
    if (v >= 32767.0f / 32768.0f || v <= -1.0f) ++clipped;
  }
  t->drops += 1;
  t->clippedDrops += clipped > 0 ? 1 : 0;
  t->clippedSamples += clipped;
  t->peakDb = std::max(t->peakDb, samplePeakDb(frames));
  // Cuts of a few tenths of a decibel go unheard.
  const double cutDb = decibels(soundTakeLimiterReport().deepestGain);
  t->limitedDrops += cutDb < -0.5 ? 1 : 0;
  t->deepestDb = std::min(t->deepestDb, cutDb);
}

// Every drop `repeats` times, shuffled, each after a random stretch of what
// plays underneath.
void runDrops(const std::vector<Drop>& drops, int32_t repeats, std::mt19937* random,
              std::vector<DropTally>* tallies) {
  tallies->resize(drops.size());
  std::vector<size_t> order;
  for (size_t i = 0; i < drops.size(); ++i) order.insert(order.end(), size_t(repeats), i);
  std::shuffle(order.begin(), order.end(), *random);
  std::uniform_int_distribution<int32_t> gap(kSoundOutputRate / 20, 3 * kSoundOutputRate / 2);
  for (const size_t i : order) {
    render(gap(*random), nullptr);
    soundTakeLimiterReport();  // what happened before the drop is not its doing
    startDrop(drops[i]);
    tally(renderDrop(drops[i]), &(*tallies)[i]);
  }
}

// Starts a section afresh, even the one asked for last.
void restartSection(int32_t section) {
  sound.pendingOrder = -1;
  playMusicNow(section);
}

// Stops everything and lets the mixer run empty, so nothing of what played before
// is measured, then sets the volumes.
void startQuiet(Volumes volumes) {
  stopAllSounds();
  setSoundVolumes(0, 0);
  render(kTailFrames, nullptr);
  soundTakeLimiterReport();
  setSoundVolumes(volumes.music, volumes.effects);
}

}  // namespace

bool openSession(const std::string& dataDirectory, std::string* error) {
  const std::string home = sysCurrentDirectory();
  if (!sysChangeDirectory(dataDirectory.c_str())) {
    *error = "cannot enter " + dataDirectory;
    return false;
  }
  initSound(SoundDevice::None);
  loadSounds();
  sysChangeDirectory(home.c_str());
  if (sound.sampleCount == 0 || sound.musicHandle == 0) {
    *error = dataDirectory + " holds no Sounds folder or no music.mo3";
    return false;
  }
  return true;
}

void closeSession() { shutdownSound(); }

std::vector<std::string> effectNames() {
  std::vector<std::string> names;
  for (int32_t i = 0; i < sound.sampleCount; ++i) names.emplace_back(sound.samples[i].fileName);
  return names;
}

Frames renderEffectAlone(const std::string& name, Volumes volumes) {
  startQuiet({0, volumes.effects});
  startDrop({name});
  return renderDrop({name});
}

Frames renderSectionPass(int32_t section, Volumes volumes, double limitSeconds,
                         double* loopSeconds) {
  startQuiet(volumes);
  restartSection(section);
  Frames out;
  int32_t last = soundMusicOrder(sound.musicHandle);
  const size_t limit = size_t(limitSeconds * kSoundOutputRate);
  while (out.size() / 2 < limit) {
    render(kChunkFrames, &out);
    const int32_t now = soundMusicOrder(sound.musicHandle);
    if (now < last) break;  // jumped back to the section's first order
    last = now;
  }
  *loopSeconds = double(out.size() / 2) / kSoundOutputRate;
  return out;
}

Frames renderLooped(const std::string& name, Volumes volumes, double seconds) {
  startQuiet({0, volumes.effects});
  playSoundEx(name.c_str(), kNoPosition, 1, kSoundBaseFrequency);
  updateSound(0.0f);
  Frames out;
  render(int32_t(seconds * kSoundOutputRate), &out);
  stopAllSounds();
  return out;
}

void dropOverSection(int32_t section, Volumes volumes, const std::vector<Drop>& drops,
                     int32_t repeats, std::mt19937* random, std::vector<DropTally>* tallies) {
  startQuiet(volumes);
  restartSection(section);
  runDrops(drops, repeats, random, tallies);
}

void dropOnSilence(Volumes volumes, const std::vector<Drop>& drops, int32_t repeats,
                   std::mt19937* random, std::vector<DropTally>* tallies) {
  startQuiet({0, volumes.effects});
  runDrops(drops, repeats, random, tallies);
}

uint32_t effectFrames(const std::string& name) {
  uint32_t frames = 0;
  return soundSampleInfo(handleOf(name), &frames, nullptr, nullptr) ? frames : 0;
}
