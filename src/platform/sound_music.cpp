// The one music module: loading it with libopenmpt, starting it at an order
// position, and the questions tests and tools ask about it. The module is not
// safe to share between threads, so once it is in the mixer state it is only
// touched under the lock.
#include <algorithm>
#include <utility>
#include <vector>

#include "platform/platform.h"
#include "platform/sound_local.h"

namespace {

// True when `music` names the loaded module, or the one the decode worker is
// making. The caller holds the lock.
bool isLoadedMusic(uint32_t music) {
  return music != 0 && soundOut.music.handle == music &&
         (soundOut.music.module || soundOut.music.decoding);
}

// Makes `module` the loaded module under a new handle (null: one the decode worker
// will make) and frees the one before. Returns the handle.
uint32_t enterModule(openmpt_module* module) {
  // One still being made is settled first, so the worker keeps nothing of it.
  soundSettleDecoding(soundOut.music.handle);
  openmpt_module* previous = nullptr;
  uint32_t handle = 0;
  {
    SoundLock lock;
    previous = soundOut.music.module;
    handle = soundMakeHandle(kHandleMusicKind, -1);
    soundOut.music = kNoMusic;
    soundOut.music.module = module;
    soundOut.music.handle = handle;
    soundOut.music.decoding = module == nullptr;
  }
  // Out of the mixer's reach now, so it may go without the lock.
  if (previous) openmpt_module_destroy(previous);
  return handle;
}

// Whether the file starts as a module the library knows. Loads nothing.
bool moduleHeaderLooksRight(const std::vector<uint8_t>& bytes) {
  if (bytes.empty()) return false;
  const size_t probe = std::min(bytes.size(), openmpt_probe_file_header_get_recommended_size());
  const int result = openmpt_probe_file_header(
      OPENMPT_PROBE_FILE_HEADER_FLAGS_DEFAULT, bytes.data(), probe, bytes.size(),
      openmpt_log_func_silent, nullptr, openmpt_error_func_ignore, nullptr, nullptr, nullptr);
  return result == OPENMPT_PROBE_FILE_HEADER_RESULT_SUCCESS ||
         result == OPENMPT_PROBE_FILE_HEADER_RESULT_WANTMOREDATA;
}

}  // namespace

openmpt_module* soundCreateModule(const void* data, size_t size) {
  if (!data || size == 0) return nullptr;
  int error = 0;
  // Working out every sub-song's length costs time at every load, and nothing here
  // needs it: starting at an order position sounds and costs the same without it.
  const openmpt_module_initial_ctl controls[] = {{"load.skip_subsongs_init", "1"},
                                                 {nullptr, nullptr}};
  return openmpt_module_create_from_memory2(data, size, openmpt_log_func_silent, nullptr,
                                            openmpt_error_func_ignore, nullptr, &error,
                                            nullptr, controls);
}

uint32_t soundMusicLoadMemory(const void* data, size_t size) {
  if (soundOut.kind == SoundOutputKind::None) return 0;
  // Nobody else sees the module until it is entered.
  openmpt_module* module = soundCreateModule(data, size);
  return module ? enterModule(module) : 0;
}

uint32_t soundMusicLoadAhead(std::vector<uint8_t> bytes) {
  if (soundOut.kind == SoundOutputKind::None || !moduleHeaderLooksRight(bytes)) return 0;
  const uint32_t handle = enterModule(nullptr);
  soundQueueMusicDecode(handle, std::move(bytes));
  return handle;
}

uint32_t soundMusicLoadFile(const char* path, size_t maxSize) {
  std::vector<uint8_t> bytes;
  if (!sysReadWholeFile(path, maxSize, &bytes)) return 0;
  return soundMusicLoadMemory(bytes.data(), bytes.size());
}

bool soundMusicPlay(uint32_t music, int32_t order, bool loop) {
  soundSettleDecoding(music);
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
  soundSettleDecoding(music);
  SoundLock lock;
  if (!isLoadedMusic(music) || !soundOut.music.playing) return -1;
  return openmpt_module_get_current_order(soundOut.music.module);
}

double soundMusicPositionSeconds(uint32_t music) {
  soundSettleDecoding(music);
  SoundLock lock;
  if (!isLoadedMusic(music)) return -1.0;
  return openmpt_module_get_position_seconds(soundOut.music.module);
}

bool soundMusicFree(uint32_t music) {
  soundSettleDecoding(music);
  openmpt_module* module = nullptr;
  {
    SoundLock lock;
    if (!isLoadedMusic(music)) return false;
    module = soundOut.music.module;
    soundOut.music = kNoMusic;
  }
  openmpt_module_destroy(module);
  return true;
}
