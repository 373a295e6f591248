// The sound output's device: an SDL audio device whose callback is the mixer.
// Machines without a sound card or sound server get SDL's silent device instead,
// so the game never has to care whether anything is heard.
#include <SDL.h>

#include <cstdio>

#include "platform/sound_local.h"

namespace {

// Open from soundDeviceOpen to soundDeviceClose; 0 when there is no device.
SDL_AudioDeviceID g_device = 0;

// SDL calls this on its own thread with the device lock held.
void SDLCALL fillAudioBuffer(void* /*user*/, Uint8* stream, int bytes) {
  soundMix(reinterpret_cast<int16_t*>(stream), bytes / int(2 * sizeof(int16_t)));
}

// Starts the audio subsystem with the current driver choice and opens the
// default device. Returns 0 (subsystem stopped again) on failure.
SDL_AudioDeviceID openWithCurrentDriver() {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return 0;
  SDL_AudioSpec want = {};
  want.freq = kSoundOutputRate;
  want.format = AUDIO_S16SYS;
  want.channels = 2;
  want.samples = 1024;
  want.callback = fillAudioBuffer;
  SDL_AudioSpec have = {};
  // No changes allowed: SDL converts to whatever the hardware takes.
  const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device == 0) SDL_QuitSubSystem(SDL_INIT_AUDIO);
  return device;
}

}  // namespace

bool soundDeviceOpen() {
  g_device = openWithCurrentDriver();
  if (g_device == 0) {
    std::fprintf(stderr, "No audio device (%s); sound is off.\n", SDL_GetError());
    // The silent driver keeps the mixer running at the real pace. The override
    // also beats a driver named in the environment.
    SDL_SetHintWithPriority(SDL_HINT_AUDIODRIVER, "dummy", SDL_HINT_OVERRIDE);
    g_device = openWithCurrentDriver();
  }
  return g_device != 0;
}

void soundDeviceClose() {
  if (g_device == 0) return;
  SDL_CloseAudioDevice(g_device);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
  g_device = 0;
}

void soundDeviceSetPaused(bool paused) {
  if (g_device != 0) SDL_PauseAudioDevice(g_device, paused ? 1 : 0);
}

void soundDeviceLock() {
  if (g_device != 0) SDL_LockAudioDevice(g_device);
}

void soundDeviceUnlock() {
  if (g_device != 0) SDL_UnlockAudioDevice(g_device);
}
