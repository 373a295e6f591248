// ogg_vorbis.cpp: the Ogg Vorbis encoder of the sound generators (libvorbisenc,
// quality-based, one logical stream per file).
#include "ogg_vorbis.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cstring>

#include "datagen.h"

namespace {

// Writes every page the stream has ready (all of them when flushing).
void takePages(ogg_stream_state* stream, bool flush, std::vector<uint8_t>* out) {
  ogg_page page;
  while (flush ? ogg_stream_flush(stream, &page) : ogg_stream_pageout(stream, &page)) {
    putBytes(out, page.header, static_cast<size_t>(page.header_len));
    putBytes(out, page.body, static_cast<size_t>(page.body_len));
  }
}

// Moves every finished block through the encoder into the stream.
void drainEncoder(vorbis_dsp_state* dsp, vorbis_block* block, ogg_stream_state* stream,
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

}  // namespace

std::vector<uint8_t> encodeOggVorbis(const std::vector<float>& samples, int serial) {
  std::vector<uint8_t> out;
  vorbis_info info;
  vorbis_info_init(&info);
  if (vorbis_encode_init_vbr(&info, 1, kOggSampleRate, 0.3f) != 0) {
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

