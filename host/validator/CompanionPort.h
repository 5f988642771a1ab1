#pragma once

#include <cstdint>
#include <string>

#include "CompanionEndpoint.h"

namespace orv::host::validator
{

// True when something accepts connections on 127.0.0.1 at the companion port. The probe
// connects and closes at once; a companion takes that as a request-less connection.
bool CompanionPortAnswers();

// Why a check that needs the port cannot start while CompanionPortAnswers() is true.
std::string CompanionPortTakenMessage();

// Why a check stops when its own companion could not listen on the port after it started:
// something took the port meanwhile.
std::string CompanionPortLostMessage();

} // namespace orv::host::validator
