#pragma once

#include <cstdint>

// The TCP port on the loopback host where the companion listens and the plug-in connects.
constexpr std::uint16_t kCompanionPort = 51121;
