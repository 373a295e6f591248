// Sound inputs for the audio tests, made in memory: tones, Ogg Vorbis files,
// a tracker module, and a data folder holding them.
#include "audio_fixtures.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "platform/sound_output.h"
#include "test_support.h"

std::vector<int16_t> makeSine(double hz, int32_t rate, int32_t frames, int32_t amplitude) {
  std::vector<int16_t> out(static_cast<size_t>(frames));
  for (int32_t i = 0; i < frames; ++i) {
    out[size_t(i)] = int16_t(std::lround(amplitude * std::sin(2.0 * M_PI * hz * i / rate)));
  }
  return out;
}

namespace {

void appendPage(std::string* out, const ogg_page& page) {
  out->append(reinterpret_cast<const char*>(page.header), size_t(page.header_len));
  out->append(reinterpret_cast<const char*>(page.body), size_t(page.body_len));
}

void drainEncoder(vorbis_dsp_state* dsp, vorbis_block* block, ogg_stream_state* stream,
                  std::string* out) {
  ogg_packet packet;
  ogg_page page;
  while (vorbis_analysis_blockout(dsp, block) == 1) {
    vorbis_analysis(block, nullptr);
    vorbis_bitrate_addblock(block);
    while (vorbis_bitrate_flushpacket(dsp, &packet)) {
      ogg_stream_packetin(stream, &packet);
      while (ogg_stream_pageout(stream, &page)) appendPage(out, page);
    }
  }
}

}  // namespace

std::string encodeOggVorbis(const std::vector<int16_t>& frames, int32_t rate) {
  vorbis_info info;
  vorbis_info_init(&info);
  vorbis_encode_init_vbr(&info, 1, rate, 0.4f);
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, 1234);
  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  std::string out;
  ogg_page page;
  while (ogg_stream_flush(&stream, &page)) appendPage(&out, page);

  const int chunk = 4096;
  for (size_t start = 0; start < frames.size(); start += chunk) {
    const int count = int(std::min(frames.size() - start, size_t(chunk)));
    float** buffer = vorbis_analysis_buffer(&dsp, count);
    for (int i = 0; i < count; ++i) buffer[0][i] = float(frames[start + size_t(i)]) / 32768.0f;
    vorbis_analysis_wrote(&dsp, count);
    drainEncoder(&dsp, &block, &stream, &out);
  }
  vorbis_analysis_wrote(&dsp, 0);
  drainEncoder(&dsp, &block, &stream, &out);
  while (ogg_stream_flush(&stream, &page)) appendPage(&out, page);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

// ---------------------------------------------------------------------------
// Tracker module: the smallest extended-module layout that loads.

namespace {

void put8(std::string* out, uint32_t value) { out->push_back(char(value & 0xFF)); }
void put16(std::string* out, uint32_t value) {
  put8(out, value);
  put8(out, value >> 8);
}
void put32(std::string* out, uint32_t value) {
  put16(out, value);
  put16(out, value >> 16);
}
void putText(std::string* out, const char* text, size_t width) {
  std::string field(width, '\0');
  std::memcpy(field.data(), text, std::min(width, std::strlen(text)));
  out->append(field);
}

constexpr int kPatternRows = 16;
constexpr int kChannels = 2;
constexpr int kToneLength = 64;

void putHeader(std::string* out, int32_t orderCount) {
  putText(out, "Extended Module: ", 17);
  putText(out, "test", 20);
  put8(out, 0x1A);
  putText(out, "tests", 20);
  put16(out, 0x0104);
  put32(out, 276);
  put16(out, uint32_t(orderCount));
  put16(out, 0);          // restart position
  put16(out, kChannels);
  put16(out, 1);          // patterns
  put16(out, 1);          // instruments
  put16(out, 1);          // linear frequencies
  put16(out, 6);          // ticks per row
  put16(out, 125);        // beats per minute
  for (int i = 0; i < 256; ++i) put8(out, 0);  // every order plays pattern 0
}

void putPattern(std::string* out) {
  std::string cells;
  for (int row = 0; row < kPatternRows; ++row) {
    for (int channel = 0; channel < kChannels; ++channel) {
      if (row == 0 && channel == 0) {
        put8(&cells, 0x83);  // note and instrument follow
        put8(&cells, 49);    // C-4
        put8(&cells, 1);
      } else {
        put8(&cells, 0x80);
      }
    }
  }
  put32(out, 9);
  put8(out, 0);
  put16(out, kPatternRows);
  put16(out, uint32_t(cells.size()));
  out->append(cells);
}

void putInstrument(std::string* out) {
  put32(out, 263);
  putText(out, "tone", 22);
  put8(out, 0);
  put16(out, 1);              // one sample
  put32(out, 40);             // sample header size
  out->append(96 + 48 + 48, '\0');  // key map, envelopes
  out->append(2 + 6 + 2 + 4, '\0');  // envelope counts, loops, types, vibrato
  put16(out, 0);              // fade-out
  out->append(22, '\0');
  // Sample header: a looping 8-bit tone at a quiet volume.
  put32(out, kToneLength);
  put32(out, 0);
  put32(out, kToneLength);
  put8(out, 16);   // volume of 64
  put8(out, 0);    // finetune
  put8(out, 1);    // forward loop, 8-bit
  put8(out, 128);  // centre
  put8(out, 0);    // relative note
  put8(out, 0);
  putText(out, "tone", 22);
  int previous = 0;
  for (int i = 0; i < kToneLength; ++i) {  // two cycles, delta-coded
    const int value = int(std::lround(100.0 * std::sin(4.0 * M_PI * i / kToneLength)));
    put8(out, uint32_t(value - previous));
    previous = value;
  }
}

}  // namespace

std::string makeTrackerModule(int32_t orderCount) {
  std::string out;
  putHeader(&out, orderCount);
  putPattern(&out);
  putInstrument(&out);
  return out;
}

// ---------------------------------------------------------------------------
// Measurements

std::vector<int16_t> renderFrames(int32_t frames) {
  std::vector<int16_t> out(size_t(frames) * 2);
  soundRender(out.data(), frames);
  return out;
}

void skipMixLatency() { renderFrames(kSoundMixLatencyFrames); }

int32_t countZeroCrossings(const std::vector<int16_t>& stereo) {
  int32_t crossings = 0;
  int previousSign = 0;
  for (size_t i = 0; i < stereo.size(); i += 2) {
    const int sign = stereo[i] > 0 ? 1 : (stereo[i] < 0 ? -1 : 0);
    if (sign != 0 && previousSign != 0 && sign != previousSign) ++crossings;
    if (sign != 0) previousSign = sign;
  }
  return crossings;
}

double rootMeanSquare(const std::vector<int16_t>& stereo) {
  if (stereo.empty()) return 0.0;
  double sum = 0.0;
  for (const int16_t value : stereo) sum += double(value) * double(value);
  return std::sqrt(sum / double(stereo.size()));
}

// ---------------------------------------------------------------------------
// The data folder

const char* const kFixtureSoundNames[] = {"addball.ogg", "broken.ogg", "menu.ogg",
                                          "tone.ogg"};

const SoundDataFolder& soundDataFolder() {
  static SoundDataFolder folder;
  if (!folder.path.empty()) return folder;
  folder.path = testTempDirectory("audio-data");
  const std::string sounds = folder.path + "/Sounds";
  testMakeDirectories(sounds.c_str());
  const std::string blip = encodeOggVorbis(makeSine(880.0, 44100, 4410, 12000), 44100);
  const std::string tone = encodeOggVorbis(makeSine(441.0, 44100, 44100, 12000), 44100);
  const std::string broken = "OggS this is not a sound at all";
  testWriteFile(sounds + "/menu.ogg", blip);
  testWriteFile(sounds + "/addball.ogg", blip);
  testWriteFile(sounds + "/tone.ogg", tone);
  testWriteFile(sounds + "/broken.ogg", broken);
  testWriteFile(sounds + "/readme.txt", "notes");  // not a sound: not loaded
  folder.soundBytes = uint32_t(2 * blip.size() + tone.size() + broken.size());
  testWriteFile(folder.path + "/music.mo3", makeTrackerModule(70));
  return folder;
}
