#pragma once

#include "FileLockTable.h"
#include "Log.h"
#include "Request.h"

#include <string>

namespace companion
{

// Carries out one "process" request: checks the path, opens the interface file, streams it
// through the switched-on tools into a temporary file beside it, syncs it and renames it
// over the original. On any failure the original is left untouched and nothing else stays
// behind. Safe to call from several threads; one file is processed by one call at a time.
class ProcessingPipeline
{
public:
    ProcessingPipeline(FileLockTable& locks, Log& log) : locks_(locks), log_(log) {}

    struct Outcome
    {
        bool replaced = false;
        std::string message; // what was done, or why not
    };

    Outcome run(const Request& request);

private:
    FileLockTable& locks_;
    Log& log_;
};

} // namespace companion
