#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orv::host::validator
{

// A loopback companion on port 51121 whose behaviour the caller scripts: it processes the
// interface file the way the real one does (a gain), or misbehaves in one of the ways a
// companion can fail the plug-in. Each connection: read one request up to its line feed,
// act, close. Started and stopped by its owner (the destructor stops it); the owner makes
// sure nothing else needs the port meanwhile (test suites using it are declared PORT).
class FaultCompanion
{
public:
    enum class Behaviour
    {
        // "process": multiply the interface file's samples by the gain, write the result
        // beside it with libsndfile (32-bit float WAV) and rename it over the file.
        kProcessWithGain,
        // "process": replace the interface file with the given bytes (garbage included).
        kOverwriteFile,
        // Close the connection as soon as the request arrived, writing nothing.
        kCloseWithoutAnswer,
        // "process": write the processed samples into the interface file itself (same
        // inode, a new modification time) and close without an answer.
        kRewriteInPlace,
        // "parameters": answer with the given text, then close.
        kAnswerParameters,
        // "process": the processed samples, written at twice the file's sample rate.
        kWrongRate,
        // "process": the processed samples with the length change applied (at least one
        // sample is dropped or added; never below zero samples).
        kWrongLength,
        // "process": the processed file, then cut to the given number of bytes (at least
        // one byte shorter than it was).
        kTruncate,
        // "process": the processed samples with NaN, +infinity and -infinity in turn at the
        // poisoned positions (those inside the file).
        kPoisonSamples,
        // "process": answer the failure line {"error":"<the given answer text>"} and leave
        // the file as it is.
        kAnswerFailure,
        // Send the given answer (a progress line, say, or nothing), then not a byte more:
        // the connection stays open until the client closes it or the companion stops.
        kGoSilent,
        // Send the given answer one byte a second, then close.
        kDrip,
    };

    FaultCompanion() = default;
    ~FaultCompanion();
    FaultCompanion(const FaultCompanion&) = delete;
    FaultCompanion& operator=(const FaultCompanion&) = delete;

    // Listens on 127.0.0.1:51121; false when the port cannot be taken.
    bool Start();
    void Stop();
    bool IsRunning() const { return mThread.joinable(); }

    void SetBehaviour(Behaviour behaviour);
    void SetGain(float gain);
    void SetFileBytes(std::vector<unsigned char> bytes);
    void SetAnswer(std::string answer);
    void SetLengthChange(std::int64_t samples);
    void SetKeptBytes(std::uint64_t bytes);
    void SetPoisonedSamples(std::vector<std::int64_t> positions);

    // Every request received so far, bytes as they arrived (line feed included).
    std::vector<std::string> Requests() const;
    // The samples of the last file written by a processing behaviour (before any cut).
    std::vector<float> LastOutput() const;
    // The interface file path named by the last "process" request, or empty.
    std::string LastInputPath() const;
    // The bytes that file held when the request arrived (empty for one over 16 MiB): the
    // plug-in removes it once its pass ends, so this copy is what is left to examine.
    std::vector<unsigned char> LastInputBytes() const;
    // That file's permission bits when the request arrived, 0 when it was not there.
    unsigned LastInputMode() const;
    // Forgets the requests and the last output.
    void ClearRecord();

    // The line a companion that cannot process a file answers: {"error":"<reason>"} and a
    // line feed (reason taken as it is, unescaped).
    static std::string FailureLine(const std::string& reason);

    // The value of "input" in a "process" request, or empty.
    static std::string InputPathOf(const std::string& request);

private:
    void Serve();
    void Handle(int connection);
    // Reads path, applies the gain and the behaviour's damage, writes the result over path;
    // false when the file cannot be read or written.
    bool Process(const std::string& path, Behaviour behaviour);
    void KeepInputBytes(const std::string& path);
    void Overwrite(const std::string& path);
    void Cut(const std::string& path);
    // Waits until the client closes or the companion stops.
    void HoldOpen(int connection) const;
    void Drip(int connection, const std::string& answer) const;

    mutable std::mutex mMutex;
    Behaviour mBehaviour = Behaviour::kProcessWithGain;
    float mGain = 1.0f;
    std::vector<unsigned char> mFileBytes;
    std::string mAnswer;
    std::int64_t mLengthChange = 1;
    std::uint64_t mKeptBytes = 0;
    std::vector<std::int64_t> mPoisoned;
    std::vector<std::string> mRequests;
    std::vector<float> mLastOutput;
    std::string mLastInputPath;
    std::vector<unsigned char> mLastInputBytes;
    unsigned mLastInputMode = 0;

    int mListener = -1;
    std::atomic<bool> mStopping{false};
    std::thread mThread;
};

} // namespace orv::host::validator
