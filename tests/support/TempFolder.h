#pragma once

#include "TemporaryFolder.h"

namespace orv::test
{

// A fresh folder under the system's temporary folder, removed with everything in it when
// the object goes (the validator's own).
using TempFolder = host::validator::TemporaryFolder;

} // namespace orv::test
