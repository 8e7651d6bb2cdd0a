#include "ogg_writer.h"

#include <vorbis/vorbisenc.h>

#include <cmath>
#include <stdexcept>

namespace {
void Append(std::string& Out, const ogg_page& Page) {
  Out.append(reinterpret_cast<const char*>(Page.header), static_cast<std::size_t>(Page.header_len));
  Out.append(reinterpret_cast<const char*>(Page.body), static_cast<std::size_t>(Page.body_len));
}
}  // namespace

std::string EncodeOggVorbis(const std::vector<float>& Samples, int Channels, int Rate, float Quality) {
  vorbis_info Info;
  vorbis_info_init(&Info);
  if (vorbis_encode_init_vbr(&Info, Channels, Rate, Quality) != 0) {
    vorbis_info_clear(&Info);
    throw std::runtime_error("EncodeOggVorbis: unsupported channels, rate or quality");
  }
  vorbis_comment Comment;
  vorbis_comment_init(&Comment);
  vorbis_dsp_state Dsp;
  vorbis_analysis_init(&Dsp, &Info);
  vorbis_block Block;
  vorbis_block_init(&Dsp, &Block);
  ogg_stream_state Stream;
  ogg_stream_init(&Stream, 1);  // a fixed serial number keeps the output the same on every run

  std::string Out;
  ogg_packet Header, HeaderComment, HeaderCode;
  vorbis_analysis_headerout(&Dsp, &Comment, &Header, &HeaderComment, &HeaderCode);
  ogg_stream_packetin(&Stream, &Header);
  ogg_stream_packetin(&Stream, &HeaderComment);
  ogg_stream_packetin(&Stream, &HeaderCode);
  ogg_page Page;
  while (ogg_stream_flush(&Stream, &Page) != 0) Append(Out, Page);

  const std::size_t Frames = Samples.size() / static_cast<std::size_t>(Channels);
  const std::size_t Chunk = 1024;
  std::size_t Done = 0;
  bool Finished = false;
  while (!Finished) {
    std::size_t N = std::min(Chunk, Frames - Done);
    if (N == 0) {
      vorbis_analysis_wrote(&Dsp, 0);  // end of stream
    } else {
      float** Buffer = vorbis_analysis_buffer(&Dsp, static_cast<int>(N));
      for (std::size_t i = 0; i < N; ++i)
        for (int c = 0; c < Channels; ++c) Buffer[c][i] = Samples[(Done + i) * Channels + c];
      vorbis_analysis_wrote(&Dsp, static_cast<int>(N));
      Done += N;
    }
    while (vorbis_analysis_blockout(&Dsp, &Block) == 1) {
      vorbis_analysis(&Block, nullptr);
      vorbis_bitrate_addblock(&Block);
      ogg_packet Packet;
      while (vorbis_bitrate_flushpacket(&Dsp, &Packet)) {
        ogg_stream_packetin(&Stream, &Packet);
        while (ogg_stream_pageout(&Stream, &Page) != 0) {
          Append(Out, Page);
          if (ogg_page_eos(&Page)) Finished = true;
        }
      }
    }
    if (N == 0) Finished = true;
  }
  while (ogg_stream_flush(&Stream, &Page) != 0) Append(Out, Page);

  ogg_stream_clear(&Stream);
  vorbis_block_clear(&Block);
  vorbis_dsp_clear(&Dsp);
  vorbis_comment_clear(&Comment);
  vorbis_info_clear(&Info);
  return Out;
}

std::vector<float> SineTone(double Frequency, int Milliseconds, int Rate) {
  std::size_t Count = static_cast<std::size_t>(static_cast<long long>(Rate) * Milliseconds / 1000);
  std::vector<float> S(Count);
  const double Pi = 3.14159265358979323846;
  for (std::size_t i = 0; i < Count; ++i)
    S[i] = static_cast<float>(0.5 * std::sin(2.0 * Pi * Frequency * static_cast<double>(i) / Rate));
  return S;
}
