// The pause: every hold of the program goes through here.
#pragma once

#include "console/console.hpp"

namespace bailando {

// Spins on the console's clock until `seconds` have passed. A busy wait on
// purpose: no sleep, no yield, no input read and no output written.
void wait(Console& console, float seconds);

}  // namespace bailando
