#pragma once

#include <cstdio>
#include <string>

#include "AAX.h"

namespace orv::apps
{

// A one-line progress bar on a terminal, redrawn in place only when the shown percentage
// changes. Draws nothing when the stream is not a terminal.
class ProgressBar
{
public:
    explicit ProgressBar(std::FILE* stream);
    // Shows label with done out of total; the line is finished when done reaches total.
    void Show(const std::string& label, int64 done, int64 total);

private:
    std::FILE* mStream;
    bool mEnabled;
    std::string mLabel;
    int mShown = -1;
};

} // namespace orv::apps
