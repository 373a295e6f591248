// sounds.cpp: the 31 sound effects of the "Sounds" folder, encoded as mono
// 44100 Hz Ogg Vorbis. Until the sound design lands they are silent, each of a
// length that suits its use (the water loops are exactly as long as the game's
// replay period, so they join up).
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstring>

#include "datagen.h"
#include "generators.h"

constexpr int kSampleRate = 44100;

struct SoundSpec {
  const char* name;
  float seconds;
};

// Every sound the game plays, by file name.
static const SoundSpec kSounds[] = {
    {"addball.ogg", 0.3f},      {"addbonus.ogg", 0.6f},   {"addlife.ogg", 1.0f},
    {"ball.ogg", 0.25f},        {"ballstand.ogg", 0.15f}, {"birds1.ogg", 2.5f},
    {"birds2.ogg", 2.5f},       {"birds3.ogg", 2.5f},     {"bomb1.ogg", 1.0f},
    {"bomb2.ogg", 1.4f},        {"brook.ogg", 3.1f},      {"chain.ogg", 0.35f},
    {"chpok1.ogg", 0.15f},      {"defeat.ogg", 1.5f},     {"deleteballs.ogg", 1.2f},
    {"diamond.ogg", 0.8f},      {"diamond0.ogg", 0.5f},   {"excellent.ogg", 1.2f},
    {"gaf.ogg", 0.3f},          {"gethammer.ogg", 0.8f},  {"hammer.ogg", 0.5f},
    {"level_defeat.ogg", 1.5f}, {"levelcomplete.ogg", 1.5f}, {"menu.ogg", 0.15f},
    {"menu2.ogg", 0.1f},        {"score.ogg", 0.1f},      {"selectaim.ogg", 0.25f},
    {"selectball.ogg", 0.15f},  {"square.ogg", 0.3f},     {"waterfall.ogg", 3.0f},
    {"wow.ogg", 0.8f},
};

// Writes every page the stream has ready (all of them when flushing).
static void takePages(ogg_stream_state* stream, bool flush, std::vector<uint8_t>* out) {
  ogg_page page;
  while (flush ? ogg_stream_flush(stream, &page) : ogg_stream_pageout(stream, &page)) {
    putBytes(out, page.header, static_cast<size_t>(page.header_len));
    putBytes(out, page.body, static_cast<size_t>(page.body_len));
  }
}

// Moves every finished block through the encoder into the stream.
static void drainEncoder(vorbis_dsp_state* dsp, vorbis_block* block, ogg_stream_state* stream,
                         std::vector<uint8_t>* out) {
  ogg_packet packet;
  while (vorbis_analysis_blockout(dsp, block) == 1) {
    vorbis_analysis(block, nullptr);
    vorbis_bitrate_addblock(block);
    while (vorbis_bitrate_flushpacket(dsp, &packet)) {
      ogg_stream_packetin(stream, &packet);
      takePages(stream, false, out);
    }
  }
}

// Encodes mono samples (-1..1) at 44100 Hz. The stream serial comes from the
// caller so that equal inputs give equal files. Empty on failure.
std::vector<uint8_t> encodeOggVorbis(const std::vector<float>& samples, int serial) {
  std::vector<uint8_t> out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 1, kSampleRate, 0.3f) != 0) {
    vorbis_info_clear(&info);
    return out;
  }
  vorbis_comment comment;
  vorbis_comment_init(&comment);
  vorbis_dsp_state dsp;
  vorbis_analysis_init(&dsp, &info);
  vorbis_block block;
  vorbis_block_init(&dsp, &block);
  ogg_stream_state stream;
  ogg_stream_init(&stream, serial);

  ogg_packet header, commentHeader, codeHeader;
  vorbis_analysis_headerout(&dsp, &comment, &header, &commentHeader, &codeHeader);
  ogg_stream_packetin(&stream, &header);
  ogg_stream_packetin(&stream, &commentHeader);
  ogg_stream_packetin(&stream, &codeHeader);
  takePages(&stream, true, &out);

  constexpr size_t kChunk = 4096;
  for (size_t at = 0; at < samples.size(); at += kChunk) {
    const size_t count = std::min(kChunk, samples.size() - at);
    float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
    std::memcpy(buffer[0], &samples[at], count * sizeof(float));
    vorbis_analysis_wrote(&dsp, static_cast<int>(count));
    drainEncoder(&dsp, &block, &stream, &out);
  }
  vorbis_analysis_wrote(&dsp, 0);
  drainEncoder(&dsp, &block, &stream, &out);
  takePages(&stream, true, &out);

  ogg_stream_clear(&stream);
  vorbis_block_clear(&block);
  vorbis_dsp_clear(&dsp);
  vorbis_comment_clear(&comment);
  vorbis_info_clear(&info);
  return out;
}

// The samples of one sound: silence of the sound's length for now.
static std::vector<float> synthesiseSound(const SoundSpec& spec) {
  return std::vector<float>(static_cast<size_t>(std::lround(spec.seconds * kSampleRate)), 0.0f);
}

void generateSounds() {
  int serial = 1;
  for (const SoundSpec& spec : kSounds) {
    std::vector<uint8_t> bytes = encodeOggVorbis(synthesiseSound(spec), serial++);
    if (bytes.empty()) {
      reportError(spec.name, 0, "the Ogg Vorbis encoder failed");
      continue;
    }
    addOutput(Place::Sounds, spec.name, std::move(bytes));
  }
}
