#include "main/dialogue.hpp"

#include <optional>
#include <string_view>

#include "delay/delay.hpp"
#include "show/show.hpp"

namespace bailando {

namespace {

constexpr std::string_view prompt =
    "Estas a punto de ver el programa mas estupido del mundo xD\n\nDesea continuar? (s/n):\n";
constexpr std::string_view complaint = "Ingresa una opcion correcta!\n\n";
constexpr std::string_view goodbye = "Tu te lo pierdes :P\n\nCerrando en 3 segundos...!";

constexpr float goodbye_seconds = 3.0F;

}  // namespace

void start_dialogue(Console& console) {
  for (;;) {
    console.write(prompt);
    const std::optional<char> opc = console.read_char();
    if (opc == 's') {
      show(console);
    }
    // No more answers can come once the input has ended, so that ends the
    // dialogue as a no does rather than complaining forever.
    if (opc == 'n' || !opc) {
      console.clear_screen();
      console.write(goodbye);
      wait(console, goodbye_seconds);
      console.end(exit_status);
    }
    console.clear_screen();
    console.write(complaint);
  }
}

}  // namespace bailando
