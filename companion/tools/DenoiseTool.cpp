#include "DenoiseTool.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

namespace companion
{

namespace
{
constexpr double kFrameSeconds = 0.04; // about 2048 samples at 48 kHz
// How far either side of each frame the noise is tracked: short enough to follow a swing
// of a few tenths of a hertz, long enough to reach a pause between words.
constexpr double kTrackSeconds = 0.6;
// Under this no voice sounds (nor hardly any music): what is there is rumble, drift or
// handling noise.
constexpr double kInfrasonicHz = 20.0;
// How far the signal's mean must stand over the scatter of its means over each half second
// to count as a steady offset.
constexpr double kOffsetClear = 2.0;
// The band where speech, and so the noise's likeness to it, is judged.
constexpr double kSpeechLowHz = 100.0;
constexpr double kSpeechHighHz = 8000.0;
// Where the signal-to-noise estimate follows weak syllables (the strength's speech band):
// from the crossover, below which most noises carry their power and the voice's harmonics
// stand strong, up to where speech's cues end; above, a lighter estimate would keep little
// but noise.
constexpr double kSpeechCuesHz = 4000.0;
// Misfit of the noise (NoiseProfile) up to which gains apply in full, and over which they
// fade out completely.
constexpr double kStationaryMisfit = 0.1;
constexpr double kMisfitFade = 0.1;
// The least of the gains still applied where the noise strays furthest (other voices).
constexpr double kLeastExponent = 0.4;
// How much further the noise strays than it does once its slow moves are taken out, before
// it is tracked (tracking in full kTrackingFade above it). Low and steep: tracking a steady
// noise costs little, holding a moving one to the profile costs much more.
constexpr double kMovingMisfit = 0.02;
constexpr double kTrackingFade = 0.05;
// A band's own move is judged against its scatter: the log of noise's power spreads by
// pi/sqrt(6) nepers, neighbouring bins and half-overlapped frames are far from independent
// (about three to one), and the move must stand two of those scatters clear.
constexpr double kLogSpread = 1.2825498301618641;
constexpr double kAlikeNeighbours = 3.0;
constexpr double kClearOfScatter = 2.0;
// The share of digitally silent frames that marks a file whose quiet stretches hold no noise.
constexpr double kSilentShare = 0.02;
// The quietest tenth of the frames stands this far over the noise estimated in them when a
// sound never stops; where the noise is heard alone at times it stands within a dB or two.
constexpr double kNeverQuietDb = 6.0;
constexpr double kMostOverNoiseDb = 60.0; // past it, over next to no noise: "more than"
// A sound held under the crossover: its loudest kQuietShare of the frames there stand within
// kHeldSpreadDb of its quietest. Where it is, the quietest and the loudest kQuietShare of the
// frames over the crossover, against the noise learnt there, tell a sound's own floor from a
// hiss: the quietest stand over it by kHeardAloneDb at least and under kNearNoiseDb, the
// loudest under kFarOverNoiseDb (music over a hiss 30 dB under rises 22 dB and more).
constexpr double kQuietShare = 0.1;
constexpr double kHeldSpreadDb = 13.0;
constexpr double kHeardAloneDb = 2.0;
constexpr double kNearNoiseDb = 8.0;
constexpr double kFarOverNoiseDb = 21.0;
// The least share of the noise estimated in both stages that a stage must hold for its own
// figure to count (30 dB under the other).
constexpr double kStageNoiseShare = 1e-3;

double binHz(size_t frameSize, double sampleRate)
{
    return sampleRate / static_cast<double>(frameSize);
}

size_t firstBinFrom(double hz, size_t frameSize, double sampleRate)
{
    return static_cast<size_t>(std::ceil(std::max(0.0, hz) / binHz(frameSize, sampleRate)));
}

// Inclusive; an empty band comes out as first > last.
size_t lastBinUpTo(double hz, size_t frameSize, double sampleRate)
{
    const double last = std::floor(hz / binHz(frameSize, sampleRate));
    return static_cast<size_t>(std::clamp(last, 0.0, static_cast<double>(frameSize / 2)));
}

// The crossover as a bin of the upper stage; the lower stage's bin twice its number sits at
// the same frequency.
size_t crossoverBin(size_t frameSize, double sampleRate)
{
    return static_cast<size_t>(
        std::lround(DenoiseTool::kCrossoverHz / binHz(frameSize, sampleRate)));
}

// In four sums side by side, each over a short stretch, so that no sum waits on the one
// before.
double sumOf(const float* x, size_t count)
{
    double total = 0.0;
    for (size_t start = 0; start < count; start += 4096)
    {
        const size_t end = std::min(count, start + 4096);
        float sums[4] = {};
        size_t i = start;
        for (; i + 4 <= end; i += 4)
            for (size_t j = 0; j < 4; ++j)
                sums[j] += x[i + j];
        for (; i < end; ++i)
            sums[0] += x[i];
        total +=
            (static_cast<double>(sums[0]) + sums[1]) + (static_cast<double>(sums[2]) + sums[3]);
    }
    return total;
}

size_t trackFrames(size_t frameSize, double sampleRate)
{
    return static_cast<size_t>(std::lround(kTrackSeconds * sampleRate / (frameSize / 4)));
}
} // namespace

size_t DenoiseTool::frameSizeFor(double sampleRate)
{
    size_t size = 256;
    while (size < sampleRate * kFrameSeconds)
        size *= 2;
    return size;
}

DenoiseTool::Strength DenoiseTool::presetStrength(int preset)
{
    static const Strength kPresets[] = {
        {0.15, 0.9, 0.7, 0.98}, {0.05, 0.9, 0.7, 0.98}, {0.02, 0.9, 0.7, 0.98}};
    return kPresets[preset];
}

DenoiseTool::DenoiseTool(Strength strength, const FrequencyRange& range)
    : sampleRate_(range.sampleRate), frameSize_(frameSizeFor(range.sampleRate)),
      low_(strength, sampleRate_, 2 * frameSize_,
           firstBinFrom(range.low, 2 * frameSize_, sampleRate_),
           std::min(lastBinUpTo(range.high, 2 * frameSize_, sampleRate_),
                    2 * crossoverBin(frameSize_, sampleRate_) - 1),
           trackFrames(2 * frameSize_, sampleRate_)),
      high_(strength, frameSize_,
            std::max(firstBinFrom(range.low, frameSize_, sampleRate_),
                     crossoverBin(frameSize_, sampleRate_)),
            lastBinUpTo(range.high, frameSize_, sampleRate_), trackFrames(frameSize_, sampleRate_))
{
    high_.setStreamDelay(low_.latency());
    low_.stage().setInfrasonicBins(firstBinFrom(kInfrasonicHz, 2 * frameSize_, sampleRate_));
    for (size_t size : {2 * frameSize_, frameSize_})
    {
        DenoiseStage& stage = size == frameSize_ ? high_ : low_.stage();
        stage.setFitBand(firstBinFrom(kSpeechLowHz, size, sampleRate_),
                         lastBinUpTo(kSpeechHighHz, size, sampleRate_) + 1);
        stage.setSpeechBand(firstBinFrom(kCrossoverHz, size, sampleRate_),
                            firstBinFrom(kSpeechCuesHz, size, sampleRate_));
    }
}

void DenoiseTool::analyze(const float* in, size_t count)
{
    const size_t block = offsetBlock();
    for (size_t done = 0; done < count;)
    {
        const size_t step = std::min(count - done, block - analysed_ % block);
        blockSum_ += sumOf(in + done, step);
        done += step;
        analysed_ += step;
        if (analysed_ % block != 0) continue;
        const double mean = blockSum_ / static_cast<double>(block);
        blockMeans_ += mean;
        blockSquares_ += mean * mean;
        sum_ += blockSum_;
        blockSum_ = 0.0;
    }
    low_.analyze(in, count);
    high_.analyze(in, count);
}

void DenoiseTool::finishAnalysis()
{
    chooseTracking();
    // Voices over digital silence: nothing in the file is noise (the quiet stretches hold
    // none), and what strays like other voices is the voice itself.
    silentVoices_ = exponent_ < 1.0 &&
                    std::max(low_.stage().silentShare(), high_.silentShare()) >= kSilentShare;
    if (silentVoices_) exponent_ = 0.0;
    const bool held = !silentVoices_ && heldUnderCrossover();
    soundAsNoise_ = held && floorLearntAsNoise();
    if (soundAsNoise_) exponent_ = 0.0;
    // Held under the crossover and never near its noise over it, the sound never stops: a
    // noise under it was never heard alone, and what tracking would follow is the sound
    // itself (a lead's swells taken for a noise that rises), as where nothing looked like
    // noise at all. The profile learnt holds.
    if (held && !soundAsNoise_ && high_.framesOverLearnt(kQuietShare) >= kNeverQuietDb &&
        tracking_ > 0.0)
    {
        tracking_ = 0.0;
        low_.stage().setTracking(0.0);
        high_.setTracking(0.0);
    }
    offset_ = steadyOffset();
    low_.stage().setExponent(exponent_);
    high_.setExponent(exponent_);
}

void DenoiseTool::chooseTracking()
{
    double misfit = 0.0;
    double steadied = 0.0;
    double weight = 0.0;
    // Both stages count their bins as a full-rate transform of their frames would.
    for (size_t size : {2 * frameSize_, frameSize_})
    {
        const size_t first = firstBinFrom(kSpeechLowHz, size, sampleRate_);
        const size_t end = lastBinUpTo(kSpeechHighHz, size, sampleRate_) + 1;
        const NoiseProfile::Estimate estimate =
            size == frameSize_ ? high_.learn(first, end) : low_.learn(first, end);
        misfit += estimate.misfit * estimate.noiseFrames;
        steadied += estimate.steadiedMisfit * estimate.noiseFrames;
        weight += estimate.noiseFrames;
    }
    if (weight > 0.0)
    {
        misfit /= weight;
        steadied /= weight;
    }
    // Noise that strays from steady only by its slow level moves is tracked; noise that
    // stays as steady as its profile says is met by the profile alone, which it fits best.
    tracking_ = std::clamp((misfit - steadied - kMovingMisfit) / kTrackingFade, 0.0, 1.0);
    exponent_ = 1.0 - (1.0 - kLeastExponent) *
                          std::clamp((steadied - kStationaryMisfit) / kMisfitFade, 0.0, 1.0);
    // A band whose own noise moves (a colour change moves some bands only, lost in the
    // whole band's figure) is tracked too, once its move stands clear of the scatter its
    // weight leaves; only where the noise is not like voices and, over the whole band,
    // taking the slow moves out left it steadier (else what moves is not the noise: notes).
    const bool bandsMay = exponent_ >= 1.0 && misfit > steadied;
    for (DenoiseStage* stage : {&low_.stage(), &high_})
    {
        const std::vector<double>& moves = stage->bandMoves();
        const std::vector<double>& weights = stage->bandWeights();
        std::vector<float> perBand(moves.size(), static_cast<float>(tracking_));
        for (size_t b = 0; b < moves.size() && bandsMay; ++b)
        {
            if (!(weights[b] > 0.0)) continue;
            const double scatter = kLogSpread / std::sqrt(weights[b] / kAlikeNeighbours);
            const double own = std::clamp(
                (moves[b] - kMovingMisfit - kClearOfScatter * scatter) / kTrackingFade, 0.0, 1.0);
            perBand[b] = static_cast<float>(std::max(tracking_, own));
        }
        stage->setBandTracking(perBand);
    }
}

bool DenoiseTool::heldUnderCrossover() const
{
    // Nothing under the crossover ever looked like noise, and its level there held within a
    // few dB: the sound never paused there (a voice's pauses, or a noise's gaps, fall far).
    const DenoiseStage& low = low_.stage();
    return low.learntNoise() <= kStageNoiseShare * high_.learntNoise() &&
           low.framePowerDb(1.0 - kQuietShare) - low.framePowerDb(kQuietShare) < kHeldSpreadDb;
}

bool DenoiseTool::floorLearntAsNoise() const
{
    // Over the crossover, the quietest frames never fall to the noise learnt (where noise is
    // heard alone they stand within a dB or two) yet come near it, and the loudest do not rise
    // far over it: what was learnt is the floor of a sound that never stops (an ensemble's or
    // a pad's partials spread as noise's do), which taken away was the music. A hiss under
    // such a sound cannot be told from it; a sound that rises far over its floor can be.
    const double quietest = high_.framesOverLearnt(kQuietShare);
    return quietest >= kHeardAloneDb && quietest < kNearNoiseDb &&
           high_.framesOverLearnt(1.0 - kQuietShare) < kFarOverNoiseDb;
}

float DenoiseTool::steadyOffset() const
{
    // The signal's mean is a steady offset when it stands clear of how its means over each
    // half second scatter; a drift's mean (noise under 20 Hz) does not and goes with it.
    const double blocks = static_cast<double>(analysed_ / offsetBlock());
    const double mean = analysed_ > 0 ? (sum_ + blockSum_) / static_cast<double>(analysed_) : 0.0;
    const double scatter =
        blocks > 1.0 ? std::sqrt(std::max(0.0, blockSquares_ / blocks -
                                                   (blockMeans_ / blocks) * (blockMeans_ / blocks)))
                     : 0.0;
    return std::fabs(mean) > kOffsetClear * scatter ? static_cast<float>(mean) : 0.0f;
}

std::string DenoiseTool::finding() const
{
    if (silentVoices_)
        return "no noise under the voices (digital silence between them): left as it was";
    if (soundAsNoise_)
    {
        char text[200];
        std::snprintf(text, sizeof text,
                      "what looked like noise over %.0f Hz never fell away, and nothing under it "
                      "ever paused: taken for the sound itself, left as it was",
                      kCrossoverHz);
        return text;
    }
    const double lowest = low_.stage().lowestNoise() + high_.lowestNoise();
    const double highest = low_.stage().highestNoise() + high_.highestNoise();
    if (!(highest > 0.0) || !(lowest <= highest))
        return "no noise found to learn (silence, or too short): left as it was";
    // How far the noise went down: its estimate against what the gains let through of it
    // (the signal's own level says nothing of it: a loud tone over the noise would hide it).
    const double before = low_.stage().noiseBefore() + high_.noiseBefore();
    const double after = low_.stage().noiseAfter() + high_.noiseAfter();
    const double removed =
        before > 0.0 && after > 0.0 && after < before ? 10.0 * std::log10(before / after) : 0.0;
    auto dbfs = [](double power) { return std::max(-140.0, 10.0 * std::log10(power)); };
    char text[200];
    const double low = dbfs(lowest);
    const double high = dbfs(highest);
    const char* easing = exponent_ < 1.0 ? " (it strays like other voices: gains eased)" : "";
    if (high - low < 1.0)
        std::snprintf(text, sizeof text, "noise %.0f dBFS, steady%s; %.1f dB removed", high, easing,
                      removed);
    else
        std::snprintf(text, sizeof text, "noise %.0f to %.0f dBFS, tracked%s; %.1f dB removed", low,
                      high, easing, removed);
    return text + neverQuiet();
}

std::string DenoiseTool::neverQuiet() const
{
    // Where the file is never as quiet as its noise, a sound that never stops (held notes, or
    // a moving tone the noise estimate took for one) was kept: the user hears it still.
    // A stage that learnt next to no noise removes next to nothing: how far its frames stand
    // over that says nothing of the sound the other stage kept or took away.
    const DenoiseStage* stages[] = {&low_.stage(), &high_};
    double noise = 0.0;
    for (const DenoiseStage* stage : stages)
        noise += stage->noiseBefore();
    double over = -std::numeric_limits<double>::infinity();
    for (const DenoiseStage* stage : stages)
    {
        const double figure = stage->quietestOverNoise();
        if (!std::isnan(figure) && stage->noiseBefore() >= kStageNoiseShare * noise)
            over = std::max(over, figure);
    }
    if (!(over >= kNeverQuietDb)) return "";
    char text[120];
    std::snprintf(text, sizeof text,
                  "; quietest tenth %s%.0f dB over the noise: a sound that never stops was kept",
                  over > kMostOverNoiseDb ? "more than " : "", std::min(over, kMostOverNoiseDb));
    return text;
}

void DenoiseTool::reset()
{
    low_.reset();
    high_.reset();
}

void DenoiseTool::process(const float* in, float* out, size_t count)
{
    // The signal's steady offset (its mean) is the recording's own, not noise under 20 Hz:
    // it goes round the stages.
    between_.resize(count);
    if (offset_ == 0.0f)
    {
        low_.process(in, between_.data(), count);
        high_.process(between_.data(), out, count);
        return;
    }
    centred_.resize(count);
    for (size_t i = 0; i < count; ++i)
        centred_[i] = in[i] - offset_;
    low_.process(centred_.data(), between_.data(), count);
    high_.process(between_.data(), out, count);
    for (size_t i = 0; i < count; ++i)
        out[i] += offset_;
}

} // namespace companion
