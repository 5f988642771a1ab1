#include "SampleSpill.h"

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include <fcntl.h>
#include <unistd.h>

namespace companion
{

namespace
{
// pread and pwrite until the whole range is through: both may stop short or be interrupted.
template <typename Byte, typename Transfer>
bool transferAll(Byte* bytes, size_t left, off_t at, Transfer transfer)
{
    while (left > 0)
    {
        const ssize_t done = transfer(bytes, left, at);
        if (done < 0 && errno == EINTR) continue;
        if (done <= 0) return false;
        bytes += done;
        left -= static_cast<size_t>(done);
        at += done;
    }
    return true;
}

bool writeAll(int fd, const float* x, size_t count, off_t at)
{
    return transferAll(reinterpret_cast<const char*>(x), count * sizeof(float), at,
                       [fd](const char* b, size_t n, off_t o) { return ::pwrite(fd, b, n, o); });
}

bool readAll(int fd, float* x, size_t count, off_t at)
{
    return transferAll(reinterpret_cast<char*>(x), count * sizeof(float), at,
                       [fd](char* b, size_t n, off_t o) { return ::pread(fd, b, n, o); });
}
} // namespace

SampleSpill::SampleSpill(size_t memorySamples) : memorySamples_(memorySamples) {}

bool SampleSpill::append(const float* x, size_t count)
{
    // Once one append has gone to the file, every later one does: the order stays simple.
    if (!spilling_ && memory_.size() + count <= memorySamples_)
    {
        // Reserved whole at once, no copy on growth: only the pages written are touched.
        if (memory_.capacity() < memorySamples_) memory_.reserve(memorySamples_);
        memory_.insert(memory_.end(), x, x + count);
        return true;
    }
    spilling_ = true;
    if (!file_.valid() && !openFile()) return false;
    if (!writeAll(file_.get(), x, count, static_cast<off_t>(fileSamples_ * sizeof(float))))
        return false; // a partial write lies past fileSamples_ and is never read
    fileSamples_ += count;
    return true;
}

bool SampleSpill::openFile()
{
    const char* dirs[] = {std::getenv("TMPDIR"), "/tmp"};
    for (const char* dir : dirs)
    {
        if (!dir || !*dir) continue;
        file_.reset(::open(dir, O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
        if (file_.valid()) return true;
    }
    return false;
}

bool SampleSpill::read(float* x, size_t count)
{
    if (readAt_ + count > size()) return false;
    const size_t fromMemory = readAt_ < memory_.size() ? std::min(count, memory_.size() - readAt_) : 0;
    std::copy_n(memory_.data() + readAt_, fromMemory, x);
    const size_t fromFile = count - fromMemory;
    if (fromFile > 0 &&
        !readAll(file_.get(), x + fromMemory, fromFile,
                 static_cast<off_t>((readAt_ + fromMemory - memory_.size()) * sizeof(float))))
    {
        readAt_ = size(); // the samples after these would no longer line up
        return false;
    }
    readAt_ += count;
    return true;
}

void SampleSpill::rewind()
{
    readAt_ = 0;
}

} // namespace companion
