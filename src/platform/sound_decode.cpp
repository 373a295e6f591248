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

// The longest sample decoded: about 90 seconds at 44100 Hz. The game's longest
// sound lasts three; decoding stops here however long the file claims to be.
constexpr uint32_t kMaxSampleFrames = 4u << 20;
// Frames decoded at a time.
constexpr int kDecodeChunkFrames = 4096;

uint32_t readLe32(const uint8_t* p) {
  return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
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
  const uint32_t vendor = readLe32(p.data() + at);
  if (vendor > p.size() - at - 8) return false;
  at += 4 + vendor;
  const uint32_t comments = readLe32(p.data() + at);
  at += 4;
  if (comments > (p.size() - at) / 4) return false;
  for (uint32_t i = 0; i < comments; ++i) {
    if (p.size() - at < 4) return false;
    const uint32_t length = readLe32(p.data() + at);
    at += 4;
    if (length > p.size() - at) return false;
    at += length;
  }
  return true;
}

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
  if (!data || size == 0 || size > size_t(INT_MAX) || !vorbisCommentsFit(data, size)) {
    return false;
  }
  std::vector<int16_t> pcm;
  int32_t channels = 0, rate = 0;
  {
    // The decoder rewrites a table of its own each time it starts: one at a time.
    static std::mutex decoderTable;
    std::lock_guard<std::mutex> lock(decoderTable);
    int error = 0;
    stb_vorbis* v = stb_vorbis_open_memory(static_cast<const unsigned char*>(data), int(size),
                                           &error, nullptr);
    if (!v) return false;
    const stb_vorbis_info info = stb_vorbis_get_info(v);
    if (info.channels >= 1 && info.channels <= 2 && info.sample_rate > 0 &&
        info.sample_rate <= uint32_t(INT_MAX)) {
      channels = info.channels;
      rate = int32_t(info.sample_rate);
      const size_t chunk = size_t(kDecodeChunkFrames) * size_t(channels);
      const size_t most = size_t(kMaxSampleFrames) * size_t(channels);
      for (int got = 1; got > 0 && pcm.size() < most;) {
        const size_t used = pcm.size();
        pcm.resize(used + chunk);
        got = stb_vorbis_get_samples_short_interleaved(v, channels, pcm.data() + used,
                                                       int(chunk));
        pcm.resize(used + size_t(got) * size_t(channels));
      }
    }
    stb_vorbis_close(v);
  }
  if (pcm.empty()) return false;
  auto* frames = static_cast<int16_t*>(std::malloc(pcm.size() * sizeof(int16_t)));
  if (!frames) return false;
  std::memcpy(frames, pcm.data(), pcm.size() * sizeof(int16_t));
  *out = {frames, uint32_t(pcm.size() / size_t(channels)), channels, rate};
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
