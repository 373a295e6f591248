// Decoding effect files, and the one worker thread that decodes them (and loads
// the music module) ahead while start-up goes on. A file handed to the worker
// already has its handle; a call that needs the result waits for the worker (only
// if it has not finished it yet) and puts it in place. The worker shares nothing
// but its queue, which one mutex guards; it never touches the mixer state.
#define STB_VORBIS_HEADER_ONLY
#include <stb_vorbis.h>  // the decoder; its implementation lives in stb_impl.c

#include <climits>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <list>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "platform/sound_local.h"

namespace {

// One file for the worker and, once finished, what it made of it.
struct DecodeJob {
  uint32_t handle;             // the sample or music handle waiting for it
  bool music;
  bool started;                // the worker has taken it (it alone touches it then)
  bool finished;               // the result below is ready
  std::vector<uint8_t> bytes;  // the file; let go once decoded
  SoundDecodedSample sample;   // a sample's frames (pcm null when it did not decode)
  openmpt_module* module;      // the module (null when it did not load)
};

// The queue and its thread: from the first file queued until soundStopDecoding.
// Everything in it is guarded by `mutex`, except a started job, which only the
// worker touches until it is finished.
struct DecodeWorker {
  std::mutex mutex;
  std::condition_variable changed;
  std::list<DecodeJob> jobs;  // queued, being decoded, or finished and not yet taken
  std::thread thread;
  bool stopping = false;
  // A process that ends without shutting the sound down still joins the thread.
  ~DecodeWorker();
};

DecodeWorker& decodeWorker() {
  static DecodeWorker worker;
  return worker;
}

uint32_t readLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

void dropResult(DecodeJob& job) {
  std::free(job.sample.pcm);
  job.sample.pcm = nullptr;
  if (job.module) openmpt_module_destroy(job.module);
  job.module = nullptr;
}

// Lets the worker finish the file it is decoding, joins it, and drops everything
// queued or made and not yet taken.
void stopWorker(DecodeWorker& worker) {
  {
    std::lock_guard<std::mutex> lock(worker.mutex);
    worker.stopping = true;
    worker.changed.notify_all();
  }
  if (worker.thread.joinable()) worker.thread.join();
  std::lock_guard<std::mutex> lock(worker.mutex);
  for (DecodeJob& job : worker.jobs) dropResult(job);
  worker.jobs.clear();
  worker.stopping = false;
}

DecodeWorker::~DecodeWorker() { stopWorker(*this); }

// The first job no one has taken yet. The caller holds the mutex.
DecodeJob* nextWaitingJob(DecodeWorker& worker) {
  for (DecodeJob& job : worker.jobs) {
    if (!job.started) return &job;
  }
  return nullptr;
}

void decodeJob(DecodeJob& job) {
  if (job.music) {
    job.module = soundCreateModule(job.bytes.data(), job.bytes.size());
  } else {
    soundDecodeVorbis(job.bytes.data(), job.bytes.size(), &job.sample);
  }
  job.bytes = std::vector<uint8_t>();
}

void runWorker(DecodeWorker* worker) {
  std::unique_lock<std::mutex> lock(worker->mutex);
  for (;;) {
    worker->changed.wait(lock, [worker] { return worker->stopping || nextWaitingJob(*worker); });
    if (worker->stopping) return;
    DecodeJob* job = nextWaitingJob(*worker);
    job->started = true;
    lock.unlock();
    decodeJob(*job);
    lock.lock();
    job->finished = true;
    worker->changed.notify_all();
  }
}

// Puts a finished sample where its handle still points; false when the slot has
// gone meanwhile. The caller holds the mixer lock.
bool placeSample(DecodeJob& job) {
  const int32_t slot = soundHandleSlot(job.handle, kHandleSampleKind);
  if (slot < 0 || slot >= kMaxSoundOutputSamples) return false;
  SoundOutputSample& sample = soundOut.samples[slot];
  if (sample.handle != job.handle || !sample.decoding) return false;
  if (!job.sample.pcm) {
    sample = {};  // did not decode: the handle names nothing from now on
    return false;
  }
  sample.pcm = job.sample.pcm;
  sample.frames = job.sample.frames;
  sample.channels = job.sample.channels;
  sample.rate = job.sample.rate;
  sample.decoding = false;
  job.sample.pcm = nullptr;
  return true;
}

// The same for the module.
bool placeMusic(DecodeJob& job) {
  SoundMusicState& music = soundOut.music;
  if (music.handle != job.handle || !music.decoding) return false;
  if (!job.module) {
    music = kNoMusic;  // did not load: no music from now on
    return false;
  }
  music.module = job.module;
  music.decoding = false;
  job.module = nullptr;
  return true;
}

// Queues a job and starts the worker if it is not running. The module goes ahead of
// every job not yet taken.
void queueJob(DecodeJob job) {
  DecodeWorker& worker = decodeWorker();
  std::lock_guard<std::mutex> lock(worker.mutex);
  auto at = worker.jobs.end();
  if (job.music) {
    at = worker.jobs.begin();
    while (at != worker.jobs.end() && at->started) ++at;
  }
  worker.jobs.insert(at, std::move(job));
  if (!worker.thread.joinable()) {
    worker.stopping = false;
    worker.thread = std::thread(runWorker, &worker);
  }
  worker.changed.notify_all();
}

}  // namespace

void soundQueueSampleDecode(uint32_t handle, std::vector<uint8_t> bytes) {
  queueJob(DecodeJob{handle, false, false, false, std::move(bytes), {}, nullptr});
}

void soundQueueMusicDecode(uint32_t handle, std::vector<uint8_t> bytes) {
  queueJob(DecodeJob{handle, true, false, false, std::move(bytes), {}, nullptr});
}

bool soundDecodeVorbis(const void* data, size_t size, SoundDecodedSample* out) {
  *out = {};
  if (!data || size == 0 || size > size_t(INT_MAX)) return false;
  int channels = 0, rate = 0;
  short* pcm = nullptr;
  int frames = 0;
  {
    // The decoder rewrites a table of its own each time it starts: one at a time.
    static std::mutex decoderTable;
    std::lock_guard<std::mutex> lock(decoderTable);
    frames = stb_vorbis_decode_memory(static_cast<const unsigned char*>(data), int(size),
                                      &channels, &rate, &pcm);
  }
  if (frames <= 0 || channels < 1 || channels > 2 || rate <= 0) {
    std::free(pcm);
    return false;
  }
  *out = {pcm, uint32_t(frames), channels, rate};
  return true;
}

bool soundVorbisHeaderLooksRight(const uint8_t* data, size_t size) {
  // The first page: "OggS", version 0, beginning of a stream, then its segment table.
  constexpr size_t kPageHeader = 27, kIdentification = 30;
  if (!data || size < kPageHeader || std::memcmp(data, "OggS", 4) != 0 || data[4] != 0 ||
      (data[5] & 0x02) == 0) {
    return false;
  }
  const size_t packet = kPageHeader + data[26];
  if (size < packet + kIdentification) return false;
  // Its first packet: type 1, "vorbis", version 0, one or two channels, a rate, and
  // the framing bit.
  const uint8_t* id = data + packet;
  const uint32_t version = readLe32(id + 7);
  const uint32_t rate = readLe32(id + 12);
  const uint8_t channels = id[11];
  return id[0] == 1 && std::memcmp(id + 1, "vorbis", 6) == 0 && version == 0 &&
         channels >= 1 && channels <= 2 && rate > 0 && (id[29] & 1) == 1;
}

void soundSettleDecoding(uint32_t handle) {
  if (handle == 0) return;
  DecodeWorker& worker = decodeWorker();
  std::list<DecodeJob> taken;
  bool decodeHere = false;
  {
    std::unique_lock<std::mutex> lock(worker.mutex);
    auto job = worker.jobs.begin();
    while (job != worker.jobs.end() && job->handle != handle) ++job;
    if (job == worker.jobs.end()) return;
    // One the worker has not reached yet is decoded here rather than waited for.
    decodeHere = !job->started;
    job->started = true;
    if (!decodeHere) worker.changed.wait(lock, [&job] { return job->finished; });
    taken.splice(taken.begin(), worker.jobs, job);
  }
  DecodeJob& job = taken.front();
  if (decodeHere) decodeJob(job);
  bool placed = false;
  {
    SoundLock lock;
    placed = job.music ? placeMusic(job) : placeSample(job);
  }
  if (!placed) dropResult(job);
}

void soundStopDecoding() { stopWorker(decodeWorker()); }
