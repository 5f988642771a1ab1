#pragma once

#include "FileLockTable.h"
#include "Log.h"
#include "Request.h"

#include <atomic>
#include <string>

namespace companion
{

// Carries out one "process" request: checks the path, opens the interface file, streams it
// through the switched-on tools into a temporary file beside it, syncs it and renames it
// over the original. With no tool on, or no samples, the file already is the result and is
// left as it is. On any failure, or when told to stop, the original is left untouched
// and nothing else stays behind; temporaries that a killed companion left in the folder
// are removed on the way. Safe to call from several threads; one file is processed by one
// call at a time.
class ProcessingPipeline
{
public:
    ProcessingPipeline(FileLockTable& locks, Log& log) : locks_(locks), log_(log) {}

    struct Outcome
    {
        bool replaced = false;
        std::string message; // what was done, or why not, for the log
        // Why the request failed, for the client; empty when the file was replaced or was
        // already the result (no tool on, no samples).
        std::string error;
        // For the user: per tool, what it found and did ("De-hum 50 Hz: no hum found, left
        // as it was; Gain +3 dB: applied"); also when there was nothing to do.
        std::string report;
    };

    // Gives up, leaving the file as it was, once `*stop` turns true (checked at each block).
    // Keeps the fraction done over all passes in `*done`.
    Outcome run(const Request& request, const std::atomic<bool>* stop = nullptr,
                std::atomic<double>* done = nullptr);

private:
    FileLockTable& locks_;
    Log& log_;
};

} // namespace companion
