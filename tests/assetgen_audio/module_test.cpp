// The generated tunes as libxmp plays them: long enough, never silent, never clipping, every
// channel in use, and a loop that joins without a click; plus the tuning of the writer.
#include <xmp.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <numbers>
#include <set>

#include <gtest/gtest.h>

#include "tests/assetgen_audio/generated_audio.h"
#include "tools/assetgen/xm_writer.h"

namespace {

constexpr int Rate = 44100;

// One pass of a module and a little beyond, as 16-bit stereo from libxmp.
struct Rendering {
  std::vector<int16_t> pcm;  // interleaved left, right
  size_t loopFrame = 0;      // first stereo frame after the song jumped back
  int loopPosition = -1;     // the order position it jumped back to
  int totalTime = 0;         // libxmp's estimate in milliseconds
  int channels = 0;
  std::set<int> channelsWithNotes;
  std::set<int> loopedSustainedInstruments, unloopedSustainedInstruments;
};

class XmpContext {
 public:
  XmpContext() : context_(xmp_create_context()) {}
  ~XmpContext() {
    xmp_end_player(context_);
    xmp_release_module(context_);
    xmp_free_context(context_);
  }
  xmp_context Get() const { return context_; }

 private:
  xmp_context context_;
};

void Play(xmp_context c, Rendering& r, double secondsAfterLoop) {
  xmp_frame_info info;
  ASSERT_EQ(xmp_start_player(c, Rate, 0), 0);
  xmp_get_frame_info(c, &info);
  r.totalTime = info.total_time;
  bool looped = false;
  // A runaway song stops after ten minutes at the latest.
  while (r.pcm.size() < static_cast<size_t>(600) * Rate * 2 && xmp_play_frame(c) == 0) {
    xmp_get_frame_info(c, &info);
    if (info.loop_count > 0 && !looped) {
      looped = true;
      r.loopFrame = r.pcm.size() / 2;
      r.loopPosition = info.pos;
    }
    if (looped && r.pcm.size() / 2 >= r.loopFrame + static_cast<size_t>(secondsAfterLoop * Rate)) break;
    for (int ch = 0; ch < r.channels; ++ch)
      if (info.channel_info[ch].event.note && info.channel_info[ch].volume > 0) r.channelsWithNotes.insert(ch);
    const auto* samples = static_cast<const int16_t*>(info.buffer);
    r.pcm.insert(r.pcm.end(), samples, samples + info.buffer_size / 2);
  }
  ASSERT_TRUE(looped) << "the song never jumped back";
}

const Rendering& Render(const std::string& file) {
  static std::map<std::string, Rendering> cache;
  auto found = cache.find(file);
  if (found != cache.end()) return found->second;
  Rendering& r = cache[file];
  XmpContext xmp;
  const std::string path = (GeneratedBase() / file).string();
  EXPECT_EQ(xmp_load_module(xmp.Get(), path.c_str()), 0) << path;
  xmp_module_info info;
  xmp_get_module_info(xmp.Get(), &info);
  const xmp_module* mod = info.mod;
  r.channels = mod->chn;
  for (int i = 0; i < mod->ins; ++i) {
    const xmp_instrument& in = mod->xxi[i];
    if (in.nsm < 1 || !(in.aei.flg & XMP_ENVELOPE_ON) || !(in.aei.flg & XMP_ENVELOPE_SUS)) continue;
    const bool loops = mod->xxs[in.sub[0].sid].flg & XMP_SAMPLE_LOOP;
    (loops ? r.loopedSustainedInstruments : r.unloopedSustainedInstruments).insert(i);
  }
  Play(xmp.Get(), r, 3.0);
  return r;
}

double Rms(const std::vector<int16_t>& pcm, size_t first, size_t count) {
  double sum = 0;
  for (size_t i = first; i < first + count; ++i) sum += static_cast<double>(pcm[i]) * pcm[i];
  return std::sqrt(sum / static_cast<double>(count));
}

// Largest sample-to-sample step, and largest bend (second difference), of one channel.
struct Edges {
  int step = 0;
  int bend = 0;
};
Edges LargestEdges(const std::vector<int16_t>& pcm, size_t firstFrame, size_t lastFrame, int side) {
  Edges e;
  for (size_t f = std::max<size_t>(firstFrame, 1); f + 1 < lastFrame; ++f) {
    const int before = pcm[(f - 1) * 2 + side], at = pcm[f * 2 + side], after = pcm[(f + 1) * 2 + side];
    e.step = std::max(e.step, std::abs(after - at));
    e.bend = std::max(e.bend, std::abs(after - 2 * at + before));
  }
  return e;
}

class GeneratedModule : public testing::TestWithParam<std::string> {};

TEST_P(GeneratedModule, PlaysAtLeastAMinuteBeforeItLoops) {
  const Rendering& r = Render(GetParam());
  EXPECT_GE(r.totalTime, 60000);
  EXPECT_GE(static_cast<double>(r.loopFrame) / Rate, 60.0);
  // The estimate and the pass actually played agree to within a second.
  EXPECT_NEAR(r.totalTime / 1000.0, static_cast<double>(r.loopFrame) / Rate, 1.0);
}

TEST_P(GeneratedModule, SoundsInEveryFiveSecondsAndNeverClips) {
  const Rendering& r = Render(GetParam());
  constexpr size_t Window = 5 * Rate * 2;
  for (size_t first = 0; first + Rate * 2 <= r.loopFrame * 2; first += Window) {
    const size_t count = std::min(Window, r.loopFrame * 2 - first);
    EXPECT_GT(Rms(r.pcm, first, count), 32768 * 0.01) << "quiet from " << first / 2 / Rate << " s";
  }
  const auto [low, high] = std::minmax_element(r.pcm.begin(), r.pcm.end());
  EXPECT_GT(*low, -32768 * 0.95);
  EXPECT_LT(*high, 32767 * 0.95);
  // Loud enough to carry under the effects: the whole pass averages above -26 dBFS.
  EXPECT_GT(Rms(r.pcm, 0, r.loopFrame * 2), 32768 * 0.05);
}

TEST_P(GeneratedModule, UsesEveryChannelAndLoopsEverySustainedInstrument) {
  const Rendering& r = Render(GetParam());
  EXPECT_GE(r.channels, 8);
  EXPECT_EQ(static_cast<int>(r.channelsWithNotes.size()), r.channels);
  // A held note of an instrument that waits for its release must not run out of sample.
  EXPECT_GE(r.loopedSustainedInstruments.size(), 3u);
  EXPECT_TRUE(r.unloopedSustainedInstruments.empty());
}

TEST_P(GeneratedModule, LoopJoinsTheEndToTheBeginningWithoutAClickOrAGap) {
  const Rendering& r = Render(GetParam());
  // SDL2_mixer starts a finished song again from its beginning; the module's own loop must
  // sound the same.
  EXPECT_EQ(r.loopPosition, 0);
  const size_t seam = r.loopFrame, near = Rate / 20;  // 50 ms either side
  for (int side = 0; side < 2; ++side) {
    const Edges song = LargestEdges(r.pcm, 0, seam, side);
    const Edges join = LargestEdges(r.pcm, seam - near, seam + near, side);
    EXPECT_LE(join.step, song.step) << "side " << side;
    EXPECT_LE(join.bend, song.bend) << "side " << side;
  }
  // The music carries on through the join: no silence just before or after it.
  EXPECT_GT(Rms(r.pcm, (seam - Rate / 4) * 2, Rate / 2), 32768 * 0.01);
  EXPECT_GT(Rms(r.pcm, seam * 2, Rate / 2), 32768 * 0.01);
}

INSTANTIATE_TEST_SUITE_P(Themes, GeneratedModule, testing::ValuesIn(ModuleFiles),
                         [](const auto& info) { return info.param.substr(0, info.param.find('.')); });

// A one-channel song with a looped sine sample and one note, as libxmp hears it.
double PlayedFrequency(double recordedFrequency, double tunedFor, int note) {
  assetgen::XmSample sample;
  constexpr int Length = Rate / 10;
  for (int i = 0; i < Length; ++i)
    sample.data.push_back(static_cast<int16_t>(20000 * std::sin(2 * std::numbers::pi * recordedFrequency * i / Rate)));
  sample.loopLength = Length;
  assetgen::TuneSample(sample, tunedFor, Rate);
  assetgen::XmModule m;
  m.name = "tuning";
  m.channels = 1;
  m.order = {0};
  m.instruments = {assetgen::XmInstrument{"sine", sample, {}, 0, 0, 0, 0}};
  assetgen::XmPattern p;
  p.cells.resize(64);
  p.cells[0] = {static_cast<uint8_t>(note), 1, 0, 0, 0};
  m.patterns = {p};
  std::vector<uint8_t> bytes = assetgen::EncodeXm(m);

  XmpContext xmp;
  EXPECT_EQ(xmp_load_module_from_memory(xmp.Get(), bytes.data(), static_cast<long>(bytes.size())), 0);
  EXPECT_EQ(xmp_start_player(xmp.Get(), Rate, XMP_FORMAT_MONO), 0);
  std::vector<int16_t> pcm(static_cast<size_t>(Rate * 2));
  EXPECT_EQ(xmp_play_buffer(xmp.Get(), pcm.data(), static_cast<int>(pcm.size() * 2), 0), 0);
  // Count rising zero crossings over the second second: the sample has looped many times.
  int crossings = 0;
  for (size_t i = Rate + 1; i < pcm.size(); ++i) crossings += pcm[i - 1] < 0 && pcm[i] >= 0;
  return crossings;
}

TEST(XmWriter, TunedSamplesPlayAtThePitchOfTheirNote) {
  constexpr int A4 = 58, A5 = 70, C4 = 49;  // tracker notes: C-0 is 1
  EXPECT_NEAR(PlayedFrequency(440, 440, A4), 440, 3);
  EXPECT_NEAR(PlayedFrequency(440, 440, A5), 880, 5);
  EXPECT_NEAR(PlayedFrequency(110, 110, A4), 440, 3);
  // A drum tuned to middle C plays back at its recorded rate on C-4.
  EXPECT_NEAR(PlayedFrequency(1000, 261.6256, C4), 1000, 5);
}

TEST(XmWriter, RejectsSongsTheFormatCannotHold) {
  assetgen::XmModule m;
  m.channels = 2;
  EXPECT_THROW(assetgen::EncodeXm(m), std::invalid_argument);  // no order
  m.order = {0};
  assetgen::XmPattern p;
  p.cells.resize(64);  // one channel's worth for a two-channel song
  m.patterns = {p};
  EXPECT_THROW(assetgen::EncodeXm(m), std::invalid_argument);
  m.patterns[0].cells.resize(128);
  EXPECT_NO_THROW(assetgen::EncodeXm(m));
  m.instruments.resize(1);
  m.instruments[0].volumeEnvelope.points.resize(13);
  EXPECT_THROW(assetgen::EncodeXm(m), std::invalid_argument);
}

}  // namespace
