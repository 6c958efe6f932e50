// The dance: a stick figure under a blinking banner over a moving floor.
#pragma once

#include "console/console.hpp"

namespace bailando {

// Plays the whole show, then ends the process; never returns.
[[noreturn]] void show(Console& console);

}  // namespace bailando
