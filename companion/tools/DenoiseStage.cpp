#include "DenoiseStage.h"

#include "BinKernels.h"
#include "RoughLog2.h"
#include "SpeechPresence.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace companion
{

namespace
{

// The same white noise on every run, one hop at a time, for the calibrations: what they
// measure must not change from file to file.
class CalibrationNoise
{
public:
    CalibrationNoise(size_t frameSize, size_t hop) : hop_(hop), samples_(frameSize)
    {
        for (float& x : samples_)
            x = next();
    }
    // The frame one hop on.
    const float* advance()
    {
        const size_t kept = samples_.size() - hop_;
        std::memmove(samples_.data(), samples_.data() + hop_, kept * sizeof(float));
        for (size_t i = kept; i < samples_.size(); ++i)
            samples_[i] = next();
        return samples_.data();
    }

private:
    float next()
    {
        state_ = state_ * 1664525u + 1013904223u;
        return static_cast<float>(state_ >> 8) / 8388608.0f - 1.0f;
    }

    const size_t hop_;
    uint32_t state_ = 12345u;
    std::vector<float> samples_;
};
constexpr double kPi = 3.14159265358979323846;
// Hann analysis times Hann synthesis at 75 % overlap adds up to 1.5.
constexpr float kOverlapGain = 1.5f;
constexpr size_t kBackwardSteps = BinKernels::kBackwardSteps;
// Bands judged for likeness to noise: a third of an octave, never fewer bins than this,
// so that their quantiles stay steady on noise alone.
constexpr size_t kBandBins = 16;
constexpr double kThirdOctave = 1.2599210498948732;
// Where a bin's power counts as far from its local mean; noise lands beyond in about 26 %.
constexpr float kUnderLocal = 0.2f;
constexpr float kOverLocal = 2.5f;
constexpr size_t kLocalBins = 4; // either side of a bin, for its local mean

// The first class of a histogram by which `share` of its counts are reached; its size when it
// holds none.
template <size_t N> size_t classAtShare(const std::array<uint32_t, N>& counts, double share)
{
    uint64_t total = 0;
    for (uint32_t count : counts)
        total += count;
    if (total == 0) return N;
    uint64_t below = 0;
    for (size_t cls = 0; cls + 1 < N; ++cls)
        if (static_cast<double>(below += counts[cls]) / static_cast<double>(total) >= share)
            return cls;
    return N - 1;
}
constexpr double kSpreadDeviations = 1.5;
// Noise's fine structure is new in every frame: a band whose bins stand over or under their
// local mean where they did half a frame before, further than noise's do by this many of its
// deviations, holds partials or harmonics that last (held notes), not noise.
constexpr double kPersistDeviations = 2.5;
constexpr float kPresentRatio = SpeechPresence::kPresentRatio;
constexpr float kClearOfNoise = 10.0f; // 10 dB: where gains are not smoothed down
constexpr float kNoiseAveraging = SpeechPresence::kNoiseAveraging;
constexpr float kPresenceAveraging = SpeechPresence::kPresenceAveraging;
// The backward estimate starts from the forward one, or from the lowest power of the
// newest this many frames where higher: a noise that rose stays under neither for long.
constexpr size_t kStartFrames = 16;
constexpr float kUnknown = std::numeric_limits<float>::infinity(); // no noise-like frame
constexpr float kTinyPower = 1e-30f; // under any power a frame holds; keeps the logs finite
constexpr float kLeastNoise = SpeechPresence::kLeastNoise;
constexpr double kSilentFrame = 1e-18; // total power of a frame that counts as digital silence
// Analysis frames (half-overlapped) over which a band's lowest level is taken before the
// noise's steadiness is judged: about 0.6 s at 48 kHz.
constexpr size_t kSteadyFrames = 28;
// Frames of white noise that calibrate the spread of noise's powers.
constexpr size_t kCalibrationFrames = 800;
// The ceiling on the tracked noise (minimum statistics, after Martin 2001): a noise that
// sinks under speech held through it is seen only between the harmonics, where each group's
// lowest power of the frames either side still finds it. Its reach either side, as a share
// of the tracking's reach, and how far over the minima, their bias taken out, it stands.
constexpr double kCeilingShare = 0.4;
constexpr float kCeilingMargin = 1.5f;

size_t ceilingReach(size_t trackFrames)
{
    return static_cast<size_t>(std::lround(static_cast<double>(trackFrames) * kCeilingShare));
}

// A bin this far over its band's median is a line (noise gets there about once in 10^9),
// and its window's skirts around it, kLineBins either side, are the line's too.
constexpr float kLineOverMedian = 30.0f;
constexpr size_t kLineBins = 3;
constexpr float kPlainPeak = 8.0f;

size_t bandBins(size_t firstBin, size_t lastBin)
{
    return lastBin >= firstBin ? lastBin - firstBin + 1 : 0;
}

} // namespace

DenoiseStage::DenoiseStage(Strength strength, size_t frameSize, size_t firstBin, size_t lastBin,
                           size_t trackFrames)
    : strength_(strength), frameSize_(frameSize), hop_(frameSize / 4), analysisHop_(frameSize / 2),
      firstBin_(firstBin), lastBin_(lastBin), track_(trackFrames), plan_(frameSize),
      window_(frameSize), power_(plan_.bins()), input_(kSlackFrames * frameSize, 0.0f),
      overlap_(kSlackFrames * frameSize, 0.0f),
      frames_(trackFrames + std::max({kLookahead, kAroundFrames, ceilingReach(trackFrames)}) + 1),
      kept_(plan_.bins(), 0.0f), profile_(bandBins(firstBin, lastBin)),
      steadyProfile_(bandBins(firstBin, lastBin)), steadied_(bandBins(firstBin, lastBin)),
      streamer_(hop_, [this](const float* in, float* out) { processHop(in, out); })
{
    for (size_t i = 0; i < frameSize_; ++i)
        window_[i] = static_cast<float>(0.5 - 0.5 * std::cos(2.0 * kPi * i / frameSize_));
    for (Frame& frame : frames_)
    {
        frame.spectrum.resize(plan_.bins());
        frame.power.resize(plan_.bins());
        frame.inverseNoise.resize(plan_.bins());
        frame.forwardRatio.resize(plan_.bins());
        frame.expectedNoise.resize(plan_.bins());
    }
    groups_ = (bandBins(firstBin_, lastBin_) + kGroupBins - 1) / kGroupBins;
    for (Frame& frame : frames_)
    {
        frame.groupPower.assign(groups_, 0.0f);
        frame.groupNoise.assign(groups_, 0.0f);
        frame.groupCeiling.assign(groups_, kUnknown);
    }
    backwardNoise_.assign(groups_, 0.0f);
    backwardPresence_.assign(groups_, 0.0f);
    groupExpected_.assign(std::max(groups_, bandBins(firstBin_, lastBin_)), 0.0f);
    for (size_t first = firstBin_; first <= lastBin_ && lastBin_ >= firstBin_;)
    {
        const size_t width = std::max<size_t>(
            kBandBins, static_cast<size_t>(static_cast<double>(first) * (kThirdOctave - 1.0)));
        size_t end = std::min(lastBin_ + 1, first + width);
        // A last band too narrow to judge joins the one before.
        if (lastBin_ + 1 - end < kBandBins / 2) end = lastBin_ + 1;
        bands_.push_back({first, end, 0.5 * static_cast<double>(first + end - 1)});
        first = end;
    }
    analysisLevels_.assign(kSteadyFrames * bands_.size(), kUnknown);
    local_.assign(plan_.bins(), 0.0f);
    line_.assign(plan_.bins(), 0);
    gains_.assign(plan_.bins(), 0.0f);
    mix_.assign(plan_.bins(), 1.0f);
    smoothed_.assign(plan_.bins(), 0.0f);
    averaged_.assign(plan_.bins(), 0.0f);
    around_.assign(bandBins(firstBin_, lastBin_), 0.0f);
    presence_.assign(plan_.bins(), 0.0f);
    spreadLimit_.assign(bands_.size(), kUnknown);
    persistLimit_.assign(bands_.size(), kUnknown);
    // The long lag: five times the tracking's reach (3 s), past the length of most notes.
    longLag_ = std::max<size_t>(2, 5 * track_ * hop_ / analysisHop_);
    deviations_.assign((longLag_ + 1) * bandBins(firstBin_, lastBin_), 0.0f);
    inputEnd_ = frameSize_;
    calibrateSpread();
    calibratePersistence();
    calibrateCeiling();
}

void DenoiseStage::transformFrame(const float* frame)
{
    transformFrame(frame, plan_.spectrum(), power_.data());
}

void DenoiseStage::transformFrame(const float* frame, std::complex<float>* spectrum, float* power)
{
    BinKernels::windowInto(frame, window_.data(), plan_.time(), frameSize_);
    plan_.forward(spectrum);
    BinKernels::powersOf(reinterpret_cast<const float*>(spectrum), power, plan_.bins());
}

void DenoiseStage::analyze(const float* in, size_t count)
{
    if (profile_.bins() == 0) return;
    // Only frames that lie wholly inside the signal are measured: a frame padded with the
    // silence before the start would pass for the quietest. Half-overlapped frames see
    // every sample and are all the noise statistics need.
    while (count > 0)
    {
        const size_t offset = analysed_ % analysisHop_;
        const size_t step = std::min(count, analysisHop_ - offset);
        const float* frame = slide(in, step);
        analysed_ += step;
        in += step;
        count -= step;
        if (analysed_ % analysisHop_ != 0 || analysed_ < frameSize_) continue;
        transformFrame(frame);
        const double energy =
            BinKernels::bandEnergy(power_.data() + firstBin_, lastBin_ + 1 - firstBin_);
        if (energy < kSilentFrame)
            ++silentFrames_;
        else
            ++framePowers_[std::clamp<long>(std::lround(10.0 * std::log10(energy)) - kFrameFloorDb,
                                            0, static_cast<long>(kFrameClasses) - 1)];
        addSteadied();
        // Only bands that look like noise in this frame teach the profile its noise.
        localMeans(power_.data());
        deviations(power_.data());
        for (size_t b = 0; b < bands_.size(); ++b)
        {
            if (!noiseLike(power_.data(), b) || persistent(b))
                std::fill(power_.begin() + bands_[b].first, power_.begin() + bands_[b].end, -1.0f);
            else
                markLines(power_.data(), b);
        }
        for (size_t i = firstBin_; i <= lastBin_; ++i)
            power_[i] = line_[i] ? -1.0f : power_[i];
        profile_.addFrame(power_.data() + firstBin_);
        ++deviationFrames_;
    }
}

void DenoiseStage::deviations(const float* power)
{
    // Each bin's log over its local mean: the fine structure, whatever the colour. A rough log
    // is all a correlation needs; a true one per bin cost a fifth of the run.
    float* deviation = deviationsBack(0);
    for (size_t i = firstBin_; i <= lastBin_; ++i)
        deviation[i - firstBin_] = static_cast<float>(roughLog2(std::max(power[i], kTinyPower)) -
                                                      roughLog2(std::max(local_[i], kTinyPower)));
}

float* DenoiseStage::deviationsBack(size_t back)
{
    const size_t slots = longLag_ + 1;
    return deviations_.data() +
           ((deviationFrames_ + slots - back) % slots) * bandBins(firstBin_, lastBin_);
}

float DenoiseStage::persistenceOf(size_t band, size_t lag)
{
    // The correlation over the band's bins of this frame's fine structure with that of the
    // frame lag frames before.
    const float* now = deviationsBack(0);
    const float* before = deviationsBack(lag);
    const size_t first = bands_[band].first - firstBin_;
    const size_t end = bands_[band].end - firstBin_;
    const float count = static_cast<float>(end - first);
    float nowMean = 0.0f;
    float beforeMean = 0.0f;
    for (size_t i = first; i < end; ++i)
    {
        nowMean += now[i];
        beforeMean += before[i];
    }
    nowMean /= count;
    beforeMean /= count;
    float product = 0.0f;
    float nowSquares = 0.0f;
    float beforeSquares = 0.0f;
    for (size_t i = first; i < end; ++i)
    {
        const float a = now[i] - nowMean;
        const float b = before[i] - beforeMean;
        product += a * b;
        nowSquares += a * a;
        beforeSquares += b * b;
    }
    const float scale = std::sqrt(nowSquares * beforeSquares);
    return scale > 0.0f ? product / scale : 0.0f;
}

bool DenoiseStage::persistent(size_t band)
{
    // What lasts a frame but not the long lag is notes or a voice; a machine's or a fan's
    // own lines stay where they were.
    if (deviationFrames_ < 1 || !(persistenceOf(band, 1) > persistLimit_[band])) return false;
    return deviationFrames_ < longLag_ || !(persistenceOf(band, longLag_) > persistLimit_[band]);
}

void DenoiseStage::calibratePersistence()
{
    // White noise through the analysis's half-overlapped frames: how far the fine structure
    // of one frame follows the last one's when nothing lasts.
    CalibrationNoise noise(frameSize_, analysisHop_);
    std::vector<double> sum(bands_.size(), 0.0);
    std::vector<double> squares(bands_.size(), 0.0);
    const size_t frames = kCalibrationFrames / 4;
    for (size_t f = 0; f <= frames; ++f)
    {
        transformFrame(noise.advance());
        localMeans(power_.data());
        deviations(power_.data());
        for (size_t b = 0; b < bands_.size() && f > 0; ++b)
        {
            const double x = persistenceOf(b, 1);
            sum[b] += x;
            squares[b] += x * x;
        }
        ++deviationFrames_;
    }
    for (size_t b = 0; b < bands_.size(); ++b)
    {
        const double mean = sum[b] / frames;
        const double deviation = std::sqrt(std::max(0.0, squares[b] / frames - mean * mean));
        persistLimit_[b] = static_cast<float>(mean + kPersistDeviations * deviation);
    }
    deviationFrames_ = 0;
}

void DenoiseStage::addSteadied()
{
    // Each band over its lowest mean power of the last kSteadyFrames frames: noise whose
    // level moves slowly comes out steady, other voices that come and go syllable by
    // syllable do not. Every other frame is enough for the statistics.
    const size_t count = bands_.size();
    const size_t slot = analysisFrames_ % kSteadyFrames;
    ++analysisFrames_;
    for (size_t b = 0; b < count; ++b)
    {
        const Band& range = bands_[b];
        float sum = 0.0f;
        for (size_t i = range.first; i < range.end; ++i)
            sum += power_[i];
        analysisLevels_[slot * count + b] = sum;
    }
    if (analysisFrames_ % 2 != 0) return;
    for (size_t b = 0; b < count; ++b)
    {
        const Band& range = bands_[b];
        float lowest = kUnknown;
        for (size_t s = 0; s < kSteadyFrames; ++s)
            lowest = std::min(lowest, analysisLevels_[s * count + b]);
        const float scale =
            lowest > 0.0f ? static_cast<float>(range.end - range.first) / lowest : 0.0f;
        for (size_t i = range.first; i < range.end; ++i)
            steadied_[i - firstBin_] =
                i >= steadyFirst_ && i < steadyEnd_ ? power_[i] * scale : -1.0f;
    }
    steadyProfile_.addFrame(steadied_.data());
}

float DenoiseStage::spreadOf(const float* power, size_t band)
{
    // The share of bins far under or far over their local mean: about a quarter for noise
    // (exponentially distributed powers), more where harmonics or partials stand out.
    const Band& range = bands_[band];
    const float* local = local_.data();
    size_t outside = 0;
    for (size_t i = range.first; i < range.end; ++i)
    {
        const float mean = local[i];
        outside += (power[i] < kUnderLocal * mean) + (power[i] > kOverLocal * mean);
    }
    return static_cast<float>(outside) / static_cast<float>(range.end - range.first);
}

void DenoiseStage::markLines(const float* power, size_t band)
{
    // Within a band that looks like noise, a lone line (a held partial, hum) may still stand:
    // the band's other bins spread as noise's do. The line is not noise.
    const Band& range = bands_[band];
    std::fill(line_.begin() + range.first, line_.begin() + range.end, 0);
    // Noise's highest bin stays under eight times the band's mean nearly always: only then
    // is the median (dearer) needed. The sum in order (one long chain of additions) only
    // where the rough sum leaves the answer in doubt: it is off by far less than 1e-3.
    const size_t width = range.end - range.first;
    float rough = 0.0f;
    const float highest = BinKernels::peakAndRoughSum(power + range.first, width, &rough);
    const float peak = highest * static_cast<float>(width);
    if (peak < kPlainPeak * rough * (1.0f - 1e-3f)) return;
    if (peak <= kPlainPeak * rough * (1.0f + 1e-3f))
    {
        float sum = 0.0f;
        for (size_t i = range.first; i < range.end; ++i)
            sum += power[i];
        if (peak < kPlainPeak * sum) return;
    }
    scratch_.assign(power + range.first, power + range.end);
    auto middle = scratch_.begin() + static_cast<std::ptrdiff_t>(scratch_.size() / 2);
    std::nth_element(scratch_.begin(), middle, scratch_.end());
    const float limit = kLineOverMedian * *middle;
    for (size_t i = range.first; i < range.end; ++i)
    {
        if (!(power[i] > limit)) continue;
        const size_t from = std::max(range.first, i >= kLineBins ? i - kLineBins : 0);
        const size_t to = std::min(range.end, i + kLineBins + 1);
        std::fill(line_.begin() + from, line_.begin() + to, 1);
    }
}

bool DenoiseStage::noiseLike(const float* power, size_t band)
{
    return spreadOf(power, band) <= spreadLimit_[band];
}

void DenoiseStage::localMeans(const float* power)
{
    // Each bin's local mean: noise spreads around it the same whatever its colour, a voice's
    // harmonics or a note's partials stand far above it. Near the band's edges the bins
    // around are fewer.
    const size_t width = 2 * kLocalBins + 1;
    const float scale = 1.0f / static_cast<float>(width);
    float* __restrict local = local_.data();
    const size_t inner = firstBin_ + kLocalBins;
    const size_t innerEnd = lastBin_ + 1 >= kLocalBins ? lastBin_ + 1 - kLocalBins : 0;
    for (size_t i = inner; i < innerEnd; ++i)
    {
        float sum = 0.0f;
        for (size_t j = 0; j < width; ++j)
            sum += power[i - kLocalBins + j];
        local[i] = sum * scale;
    }
    for (size_t i = firstBin_; i <= lastBin_; ++i)
    {
        if (i == inner && inner < innerEnd) i = innerEnd;
        if (i > lastBin_) break;
        const size_t from = i >= firstBin_ + kLocalBins ? i - kLocalBins : firstBin_;
        const size_t to = std::min(lastBin_ + 1, i + kLocalBins + 1);
        float sum = 0.0f;
        for (size_t j = from; j < to; ++j)
            sum += power[j];
        local[i] = sum / static_cast<float>(to - from);
    }
}

void DenoiseStage::estimateNoise(Frame& newest)
{
    const float* power = newest.power.data();
    const double energy = BinKernels::bandEnergy(power + firstBin_, lastBin_ + 1 - firstBin_);
    // A frame still holding the padding before the start says nothing of the noise, nor
    // does the digital silence before the first sound (the delay of the stage before this
    // one); digital silence later on says there is none.
    if (energy >= kSilentFrame && frameCount_ >= frameSize_ / hop_) heard_ = true;
    // Nor does one mostly past the end of the signal analysed: the zeros that flush the
    // stream out would pull the noise down over the last second.
    const bool pastEnd = frameCount_ * hop_ > streamDelay_ + analysed_ + frameSize_ / 4;
    newest.silent = !heard_ || pastEnd;
    newest.estimated = true;
    const size_t count = lastBin_ + 1 - firstBin_;
    if (newest.silent)
    {
        std::copy(averaged_.begin() + firstBin_, averaged_.begin() + lastBin_ + 1,
                  newest.expectedNoise.begin() + firstBin_);
        return;
    }
    SpeechPresence::step(power + firstBin_, averaged_.data() + firstBin_,
                         presence_.data() + firstBin_, newest.expectedNoise.data() + firstBin_,
                         count);
    BinKernels::groupSums(power + firstBin_, newest.groupPower.data(), count, kGroupBins);
}

void DenoiseStage::estimateBackwards()
{
    // From the newest frame back to the one composed now, starting where the forward
    // estimate stands; the frames composed over the next kBackwardEvery hops keep theirs.
    BinKernels::groupSums(averaged_.data() + firstBin_, backwardNoise_.data(),
                          lastBin_ + 1 - firstBin_, kGroupBins);
    float* __restrict lowest = groupExpected_.data();
    std::fill(lowest, lowest + groups_, kUnknown);
    // The newest kStartFrames frames that were heard (past the end, the last of the signal).
    for (size_t back = 0, heard = 0; back <= track_ && heard < kStartFrames; ++back)
    {
        const Frame& frame = frameBack(back);
        if (frame.silent) continue;
        ++heard;
        const float* __restrict power = frame.groupPower.data();
        for (size_t g = 0; g < groups_; ++g)
            lowest[g] = std::min(lowest[g], power[g]);
    }
    for (size_t g = 0; g < groups_; ++g)
    {
        const float low = lowest[g] == kUnknown ? 0.0f : lowest[g];
        backwardNoise_[g] = std::max(kLeastNoise, std::max(backwardNoise_[g], low));
    }
    std::fill(backwardPresence_.begin(), backwardPresence_.end(), 0.0f);
    for (size_t back = 0; back <= track_; ++back)
    {
        // Every other frame, half a frame apart as in the estimator's paper, is enough here.
        Frame& frame = frameBack(back);
        if (!frame.silent && back % 2 == 0)
            SpeechPresence::step(frame.groupPower.data(), backwardNoise_.data(),
                                 backwardPresence_.data(), groupExpected_.data(), groups_,
                                 kNoiseAveraging * kNoiseAveraging,
                                 kPresenceAveraging * kPresenceAveraging);
        if (back + kBackwardEvery > track_)
            std::copy(backwardNoise_.begin(), backwardNoise_.end(), frame.groupNoise.begin());
    }
}

void DenoiseStage::estimateCeiling()
{
    // Each group's lowest power over the frames before and over those after the middle of
    // the frames composed next; the higher of the two, so that a noise that starts or stops
    // in reach is not cut under its level on the side where it sounds.
    const size_t reach = ceilingFrames_;
    if (reach == 0 || track_ < kBackwardEvery) return;
    const size_t middle = track_ - kBackwardEvery / 2;
    float* __restrict before = groupExpected_.data();
    float* __restrict after = backwardPresence_.data(); // free until the next backward run
    std::fill(before, before + groups_, kUnknown);
    std::fill(after, after + groups_, kUnknown);
    for (size_t back = middle - reach; back <= middle + reach; ++back)
    {
        const Frame& frame = frameBack(back);
        if (frame.silent) continue;
        float* __restrict side = back >= middle ? before : after;
        const float* __restrict power = frame.groupPower.data();
        for (size_t g = 0; g < groups_; ++g)
            side[g] = std::min(side[g], power[g]);
    }
    const float scale = kCeilingMargin * ceilingBias_;
    for (size_t g = 0; g < groups_; ++g)
    {
        // A side without a heard frame says nothing: the other holds alone.
        const float low = before[g] == kUnknown  ? after[g]
                          : after[g] == kUnknown ? before[g]
                                                 : std::max(before[g], after[g]);
        before[g] = low == kUnknown ? kUnknown : scale * low;
    }
    for (size_t back = track_ + 1 - kBackwardEvery; back <= track_; ++back)
        std::copy(before, before + groups_, frameBack(back).groupCeiling.begin());
}

void DenoiseStage::calibrateCeiling()
{
    // White noise through the same frames and groups: its mean power over the ceiling's
    // minima (which the window's overlap and the groups' width decide, not the signal).
    ceilingFrames_ =
        std::min(ceilingReach(track_), track_ >= kBackwardEvery ? track_ - kBackwardEvery / 2 : 0);
    if (ceilingFrames_ == 0 || groups_ == 0) return;
    const size_t span = 2 * ceilingFrames_ + 1;
    const size_t count = lastBin_ + 1 - firstBin_;
    CalibrationNoise noise(frameSize_, hop_);
    std::vector<float> groups(3 * span * groups_);
    for (size_t f = 0; f < 3 * span; ++f)
    {
        transformFrame(noise.advance());
        BinKernels::groupSums(power_.data() + firstBin_, groups.data() + f * groups_, count,
                              kGroupBins);
    }
    double mean = 0.0;
    for (float x : groups)
        mean += x;
    mean /= static_cast<double>(groups.size());
    double minima = 0.0;
    size_t counted = 0;
    for (size_t middle = ceilingFrames_; middle + ceilingFrames_ < 3 * span;
         middle += kBackwardEvery)
        for (size_t g = 0; g < groups_; ++g)
        {
            float before = kUnknown;
            float after = kUnknown;
            for (size_t f = middle - ceilingFrames_; f <= middle + ceilingFrames_; ++f)
            {
                float& side = f <= middle ? before : after;
                side = std::min(side, groups[f * groups_ + g]);
            }
            minima += std::max(before, after);
            ++counted;
        }
    ceilingBias_ = minima > 0.0 ? static_cast<float>(mean * counted / minima) : 1.0f;
}

void DenoiseStage::composeNoise(Frame& frame)
{
    // The expected noise averaged over the frames estimated either side of this one, then
    // over the neighbouring bins; the forward average itself before any was.
    const size_t count = lastBin_ + 1 - firstBin_;
    scratch_.assign(count, 0.0f);
    float* __restrict sum = scratch_.data();
    size_t frames = 0;
    for (size_t back = track_ - kAroundFrames; back <= track_ + kAroundFrames; ++back)
    {
        const Frame& other = frameBack(back);
        if (!other.estimated) continue;
        ++frames;
        BinKernels::addInto(sum, other.expectedNoise.data() + firstBin_, count);
    }
    if (frames == 0)
    {
        std::copy(averaged_.begin() + firstBin_, averaged_.begin() + lastBin_ + 1, sum);
        frames = 1;
    }
    // The backward estimate, where higher, lifts each group of bins to its level: a noise
    // that rises is one that falls, seen from after.
    const float scale = 1.0f / static_cast<float>(frames);
    for (size_t g = 0; g < groups_; ++g)
    {
        const size_t from = g * kGroupBins;
        const size_t to = std::min(count, from + kGroupBins);
        float forward = 0.0f;
        for (size_t i = from; i < to; ++i)
            forward += sum[i];
        const float noise =
            std::min(std::max(scale * forward, frame.groupNoise[g]), frame.groupCeiling[g]);
        const float lift = noise / std::max(kLeastNoise, forward);
        for (size_t i = from; i < to; ++i)
            sum[i] *= lift;
    }
    // A bin at either end is its own missing neighbour; the loop between them vectorises.
    float* __restrict around = around_.data();
    const size_t last = count - 1;
    around[0] = 0.25f * (sum[0] + sum[std::min<size_t>(1, last)]) + 0.5f * sum[0];
    for (size_t i = 1; i < last; ++i)
        around[i] = 0.25f * (sum[i - 1] + sum[i + 1]) + 0.5f * sum[i];
    if (last > 0) around[last] = 0.25f * (sum[last - 1] + sum[last]) + 0.5f * sum[last];
    const double total = toSamplePower(BinKernels::mixNoise(
        around, learntBins_.data() + firstBin_, frame.inverseNoise.data() + firstBin_, count,
        mix_.data() + firstBin_, kLeastNoise));
    lowestNoise_ = std::min(lowestNoise_, total);
    highestNoise_ = std::max(highestNoise_, total);
}

NoiseProfile::Estimate DenoiseStage::learn(size_t firstFitBin, size_t endFitBin)
{
    // The fit band in the stage's own bins; empty where the two do not meet.
    const size_t from = std::max(firstFitBin, firstBin_);
    const size_t end = std::min(endFitBin, lastBin_ + 1);
    NoiseProfile::Estimate estimate =
        end > from ? profile_.estimate(from - firstBin_, end - firstBin_) : profile_.estimate(0, 0);
    // How far the noise strays is judged once its slow moves are taken out: those the
    // tracking follows.
    const NoiseProfile::Estimate steadied =
        end > from ? steadyProfile_.estimate(from - firstBin_, end - firstBin_, true)
                   : steadyProfile_.estimate(0, 0);
    estimate.steadiedMisfit = steadied.misfit;
    bandMoves_.assign(bands_.size(), 0.0);
    bandWeights_.assign(bands_.size(), 0.0);
    for (size_t b = 0; b < bands_.size() && end > from; ++b)
    {
        const size_t first = bands_[b].first - firstBin_;
        const size_t last = bands_[b].end - firstBin_;
        double weight = 0.0;
        const double misfit = NoiseProfile::misfitOver(estimate, first, last, &weight);
        bandMoves_[b] = misfit - NoiseProfile::misfitOver(steadied, first, last);
        bandWeights_[b] = weight;
    }
    inverseNoise_.clear();
    learntNoise_ = 0.0;
    learntBandPower_ = 0.0;
    if (!estimate.noise.empty())
    {
        for (float noise : estimate.noise)
            learntBandPower_ += noise;
        learntNoise_ = toSamplePower(learntBandPower_);
        inverseNoise_.assign(plan_.bins(), 0.0f);
        for (size_t i = 0; i < estimate.noise.size(); ++i)
            inverseNoise_[firstBin_ + i] = 1.0f / (estimate.noise[i] + 1e-30f);
        // The learnt noise as the tracking mixes it in: from its inverse, as it is applied.
        learntBins_.assign(plan_.bins(), 0.0f);
        for (size_t i = firstBin_; i <= lastBin_; ++i)
            learntBins_[i] = 1.0f / inverseNoise_[i];
    }
    reset();
    return estimate;
}

void DenoiseStage::calibrateSpread()
{
    // White noise through the same frames: how widely noise's powers spread in each band.
    // It depends on the band's width and the window, not on the signal.
    CalibrationNoise noise(frameSize_, hop_);
    auto frame = [&] { transformFrame(noise.advance()); };
    std::vector<double> sum(bands_.size(), 0.0);
    std::vector<double> squares(bands_.size(), 0.0);
    const size_t spreadFrames = kCalibrationFrames / 4;
    for (size_t f = 0; f < spreadFrames; ++f)
    {
        frame();
        localMeans(power_.data());
        for (size_t b = 0; b < bands_.size(); ++b)
        {
            const double x = spreadOf(power_.data(), b);
            sum[b] += x;
            squares[b] += x * x;
        }
    }
    for (size_t b = 0; b < bands_.size(); ++b)
    {
        const double mean = sum[b] / spreadFrames;
        const double deviation = std::sqrt(std::max(0.0, squares[b] / spreadFrames - mean * mean));
        spreadLimit_[b] = static_cast<float>(mean + kSpreadDeviations * deviation);
    }
}

void DenoiseStage::setBandTracking(const std::vector<float>& perBand)
{
    mix_.assign(plan_.bins(), 0.0f);
    tracking_ = 0.0f;
    for (size_t b = 0; b < bands_.size() && b < perBand.size(); ++b)
    {
        std::fill(mix_.begin() + bands_[b].first, mix_.begin() + bands_[b].end, perBand[b]);
        tracking_ = std::max(tracking_, perBand[b]);
    }
    // Where nothing in the whole file looked like noise, there is none to follow: what the
    // tracking would find there is the sound itself, held on (a pad, a drone of notes).
    if (!learntBins_.empty())
        for (size_t i = firstBin_; i <= lastBin_; ++i)
            if (!(learntBins_[i] > kLeastNoise)) mix_[i] = 0.0f;
    if (!inverseNoise_.empty()) restartTracking();
}

void DenoiseStage::restartTracking()
{
    std::fill(presence_.begin(), presence_.end(), 0.0f);
    for (size_t i = 0; i < averaged_.size(); ++i)
        averaged_[i] = inverseNoise_[i] > 0.0f ? 1.0f / inverseNoise_[i] : kLeastNoise;
    for (Frame& frame : frames_)
    {
        std::copy(averaged_.begin(), averaged_.end(), frame.expectedNoise.begin());
        std::fill(frame.groupNoise.begin(), frame.groupNoise.end(), 0.0f);
        std::fill(frame.groupCeiling.begin(), frame.groupCeiling.end(), kUnknown);
        frame.silent = true;
        frame.estimated = false;
    }
    frameCount_ = 0;
    heard_ = false;
    lowestNoise_ = std::numeric_limits<double>::infinity();
    highestNoise_ = 0.0;
}

void DenoiseStage::reset()
{
    std::fill(input_.begin(), input_.end(), 0.0f);
    std::fill(overlap_.begin(), overlap_.end(), 0.0f);
    inputEnd_ = frameSize_;
    overlapStart_ = 0;
    std::fill(kept_.begin(), kept_.end(), 0.0f);
    for (Frame& frame : frames_)
    {
        std::fill(frame.spectrum.begin(), frame.spectrum.end(), std::complex<float>());
        std::fill(frame.power.begin(), frame.power.end(), 0.0f);
        std::fill(frame.forwardRatio.begin(), frame.forwardRatio.end(), 0.0f);
        if (!inverseNoise_.empty())
            std::copy(inverseNoise_.begin(), inverseNoise_.end(), frame.inverseNoise.begin());
    }
    if (!inverseNoise_.empty()) restartTracking();
    newest_ = 0;
    noiseBefore_ = 0.0;
    noiseAfter_ = 0.0;
    noiseFrames_ = 0;
    overNoise_.fill(0);
    streamer_.reset();
}

void DenoiseStage::countNoise(const Frame& frame, const float* gains)
{
    // The noise the frame holds as estimated, and what its gains let through; frames of
    // digital silence (the padding and the flush) hold none.
    const float* __restrict inverse = frame.inverseNoise.data();
    const float* __restrict power = frame.power.data();
    float noise = 0.0f, left = 0.0f, heard = 0.0f;
    for (size_t i = firstBin_; i <= lastBin_; ++i)
    {
        const float n = inverse[i] > 0.0f ? 1.0f / inverse[i] : 0.0f;
        noise += n;
        left += gains[i] * gains[i] * n;
        heard += power[i];
    }
    if (!(heard > 0.0f)) return;
    if (noise > 0.0f)
    {
        // Clamped as a float: a ratio past the float's range stays in the top class.
        const float over = std::floor(10.0f * std::log10(heard / noise)) - kOverNoiseFloorDb;
        const float top = static_cast<float>(overNoise_.size() - 1);
        ++overNoise_[static_cast<size_t>(std::clamp(over, 0.0f, top))];
    }
    noiseBefore_ += noise;
    noiseAfter_ += left;
    ++noiseFrames_;
}

double DenoiseStage::quietestOverNoise() const
{
    const size_t cls = classAtShare(overNoise_, 0.1);
    return cls < overNoise_.size() ? static_cast<double>(cls) + 0.5 + kOverNoiseFloorDb
                                   : std::numeric_limits<double>::quiet_NaN();
}

double DenoiseStage::framePowerDb(double share) const
{
    const size_t cls = classAtShare(framePowers_, share);
    return cls < framePowers_.size() ? static_cast<double>(cls) + kFrameFloorDb
                                     : std::numeric_limits<double>::quiet_NaN();
}

double DenoiseStage::framesOverLearnt(double share) const
{
    if (!(learntBandPower_ > 0.0)) return std::numeric_limits<double>::quiet_NaN();
    return framePowerDb(share) - 10.0 * std::log10(learntBandPower_);
}

double DenoiseStage::toSamplePower(double binPower) const
{
    // Both halves of the spectrum, over the frame and its Hann window's energy (3/8).
    const double size = static_cast<double>(frameSize_);
    return 2.0 * binPower / (size * size * 0.375);
}

const float* DenoiseStage::slide(const float* in, size_t step)
{
    // The last frameSize_ inputs move to the front only when the room after them runs out.
    if (inputEnd_ + step > input_.size())
    {
        std::memmove(input_.data(), input_.data() + inputEnd_ - frameSize_,
                     frameSize_ * sizeof(float));
        inputEnd_ = frameSize_;
    }
    std::memcpy(input_.data() + inputEnd_, in, step * sizeof(float));
    inputEnd_ += step;
    return input_.data() + inputEnd_ - frameSize_;
}

void DenoiseStage::process(const float* in, float* out, size_t count)
{
    streamer_.process(in, out, count);
}

void DenoiseStage::processHop(const float* in, float* out)
{
    newest_ = (newest_ + 1) % frames_.size();
    ++frameCount_;
    Frame& frame = frames_[newest_];
    // Transformed in the frame's own buffers, and transformed back from them.
    transformFrame(slide(in, hop_), frame.spectrum.data(), frame.power.data());
    Frame& oldest = frameBack(track_ + kLookahead);
    if (active())
    {
        // The frame track_ back has the window of the minimum ahead of it and the frames
        // averaged either side of it in the ring.
        Frame& tracked = frameBack(track_);
        noiseOf(frame, tracked);
        bySmoothing(
            [&](size_t first, size_t end, float smoothing)
            {
                BinKernels::directedStep(tracked.power.data() + first,
                                         tracked.inverseNoise.data() + first, kept_.data() + first,
                                         tracked.forwardRatio.data() + first, end - first,
                                         smoothing, static_cast<float>(strength_.floor));
            });
        applyGain(oldest);
    }
    plan_.inverse(oldest.spectrum.data());
    overlapAdd(out);
}

void DenoiseStage::noiseOf(Frame& newest, Frame& tracked)
{
    if (tracking_ > 0.0f)
    {
        // The noise is composed every kComposeEvery frames (a frame apart, the estimates
        // averaged over nine frames barely differ); the frames between take the noise of
        // the one before.
        estimateNoise(newest);
        if (frameCount_ % kBackwardEvery == 0)
        {
            estimateBackwards();
            estimateCeiling();
        }
        if (frameCount_ % kComposeEvery == 0)
        {
            composeNoise(tracked);
        }
        else
        {
            const Frame& before = frameBack(track_ + 1);
            std::copy(before.inverseNoise.begin(), before.inverseNoise.end(),
                      tracked.inverseNoise.begin());
        }
    }
    else
    {
        std::copy(inverseNoise_.begin(), inverseNoise_.end(), tracked.inverseNoise.begin());
    }
    // Under the lowest voice nothing is speech: a noise learnt there is all the bin holds,
    // unless the bin stands, over the frames around, as far over the noise tracked there as
    // speech would: that is the recording's own (a sample's offset swelling with each note).
    for (size_t i = firstBin_; i < std::min(infrasonic_, lastBin_ + 1); ++i)
        if (learntBins_[i] > kLeastNoise &&
            aroundPower(i) * tracked.inverseNoise[i] < kPresentRatio)
            tracked.inverseNoise[i] =
                std::min(tracked.inverseNoise[i], 1.0f / std::max(kLeastNoise, tracked.power[i]));
}

float DenoiseStage::aroundPower(size_t bin)
{
    float sum = 0.0f;
    for (size_t back = track_ - kAroundFrames; back <= track_ + kAroundFrames; ++back)
        sum += frameBack(back).power[bin];
    return sum / static_cast<float>(2 * kAroundFrames + 1);
}

void DenoiseStage::overlapAdd(float* out)
{
    const float* time = plan_.time();
    const float scale = 1.0f / (kOverlapGain * static_cast<float>(frameSize_));
    float* overlap = overlap_.data() + overlapStart_;
    BinKernels::addWindowed(overlap, time, window_.data(), scale, frameSize_);
    std::memcpy(out, overlap, hop_ * sizeof(float));
    // The sums still open move to the front only when the room after them runs out; all
    // beyond them stays 0.
    overlapStart_ += hop_;
    if (overlapStart_ + frameSize_ > overlap_.size())
    {
        std::memmove(overlap_.data(), overlap_.data() + overlapStart_,
                     (frameSize_ - hop_) * sizeof(float));
        std::fill(overlap_.begin() + static_cast<std::ptrdiff_t>(frameSize_ - hop_), overlap_.end(),
                  0.0f);
        overlapStart_ = 0;
    }
}

template <typename Step> void DenoiseStage::bySmoothing(Step step) const
{
    const size_t end = lastBin_ + 1;
    const size_t from = std::clamp(speechFirst_, firstBin_, end);
    const size_t to = std::clamp(speechEnd_, from, end);
    if (from > firstBin_) step(firstBin_, from, static_cast<float>(strength_.smoothing));
    if (to > from) step(from, to, static_cast<float>(strength_.speechSmoothing));
    if (end > to) step(to, end, static_cast<float>(strength_.aboveSmoothing));
}

void DenoiseStage::applyGain(Frame& oldest)
{
    const float floor = static_cast<float>(strength_.floor);
    const size_t count = lastBin_ + 1 - firstBin_;
    // Backwards from the newest tracked frame to the oldest, starting from nothing kept.
    static_assert(kLookahead + 1 == kBackwardSteps, "the backward steps span the lookahead");
    const float exponent = static_cast<float>(exponent_);
    std::complex<float>* spectrum = oldest.spectrum.data();
    float* gains = gains_.data();
    bySmoothing(
        [&](size_t first, size_t end, float smoothing)
        {
            const float* powers[kBackwardSteps];
            const float* inverses[kBackwardSteps];
            for (size_t step = 0; step < kBackwardSteps; ++step)
            {
                const Frame& frame = frameBack(track_ + step);
                powers[step] = frame.power.data() + first;
                inverses[step] = frame.inverseNoise.data() + first;
            }
            BinKernels::backwardGains(powers, inverses, oldest.forwardRatio.data() + first,
                                      gains + first, end - first, smoothing, floor);
        });
    // Over frequency too (a quarter from each neighbouring bin), so that a lone bin's gain
    // does not flicker into musical noise.
    float* __restrict smoothed = smoothed_.data();
    if (lastBin_ == firstBin_)
    {
        smoothed[firstBin_] = gains[firstBin_];
    }
    else
    {
        smoothed[firstBin_] =
            0.25f * (gains[firstBin_] + gains[firstBin_ + 1]) + 0.5f * gains[firstBin_];
        BinKernels::smoothGains(gains, smoothed, firstBin_ + 1, lastBin_);
        smoothed[lastBin_] =
            0.25f * (gains[lastBin_ - 1] + gains[lastBin_]) + 0.5f * gains[lastBin_];
    }
    // Smoothing is for lone noise bins; noise alone stands kClearOfNoise over its mean in one
    // bin of 22,000, so a bin standing that high is signal and keeps its own gain (the skirts
    // of a held note's partial are not pulled down by the hiss beside them).
    BinKernels::keepClearGains(oldest.power.data() + firstBin_,
                               oldest.inverseNoise.data() + firstBin_, gains + firstBin_,
                               smoothed + firstBin_, count, kClearOfNoise);
    if (exponent < 1.0f)
        for (size_t i = firstBin_; i <= lastBin_; ++i)
            smoothed[i] = std::pow(smoothed[i], exponent);
    // Every fourth frame tells how far the noise went down as well as all would, at a
    // quarter of the cost on this hot path.
    if (frameCount_ % 4 == 0) countNoise(oldest, smoothed);
    // A complex value is its two parts side by side: both scaled alike, in one loop.
    BinKernels::scaleParts(reinterpret_cast<float*>(spectrum + firstBin_), smoothed + firstBin_,
                           count);
}

} // namespace companion
