#include "tools/assetgen/wav_writer.h"

#include "tools/assetgen/assetgen.h"

namespace assetgen {

void WriteWav16(const std::filesystem::path& path, const std::vector<int16_t>& samples,
                int sampleRate, int channels) {
  constexpr uint32_t FormatChunkSize = 16;
  constexpr uint16_t PcmFormat = 1;
  constexpr uint16_t BitsPerSample = 16;
  const uint16_t blockAlign = static_cast<uint16_t>(channels * BitsPerSample / 8);
  const uint32_t dataSize = static_cast<uint32_t>(samples.size() * sizeof(int16_t));

  ByteWriter w;
  w.Bytes("RIFF", 4);
  w.U32(4 + (8 + FormatChunkSize) + (8 + dataSize));
  w.Bytes("WAVE", 4);
  w.Bytes("fmt ", 4);
  w.U32(FormatChunkSize);
  w.U16(PcmFormat);
  w.U16(static_cast<uint16_t>(channels));
  w.U32(static_cast<uint32_t>(sampleRate));
  w.U32(static_cast<uint32_t>(sampleRate) * blockAlign);
  w.U16(blockAlign);
  w.U16(BitsPerSample);
  w.Bytes("data", 4);
  w.U32(dataSize);
  for (int16_t s : samples) w.U16(static_cast<uint16_t>(s));
  WriteBinaryFile(path, w.Data());
}

}  // namespace assetgen
