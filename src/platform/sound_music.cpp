// The one music module: loading it with libopenmpt, starting it at an order
// position, and the questions tests and tools ask about it. The module is not
// safe to share between threads, so once it is in the mixer state it is only
// touched under the lock.
#include <vector>

#include "platform/platform.h"
#include "platform/sound_local.h"

namespace {

// True when `music` names the loaded module. The caller holds the lock.
bool isLoadedMusic(uint32_t music) {
  return music != 0 && soundOut.music.module && soundOut.music.handle == music;
}

}  // namespace

uint32_t soundMusicLoadMemory(const void* data, size_t size) {
  if (soundOut.kind == SoundOutputKind::None || !data || size == 0) return 0;
  int error = 0;
  // Nobody else sees the module until it is entered below.
  openmpt_module* module = openmpt_module_create_from_memory2(
      data, size, openmpt_log_func_silent, nullptr, openmpt_error_func_ignore, nullptr,
      &error, nullptr, nullptr);
  if (!module) return 0;
  openmpt_module* previous = nullptr;
  uint32_t handle = 0;
  {
    SoundLock lock;
    previous = soundOut.music.module;
    handle = soundMakeHandle(kHandleMusicKind, -1);
    soundOut.music = {module, handle, false, 100, 50};
  }
  // Out of the mixer's reach now, so it may go without the lock.
  if (previous) openmpt_module_destroy(previous);
  return handle;
}

uint32_t soundMusicLoadFile(const char* path, size_t maxSize) {
  std::vector<uint8_t> bytes;
  if (!sysReadWholeFile(path, maxSize, &bytes)) return 0;
  return soundMusicLoadMemory(bytes.data(), bytes.size());
}

bool soundMusicPlay(uint32_t music, int32_t order, bool loop) {
  SoundLock lock;
  if (!isLoadedMusic(music)) return false;
  openmpt_module* module = soundOut.music.module;
  // A position the module does not have starts it from the top.
  if (order < 0 || order >= openmpt_module_get_num_orders(module)) order = 0;
  openmpt_module_set_repeat_count(module, loop ? -1 : 0);
  openmpt_module_set_position_order_row(module, order, 0);
  soundOut.music.playing = true;
  return true;
}

bool soundMusicSetAmplify(uint32_t music, int32_t amplify) {
  SoundLock lock;
  if (!isLoadedMusic(music)) return false;
  soundOut.music.amplify = amplify < 0 ? 0 : (amplify > 100 ? 100 : amplify);
  return true;
}

int32_t soundMusicOrder(uint32_t music) {
  SoundLock lock;
  if (!isLoadedMusic(music) || !soundOut.music.playing) return -1;
  return openmpt_module_get_current_order(soundOut.music.module);
}

double soundMusicPositionSeconds(uint32_t music) {
  SoundLock lock;
  if (!isLoadedMusic(music)) return -1.0;
  return openmpt_module_get_position_seconds(soundOut.music.module);
}

bool soundMusicFree(uint32_t music) {
  openmpt_module* module = nullptr;
  {
    SoundLock lock;
    if (!isLoadedMusic(music)) return false;
    module = soundOut.music.module;
    soundOut.music = {nullptr, 0, false, 100, 50};
  }
  openmpt_module_destroy(module);
  return true;
}
