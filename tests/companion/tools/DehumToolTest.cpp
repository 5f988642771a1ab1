#include "DehumTool.h"
#include "SignalTestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace companion
{
namespace
{

constexpr double kRate = 48000.0;
constexpr size_t kCount = 12 * 48000;
const FrequencyRange kFullBand{0.0, 24000.0, kRate};

// Voiced syllables with a gliding pitch and a noisy onset, a pause between each: speech
// enough for hum detection to have to tell its harmonics from the mains'.
std::vector<float> speechLike()
{
    std::vector<float> out(kCount, 0.0f);
    const std::vector<float> breath = test::noise(0.02, kCount, 11);
    const double syllable = 0.29 * kRate;
    double phase = 0.0;
    for (size_t i = 0; i < kCount; ++i)
    {
        const double at = std::fmod(i / syllable, 1.0);
        const size_t index = static_cast<size_t>(i / syllable);
        const double envelope = at < 0.75 ? std::sin(test::kPi * at / 0.75) : 0.0;
        const double pitch = 105.0 + 13.0 * (index % 5) + 30.0 * at;
        phase += 2.0 * test::kPi * pitch / kRate;
        double voiced = 0.0;
        for (int h = 1; h * pitch < 4000.0; ++h)
            voiced += std::sin(h * phase + h) / h;
        out[i] = static_cast<float>(envelope * (0.08 * voiced + (at < 0.1 ? breath[i] : 0.0)));
    }
    return out;
}

// Harmonics 1 to 10 falling by 3 dB each, the fundamental drifting by +-0.2 Hz and the level
// by +-1 dB, slowly; or as many harmonics, falling and drifting as given.
std::vector<float> hum(double mains, double level, int harmonics = 10, double fallDb = 3.0,
                       double driftHz = 0.2)
{
    std::vector<float> out(kCount);
    double phase = 0.0;
    for (size_t i = 0; i < kCount; ++i)
    {
        const double t = i / kRate;
        phase += 2.0 * test::kPi * (mains + driftHz * std::sin(2.0 * test::kPi * t / 7.0)) / kRate;
        const double gain = level * std::pow(10.0, std::sin(2.0 * test::kPi * t / 12.0) / 20.0);
        double sum = 0.0;
        for (int k = 1; k <= harmonics; ++k)
            sum += std::pow(10.0, -fallDb * (k - 1) / 20.0) * std::cos(k * phase + 0.7 * k);
        out[i] = static_cast<float>(gain * sum);
    }
    return out;
}

// Chords of equal-tempered notes with their partials, changing every 0.4 to 1.6 s: notes
// that sit a few hertz from the hum's harmonics (G2 at 98 Hz, B3 at 247 Hz) and come and go.
std::vector<float> musicLike()
{
    static const int kSteps[] = {0, 2, 4, 5, 7, 9, 11};
    std::vector<float> out(kCount, 0.0f);
    unsigned seed = 5;
    auto next = [&seed]() { return (seed = seed * 1103515245u + 12345u) >> 16; };
    const double beat = 0.4;
    for (double start = 0.0; start < kCount / kRate; start += beat)
        for (int voice = 0; voice < 3; ++voice)
        {
            const int length = voice == 0 ? 4 : voice == 1 ? 1 : 2;
            if (static_cast<int>(start / beat) % length) continue;
            const double hz =
                440.0 * std::pow(2.0, (12 * (voice - 1) + kSteps[next() % 7] - 9) / 12.0);
            const size_t from = static_cast<size_t>(start * kRate);
            const size_t to =
                std::min(kCount, from + static_cast<size_t>(length * beat * 1.2 * kRate));
            for (size_t i = from; i < to; ++i)
            {
                const double t = (i - from) / kRate;
                const double envelope =
                    std::min(t / 0.01, 1.0) * std::exp(-t * (voice == 1 ? 2.5 : 1.0));
                double tone = 0.0;
                for (int h = 1; h < 8 && h * hz < 8000.0; ++h)
                    tone += std::sin(2.0 * test::kPi * h * hz * t + h) / std::pow(h, 1.5);
                out[i] += static_cast<float>(0.05 * envelope * tone);
            }
        }
    return out;
}

double powerDb(const std::vector<float>& x)
{
    double sum = 0.0;
    for (float v : x)
        sum += static_cast<double>(v) * v;
    return 10.0 * std::log10(sum / x.size() + 1e-30);
}

struct Result
{
    std::vector<float> out;
    double mains;
    std::string finding;
};

Result dehum(double mains, const std::vector<float>& in)
{
    AlignedStage stage(std::make_unique<DehumTool>(mains, kFullBand));
    auto& tool = static_cast<DehumTool&>(stage.tool());
    for (int pass = 0; pass < tool.analysisPasses(); ++pass)
    {
        tool.analyze(in.data(), in.size());
        tool.finishAnalysis();
    }
    Result result;
    result.mains = tool.detectedMainsHz();
    size_t block = 1000;
    for (size_t at = 0; at < in.size(); at += block, block = block * 3 % 7919 + 1)
        stage.push(in.data() + at, std::min(block, in.size() - at), result.out);
    stage.finish(result.out);
    result.finding = tool.finding();
    return result;
}

TEST(DehumTool, LeavesSignalsWithoutHumAsTheyAre)
{
    std::vector<float> music = test::sine(1000.0, 0.1, kRate, kCount);
    // Steady notes sitting on the mains grid are not hum.
    test::add(music, test::sine(300.0, 0.05, kRate, kCount));
    test::add(music, test::sine(600.0, 0.05, kRate, kCount));
    for (const auto& in : {speechLike(), music})
        for (double mains : {50.0, 60.0, DehumTool::kAuto})
        {
            const Result r = dehum(mains, in);
            ASSERT_EQ(r.out.size(), in.size());
            EXPECT_EQ(r.mains, 0.0) << mains;
            EXPECT_EQ(r.finding, "no hum found, left as it was");
            EXPECT_GE(test::siSdr(r.out, in), 40.0) << mains;
        }
}

TEST(DehumTool, RemovesDriftingHumOfEitherMainsAndKeepsTheSpeech)
{
    // The speech's own pitch glides across the hum's second and third harmonics: the floors
    // are a little under what this file gives (35.6 and 35.4 dB down, the speech at 42.4
    // and 42.2 dB; 30.8 and 37.6 at 60 Hz with the phase walked hop by hop), so that a
    // worse tracker or a missed harmonic shows.
    struct Case
    {
        double mains;
        double minDownDb;
        double minSpeechDb;
    };
    const std::vector<float> speech = speechLike();
    for (const Case c : {Case{50.0, 34.0, 41.0}, Case{60.0, 34.0, 41.0}})
    {
        const std::vector<float> noise = hum(c.mains, 0.02);
        std::vector<float> in = speech;
        test::add(in, noise);
        for (double preset : {c.mains, DehumTool::kAuto})
        {
            const Result r = dehum(preset, in);
            ASSERT_EQ(r.out.size(), in.size());
            EXPECT_EQ(r.mains, c.mains) << preset;
            std::vector<float> left = r.out;
            for (size_t i = 0; i < left.size(); ++i)
                left[i] -= speech[i];
            EXPECT_GE(powerDb(noise) - powerDb(left), c.minDownDb) << c.mains << ' ' << preset;
            EXPECT_GE(test::siSdr(r.out, speech), c.minSpeechDb) << c.mains << ' ' << preset;
        }
    }
}

// Hum under material louder than itself: 20 dB under speech, 15 dB under music whose notes
// sit near its harmonics and come and go (E5 a fraction of a hertz from 660 Hz must not
// count), and a 60 Hz buzz of 40 harmonics 10 dB under speech, whose weak high harmonics
// only add up once every harmonic steers the tracking. The floors sit a little under what
// these files give (8.9, 34.7 and 26.5 dB down; kept 28.9, 49.7 and 36.5 dB), above what
// one pass steered by harmonics 1 to 3 gave (7.3, 26.4, 22.3; kept 27.3, 41.4, 32.3).
TEST(DehumTool, RemovesHumUnderLouderSpeechAndMusic)
{
    struct Case
    {
        const char* name;
        double mains;
        std::vector<float> clean;
        std::vector<float> hum;
        double underDb;
        double minDownDb;
        double minKeptDb;
        size_t fewest; // harmonics reported
        size_t most;
    };
    Case cases[] = {{"speech, 20 dB", 50.0, speechLike(), hum(50.0, 1.0), 20.0, 8.0, 28.0, 3, 12},
                    {"music, 15 dB", 60.0, musicLike(), hum(60.0, 1.0), 15.0, 30.0, 45.0, 10, 10},
                    {"buzz, 10 dB", 60.0, speechLike(), hum(60.0, 1.0, 40, 0.5, 0.05), 10.0, 25.0,
                     35.0, 40, 42}};
    for (Case& c : cases)
    {
        const double scale = std::pow(10.0, (powerDb(c.clean) - c.underDb - powerDb(c.hum)) / 20.0);
        for (float& v : c.hum)
            v *= static_cast<float>(scale);
        std::vector<float> in = c.clean;
        test::add(in, c.hum);
        const Result r = dehum(c.mains, in);
        std::vector<float> left = r.out;
        for (size_t i = 0; i < left.size(); ++i)
            left[i] -= c.clean[i];
        EXPECT_GE(powerDb(c.hum) - powerDb(left), c.minDownDb) << c.name;
        EXPECT_GE(test::siSdr(r.out, c.clean), c.minKeptDb) << c.name;
        size_t harmonics = 0;
        EXPECT_EQ(std::sscanf(r.finding.c_str(), "hum at %*f Hz, %zu", &harmonics), 1) << r.finding;
        EXPECT_GE(harmonics, c.fewest) << c.name << ": " << r.finding;
        EXPECT_LE(harmonics, c.most) << c.name << ": " << r.finding;
    }
}

TEST(DehumTool, KeepsATestToneOnTheMainsGridWithAndWithoutHum)
{
    for (double hz : {1000.0, 400.0})
    {
        const std::vector<float> tone = test::sine(hz, 0.1, kRate, kCount);
        for (double mains : {50.0, 60.0})
            for (const bool withHum : {false, true})
            {
                std::vector<float> in = tone;
                if (withHum) test::add(in, hum(mains, 0.02));
                const Result r = dehum(mains, in);
                const double level = test::db(
                    test::toneAmplitude(r.out, hz, kRate, kCount / 4, kCount * 3 / 4) / 0.1);
                EXPECT_NEAR(level, 0.0, 0.5) << hz << ' ' << mains << (withHum ? " with hum" : "");
            }
    }
}

// Hum that stands alone: a pure mains sine, a 60 Hz buzz of 40 harmonics reaching 2.4 kHz,
// and a clip of 1 s. Each is hum whole and must go at least 30 dB down.
TEST(DehumTool, RemovesAPureSineABuzzAndTheHumOfAShortClip)
{
    struct Case
    {
        const char* name;
        double preset;
        std::vector<float> in;
        const char* found; // how the finding starts
    };
    std::vector<float> buzz(kCount);
    for (size_t i = 0; i < kCount; ++i)
        for (int k = 1; k <= 40; ++k)
            buzz[i] +=
                static_cast<float>(0.005 * std::cos(2.0 * test::kPi * 60.0 * k * i / kRate + k));
    std::vector<float> clip = hum(50.0, 0.02);
    clip.resize(static_cast<size_t>(kRate));
    const Case cases[] = {
        {"sine", 50.0, test::sine(50.0, 0.1, kRate, kCount), "hum at 50.00 Hz, 1 harmonic,"},
        {"sine, Auto", DehumTool::kAuto, test::sine(50.0, 0.1, kRate, kCount), "hum at 50.00 Hz"},
        {"buzz", 60.0, buzz, "hum at 60.00 Hz, 40 harmonics"},
        {"1 s clip", 50.0, clip, "hum at 50."},
        // A generator's wander: the reference must follow it a little beyond +-0.5 Hz.
        {"drifting +-0.5 Hz", 50.0, hum(50.0, 0.02, 10, 3.0, 0.5), "hum at 50."}};
    for (const Case& c : cases)
    {
        const Result r = dehum(c.preset, c.in);
        EXPECT_GE(powerDb(c.in) - powerDb(r.out), 30.0) << c.name;
        EXPECT_EQ(r.finding.rfind(c.found, 0), 0u) << r.finding;
    }
}

// A clip of 2 s or 1 s under speech, and of 3 s under music 15 dB louder than its hum: the
// whole file is shorter than the smoothing, and the hum must still be found and removed
// (32.1, 8.8 and 27.6 dB down here; the music 15.6 were it measured in the fine hops that
// suit speech, 33.0 and 8.7 the speech in coarse ones; in 1 s this voice's pitch sits on
// the third harmonic, which no estimate can part from it).
TEST(DehumTool, RemovesTheHumOfAShortSpeechOrMusicClip)
{
    struct Case
    {
        double seconds;
        std::vector<float> clean;
        double mains;
        double underDb; // the hum under the clean signal; 0: as it comes
        double minDownDb;
    };
    for (const Case& c :
         {Case{2.0, speechLike(), 50.0, 0.0, 31.5}, Case{1.0, speechLike(), 50.0, 0.0, 7.5},
          Case{3.0, musicLike(), 60.0, 15.0, 25.5}})
    {
        const size_t count = static_cast<size_t>(c.seconds * kRate);
        std::vector<float> clean = c.clean;
        clean.resize(count);
        std::vector<float> noise = hum(c.mains, 0.02);
        noise.resize(count);
        const double scale =
            c.underDb > 0.0 ? std::pow(10.0, (powerDb(clean) - c.underDb - powerDb(noise)) / 20.0)
                            : 1.0;
        for (float& v : noise)
            v *= static_cast<float>(scale);
        std::vector<float> in = clean;
        test::add(in, noise);
        const Result r = dehum(c.mains, in);
        std::vector<float> left = r.out;
        for (size_t i = 0; i < left.size(); ++i)
            left[i] -= clean[i];
        EXPECT_GE(powerDb(noise) - powerDb(left), c.minDownDb) << c.seconds;
        EXPECT_EQ(r.finding.rfind(c.mains == 50.0 ? "hum at 50." : "hum at 60.", 0), 0u)
            << r.finding;
    }
    // A fifth of a second holds too few hops to tell a line from anything else.
    std::vector<float> blip = hum(50.0, 0.02);
    blip.resize(static_cast<size_t>(0.2 * kRate));
    const Result r = dehum(50.0, blip);
    EXPECT_EQ(r.out, blip);
    EXPECT_EQ(r.finding, "too short to tell hum, left as it was");
}

// Under noise only the lines count: a lone fundamental is one harmonic, not dozens, and a
// buzz of the odd harmonics 1 to 39 is twenty, the noise between them left out.
TEST(DehumTool, CountsOnlyTheLinesThatStandAboveTheNoise)
{
    const std::vector<float> noise = test::noise(0.03, kCount, 9);
    std::vector<float> sine = noise;
    test::add(sine, test::sine(50.0, 0.05, kRate, kCount));
    std::vector<float> buzz = noise;
    for (int k = 1; k < 40; k += 2)
        test::add(buzz, test::sine(50.0 * k, 0.02, kRate, kCount));
    struct Case
    {
        const std::vector<float>& in;
        const char* found;
        double minSiSdr;
    };
    for (const Case& c : {Case{sine, "hum at 50.00 Hz, 1 harmonic,", 25.0},
                          Case{buzz, "hum at 50.00 Hz, 20 harmonics,", 24.0}})
    {
        const Result r = dehum(DehumTool::kAuto, c.in);
        EXPECT_EQ(r.mains, 50.0);
        EXPECT_EQ(r.finding.rfind(c.found, 0), 0u) << r.finding;
        EXPECT_GE(test::siSdr(r.out, noise), c.minSiSdr) << c.found;
    }
    const Result r = dehum(DehumTool::kAuto, sine);
    EXPECT_LT(test::db(test::toneAmplitude(r.out, 50.0, kRate, kCount / 4, kCount * 3 / 4) / 0.05),
              -30.0);
}

TEST(DehumTool, LeavesHarmonicsOutsideTheRangeAlone)
{
    std::vector<float> in = speechLike();
    const std::vector<float> noise = hum(50.0, 0.02);
    test::add(in, noise);
    const FrequencyRange low{0.0, 220.0, kRate};
    const auto out = test::runAligned(std::make_unique<DehumTool>(50.0, low), in);
    auto level = [&](const std::vector<float>& x, double hz)
    { return test::db(test::toneAmplitude(x, hz, kRate, 0, kCount)); };
    EXPECT_LT(level(out, 50.0), level(in, 50.0) - 20.0);
    EXPECT_NEAR(level(out, 400.0), level(in, 400.0), 0.5);
}

} // namespace
} // namespace companion
