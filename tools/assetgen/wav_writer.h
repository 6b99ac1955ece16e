// Writes RIFF WAVE files of 16-bit PCM samples, the format of the game's effect samples.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace assetgen {

// `samples` holds interleaved frames of `channels` samples each; throws std::runtime_error
// when the file cannot be written.
void WriteWav16(const std::filesystem::path& path, const std::vector<int16_t>& samples,
                int sampleRate, int channels);

}  // namespace assetgen
