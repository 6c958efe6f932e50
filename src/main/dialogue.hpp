// The start dialogue: asks whether to go on and acts on the answer.
#pragma once

#include "console/console.hpp"

namespace bailando {

// Asks until the answer is s (the show) or n (the goodbye); never returns.
[[noreturn]] void start_dialogue(Console& console);

}  // namespace bailando
