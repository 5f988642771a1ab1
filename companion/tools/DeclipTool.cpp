#include "DeclipTool.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

namespace companion
{

namespace
{
// About 40 ms: the model must span a few pitch periods to carry a voice across the runs.
size_t frameFor(double sampleRate)
{
    return ArModel::frameLength(sampleRate, 0.05);
}
constexpr size_t kFramesPerBlock = 8;
// Janssen rounds: each fits the models on the signal as rebuilt so far (and starts from
// the samples the last held at the level).
constexpr int kRounds = 3;
// Magnitude histogram: 0.01 dB bins from -100 dBFS to +60 dBFS.
constexpr double kBinDb = 0.01;
constexpr double kFloorDb = -100.0;
constexpr int kBins = 16000;
constexpr float kFloorMagnitude = 1e-5f; // -100 dBFS
// Samples more than 3.1 dB under their side's peak fall below the bins that decide the level.
constexpr float kBelowTop = 0.6998f;
// The largest sample a host writing an integer file keeps: just under 0 dBFS.
constexpr double kCeiling = 32767.0 / 32768.0;
// Clipped speech and music hold the level for at most a millisecond or two (a half period
// of a low voice cut hard: 1.4 ms at most on speech left at 3 dB); a longer run is a square
// wave, a limiter or DC at the rail, and a rebuild would only invent a waveform.
constexpr double kLongestRunSeconds = 0.005;
// A side at the level for more than this share of its samples is a square wave or a
// limited master (heavily clipped speech holds a quarter at most, a sine cut at half its
// amplitude two thirds).
constexpr double kMostOfTheSide = 0.8;
// Fewer samples at the level than this are a natural peak, not a pile.
constexpr uint64_t kFewestClipped = 8;

int binOf(float magnitude)
{
    if (!(magnitude > 0.0f)) return -1;
    const double at = (20.0 * std::log10(static_cast<double>(magnitude)) - kFloorDb) / kBinDb;
    if (at < 0.0) return -1;
    return static_cast<int>(std::min<double>(at, kBins - 1));
}

double magnitudeOf(int bin)
{
    return std::pow(10.0, (kFloorDb + bin * kBinDb) / 20.0);
}

// A clipped side piles samples into its top two bins (0.02 dB) far above the density just
// below; a natural peak holds a sample or two there. Returns the lower edge of the pile,
// or 0 when there is none.
double clipLevel(const std::vector<uint64_t>& histogram, uint64_t belowTop, bool& mostOfTheSide)
{
    int top = kBins - 1;
    while (top >= 0 && histogram[top] == 0)
        --top;
    if (top < 300) return 0.0;
    const uint64_t pile = histogram[top] + histogram[top - 1];
    uint64_t below = 0;
    for (int b = top - 300; b < top - 50; ++b)
        below += histogram[b];
    const double perTwoBins = 2.0 * static_cast<double>(below) / 250.0;
    if (pile < kFewestClipped || static_cast<double>(pile) < 4.0 * perTwoBins) return 0.0;
    uint64_t total = belowTop;
    for (uint64_t count : histogram)
        total += count;
    if (static_cast<double>(pile) > kMostOfTheSide * static_cast<double>(total))
    {
        mostOfTheSide = true;
        return 0.0;
    }
    return magnitudeOf(top - 1);
}
} // namespace

DeclipTool::DeclipTool(double sampleRate, size_t keptInMemory)
    : frame_(frameFor(sampleRate)),
      longestRun_(static_cast<size_t>(std::max(1.0, kLongestRunSeconds * sampleRate))),
      order_(static_cast<int>(std::clamp<double>(std::round(sampleRate / 1000.0), 8.0, 64.0))),
      window_(kFramesPerBlock * frame_, 2 * frame_),
      streamer_(kFramesPerBlock * frame_,
                [this](const float* in, float* out) { rebuildBlock(in, out); }),
      fits_(kFramesPerBlock), positive_(kBins, 0), negative_(kBins, 0), cache_(keptInMemory)
{
}

void DeclipTool::analyze(const float* in, size_t count)
{
    if (pass_ == 0)
    {
        countMagnitudes(in, count);
        return;
    }
    if (!clipped_) return;
    scratch_.resize(count);
    streamer_.process(in, scratch_.data(), count);
}

void DeclipTool::countMagnitudes(const float* in, size_t count)
{
    // Only the top 3 dB of a side decide its level (clipLevel() looks 300 bins down at
    // most): a sample further below the side's peak so far counts towards its total alone.
    for (size_t i = 0; i < count; ++i)
    {
        const float magnitude = std::fabs(in[i]);
        const int side = in[i] > 0.0f ? 0 : 1;
        if (magnitude < kBelowTop * sidePeak_[side])
        {
            belowTop_[side] += magnitude >= kFloorMagnitude;
            continue;
        }
        sidePeak_[side] = std::max(sidePeak_[side], magnitude);
        const int bin = binOf(magnitude);
        if (bin >= 0) (side == 0 ? positive_ : negative_)[bin]++;
    }
}

void DeclipTool::finishAnalysis()
{
    if (pass_ == 0)
    {
        pass_ = 1;
        decideLevels();
        reset();
        return;
    }
    if (pass_ != 1 || !clipped_)
    {
        pass_ = 2;
        return;
    }
    // Flush the blocks still held, so their rebuilt peaks count too.
    const std::vector<float> zeros(latency(), 0.0f);
    scratch_.resize(zeros.size());
    streamer_.process(zeros.data(), scratch_.data(), zeros.size());
    longRunsFound_ = longRuns_;
    // With the long runs set aside, a few samples touching the level are the peaks of
    // the rest, no pile: nothing is clipped; nor where every sample at the level was a
    // smooth peak.
    if (samples_ == 0 || (samples_ < static_cast<long>(kFewestClipped) && longRuns_ > 0))
    {
        clipped_ = false;
        pass_ = 2;
        reset();
        return;
    }
    gain_ = samples_ > 0 && peak_ > kCeiling ? kCeiling / peak_ : 1.0;
    if (cacheOpen_) cachedBlocks_ = blocks_;
    pass_ = 2;
    reset();
}

void DeclipTool::decideLevels()
{
    high_ = clipLevel(positive_, belowTop_[0], mostOfTheSide_);
    low_ = -clipLevel(negative_, belowTop_[1], mostOfTheSide_);
    highClipped_ = high_ > 0.0;
    lowClipped_ = low_ < 0.0;
    clipped_ = highClipped_ || lowClipped_;
    positive_ = {};
    negative_ = {};
}

void DeclipTool::process(const float* in, float* out, size_t count)
{
    if (!clipped_)
    {
        if (in != out) std::copy(in, in + count, out);
        return;
    }
    streamer_.process(in, out, count);
    if (gain_ == 1.0) return;
    const float gain = static_cast<float>(gain_);
    for (size_t i = 0; i < count; ++i)
        out[i] *= gain;
}

void DeclipTool::reset()
{
    streamer_.reset();
    window_.reset();
    runs_ = 0;
    samples_ = 0;
    longRuns_ = 0;
    peak_ = 0.0;
    blocks_ = 0;
    cache_.rewind();
}

std::string DeclipTool::finding() const
{
    if (mostOfTheSide_ && !clipped_)
        return "at full scale most of the time (a square wave or a limited master, not "
               "clipping), left as it was";
    const double level = std::max(highClipped_ ? high_ : 0.0, lowClipped_ ? -low_ : 0.0);
    char text[160];
    const long longRuns = longRunsFound_;
    const bool one = longRuns == 1;
    if (runs_ == 0 && longRuns > 0)
    {
        std::snprintf(text, sizeof text,
                      "%ld run%s at %.1f dBFS too long to be clipping, left as %s", longRuns,
                      one ? "" : "s", 20.0 * std::log10(level), one ? "it was" : "they were");
        return text;
    }
    if (!clipped_ || runs_ == 0) return "no clipping found, left as it was";
    std::snprintf(text, sizeof text, "clipped at %.1f dBFS, %ld runs (%ld samples) rebuilt, ",
                  20.0 * std::log10(level), runs_, samples_);
    std::string finding = text;
    if (gain_ < 1.0)
    {
        std::snprintf(text, sizeof text, "lowered %.1f dB to fit", -20.0 * std::log10(gain_));
        finding += text;
    }
    else
        finding += "level kept";
    if (longRuns > 0)
    {
        std::snprintf(text, sizeof text, "; %ld run%s too long to be clipping left as %s", longRuns,
                      one ? "" : "s", one ? "it was" : "they were");
        finding += text;
    }
    return finding;
}

void DeclipTool::rebuildBlock(const float* in, float* out)
{
    window_.push(in);
    const float* x = window_.samples();
    work_.assign(x, x + window_.size());
    findRuns();
    findGroups();
    const size_t block = blocks_++;
    if (!groups_.empty())
    {
        size_t unknowns = 0;
        for (const auto& group : groups_)
            for (size_t k = group.first; k < group.second; ++k)
                unknowns += side_[k] != 0;
        // The output pass takes what the measuring pass rebuilt; the same blocks come in the same
        // order.
        rebuilt_.resize(unknowns);
        if (pass_ > 1 && block < cachedBlocks_ && cache_.read(rebuilt_.data(), unknowns))
        {
            size_t at = 0;
            forEachUnknown([&](size_t k) { work_[k] = rebuilt_[at++]; });
        }
        else
        {
            held_.assign(work_.size(), 0);
            for (FrameFit& fit : fits_)
                fit.correlated = false;
            for (int round = 0; round < kRounds; ++round)
                rebuildGroups();
            keep(block, unknowns);
        }
        hand();
    }
    const float* core = window_.core();
    const size_t length = window_.coreEnd() - window_.coreBegin();
    for (size_t i = 0; i < length; ++i)
        peak_ = std::max(peak_, static_cast<double>(std::fabs(core[i])));
    std::copy(core, core + length, out);
}

void DeclipTool::findRuns()
{
    const size_t n = window_.size();
    const float* x = window_.samples();
    const uint8_t* marks = window_.marks();
    // Without branches, against the float levels that split the samples as the double ones
    // do; a side not clipped has a level (NaN) no sample reaches.
    side_.resize(n);
    float high = std::numeric_limits<float>::quiet_NaN();
    float low = high;
    if (highClipped_)
    {
        high = static_cast<float>(high_);
        if (high < high_) high = std::nextafter(high, HUGE_VALF);
    }
    if (lowClipped_)
    {
        low = static_cast<float>(low_);
        if (low > low_) low = std::nextafter(low, -HUGE_VALF);
    }
    for (size_t i = 0; i < n; ++i)
        side_[i] = static_cast<int8_t>(((x[i] >= high) - (x[i] <= low)) & (marks[i] ? 0 : -1));
    // Runs too long to be clipping stay as they are (and count once, in the core they start in).
    for (size_t i = 0; i < n;)
    {
        if (!side_[i])
        {
            ++i;
            continue;
        }
        size_t end = i + 1;
        while (end < n && side_[end] == side_[i])
            ++end;
        if (end - i > longestRun_ || i == 0 || end == n)
        {
            if (i >= window_.coreBegin() && i < window_.coreEnd() && i > 0) ++longRuns_;
            std::fill(side_.begin() + i, side_.begin() + end, 0);
        }
        else if (end == i + 1 && naturalPeak(x, i, n))
        {
            side_[i] = 0;
        }
        i = end;
    }
}

bool DeclipTool::naturalPeak(const float* x, size_t i, size_t n) const
{
    // A lone sample at the level that stands at least as far out as the cubic through the
    // two samples either side puts it is the top of a smooth curve, not a cut one: a tone
    // whose period is a whole number of samples lays every peak on the same value.
    if (i < 2 || i + 2 >= n) return false;
    const double curve =
        (4.0 * (static_cast<double>(x[i - 1]) + x[i + 1]) - x[i - 2] - x[i + 2]) / 6.0;
    return side_[i] > 0 ? x[i] >= curve : x[i] <= curve;
}

void DeclipTool::findGroups()
{
    // Runs closer together than the model order share residuals: solved as one group.
    const size_t n = window_.size();
    const size_t p = static_cast<size_t>(order_);
    groups_.clear();
    for (size_t i = window_.coreBegin(); i < window_.coreEnd(); ++i)
    {
        if (!side_[i]) continue;
        size_t end = i + 1;
        for (size_t k = end; k < n - p && k <= end + p; ++k)
            if (side_[k]) end = k + 1;
        end = std::min(end, n - p);
        groups_.emplace_back(i, end);
        i = end;
    }
}

template <typename Function> void DeclipTool::forEachUnknown(Function function) const
{
    for (const auto& group : groups_)
        for (size_t k = group.first; k < group.second; ++k)
            if (side_[k]) function(k);
}

void DeclipTool::keep(size_t block, size_t unknowns)
{
    if (pass_ != 1 || !cacheOpen_) return;
    rebuilt_.clear();
    forEachUnknown([&](size_t k) { rebuilt_.push_back(static_cast<float>(work_[k])); });
    if (cache_.append(rebuilt_.data(), unknowns)) return;
    cacheOpen_ = false;
    cachedBlocks_ = block;
}

void DeclipTool::hand()
{
    float* samples = window_.samples();
    uint8_t* writable = window_.marks();
    for (const auto& group : groups_)
        for (size_t k = group.first; k < group.second; ++k)
            if (side_[k])
            {
                samples[k] = static_cast<float>(work_[k]);
                writable[k] = 1;
                ++samples_;
                if (k == group.first || !side_[k - 1]) ++runs_;
            }
}

void DeclipTool::rebuildGroups()
{
    // One model per frame, fitted on the clipped signal first (its spectrum is closer than
    // that of the unclipped samples alone, which lack every peak), then on the rebuilt one.
    size_t fittedFrame = SIZE_MAX;
    // Each round starts from the samples the last one held at the level.
    ArModel::Bounds bounds{side_.data(), high_, low_, held_.data()};
    std::vector<size_t> unknown;
    for (const auto& group : groups_)
    {
        const size_t middle = (group.first + group.second) / 2;
        size_t frame = (std::min(middle, window_.coreEnd() - 1) - window_.coreBegin()) / frame_;
        if (frame != fittedFrame)
        {
            if (!fitFrame(frame)) continue;
            fittedFrame = frame;
        }
        unknown.clear();
        for (size_t k = group.first; k < group.second; ++k)
            if (side_[k]) unknown.push_back(k);
        model_.interpolate(work_.data(), work_.size(), unknown, bounds);
    }
}

bool DeclipTool::fitFrame(size_t frame)
{
    // Between fits only the rebuilt samples move: the frame's autocorrelation is worked out
    // once and then brought up to date with them alone.
    const size_t fitLength = 2 * frame_;
    const size_t fitBegin = window_.coreBegin() + frame * frame_ - frame_ / 2;
    const double* x = work_.data() + fitBegin;
    FrameFit& fit = fits_[frame];
    if (!fit.correlated)
    {
        model_.autocorrelate(x, nullptr, fitLength, order_, fit.autocorrelation);
        fit.unknowns.clear();
        for (size_t t = 0; t < fitLength; ++t)
            if (side_[fitBegin + t]) fit.unknowns.push_back(t);
        fit.correlated = true;
    }
    else
    {
        before_.assign(x, x + fitLength);
        for (size_t i = 0; i < fit.unknowns.size(); ++i)
            before_[fit.unknowns[i]] = fit.values[i];
        model_.updateAutocorrelation(x, before_.data(), fit.unknowns, fitLength,
                                     fit.autocorrelation);
    }
    fit.values.clear();
    for (size_t t : fit.unknowns)
        fit.values.push_back(x[t]);
    return model_.fitAutocorrelation(fit.autocorrelation);
}

} // namespace companion
