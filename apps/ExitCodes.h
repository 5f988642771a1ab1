#pragma once

namespace orv::apps
{

// Exit codes of orvendal-host.
constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;  // the plug-in or the host failed while running
constexpr int kExitUsage = 2;    // bad arguments, unreadable input: nothing was written
constexpr int kExitFallback = 3; // render: the plug-in rendered the selection unchanged

} // namespace orv::apps
