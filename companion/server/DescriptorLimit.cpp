#include "DescriptorLimit.h"

#include <sys/resource.h>

namespace companion
{

namespace
{
// What "no limit" is taken as: far more connections than one machine's loopback sees.
constexpr size_t kUnlimited = 1 << 20;

size_t count(rlim_t value)
{
    return value == RLIM_INFINITY ? kUnlimited : static_cast<size_t>(value);
}
} // namespace

size_t DescriptorLimit::raiseToHard()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return 0;
    if (limit.rlim_cur != limit.rlim_max)
    {
        rlimit raised = limit;
        raised.rlim_cur = limit.rlim_max;
        if (::setrlimit(RLIMIT_NOFILE, &raised) == 0) limit = raised;
    }
    return count(limit.rlim_cur);
}

size_t DescriptorLimit::current()
{
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0) return 0;
    return count(limit.rlim_cur);
}

} // namespace companion
