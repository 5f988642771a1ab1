#pragma once

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orv::test
{

// A loopback companion for the test suite on port 51121, with scriptable behaviour. Each
// connection: read one request up to its line feed, act, close. Started and stopped by the
// test that owns it (the destructor stops it); suites using it are declared PORT so that
// no two run at once.
class TestCompanion
{
public:
    enum class Behaviour
    {
        // "process": multiply the interface file's samples by the gain, write the result
        // beside it with libsndfile (32-bit float WAV) and rename it over the file.
        kProcessWithGain,
        // "process": replace the interface file with the given bytes.
        kOverwriteFile,
        // Close the connection as soon as the request arrived, writing nothing.
        kCloseWithoutAnswer,
        // "parameters": answer with the given text, then close.
        kAnswerParameters,
    };

    TestCompanion() = default;
    ~TestCompanion();
    TestCompanion(const TestCompanion&) = delete;
    TestCompanion& operator=(const TestCompanion&) = delete;

    // Listens on 127.0.0.1:51121; false when the port cannot be taken.
    bool Start();
    void Stop();

    void SetBehaviour(Behaviour behaviour);
    void SetGain(float gain);
    void SetFileBytes(std::vector<unsigned char> bytes);
    void SetAnswer(std::string answer);

    // Every request received so far, bytes as they arrived (line feed included).
    std::vector<std::string> Requests() const;
    // The samples of the last file written in kProcessWithGain.
    std::vector<float> LastOutput() const;
    // The interface file path named by the last "process" request, or empty.
    std::string LastInputPath() const;

    // The value of "input" in a "process" request, or empty.
    static std::string InputPathOf(const std::string& request);

private:
    void Serve();
    void Handle(int connection);
    void Process(const std::string& path);

    mutable std::mutex mMutex;
    Behaviour mBehaviour = Behaviour::kProcessWithGain;
    float mGain = 1.0f;
    std::vector<unsigned char> mFileBytes;
    std::string mAnswer;
    std::vector<std::string> mRequests;
    std::vector<float> mLastOutput;
    std::string mLastInputPath;

    int mListener = -1;
    std::atomic<bool> mStopping{false};
    std::thread mThread;
};

} // namespace orv::test
