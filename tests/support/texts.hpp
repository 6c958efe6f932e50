// The program's texts as the tests know them: typed in from the program's
// description, never taken from the program itself.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace bailando::testing::texts {

inline constexpr std::string_view prompt =
    "Estas a punto de ver el programa mas estupido del mundo xD\n\nDesea continuar? (s/n):\n";
inline constexpr std::string_view complaint = "Ingresa una opcion correcta!\n\n";
inline constexpr std::string_view goodbye = "Tu te lo pierdes :P\n\nCerrando en 3 segundos...!";
inline constexpr std::string_view announcement = "Dibujando... :D\n\n";
inline constexpr std::string_view closing_1 =
    "Eso se llama, Ocio + C + ASCII (el famoso) = Tarfulo\n\n";
inline constexpr std::string_view closing_2 =
    "Ojala te haya gustado xD... Cerrando la ventanita en 10 segundos...";
inline constexpr std::string_view clear_sequence = "\x1b[H\x1b[2J\x1b[3J";

inline constexpr int frames_per_cycle = 9;
inline constexpr int cycles = 6;

// The nine frames of one cycle, each as it stands on the screen, read from
// the hand-drawn fixture.
const std::array<std::string, frames_per_cycle>& frames();

// A frame cut where its five writes meet: banner, head, torso, legs, floor.
std::array<std::string_view, 5> pieces(std::string_view frame);

// What a wrong answer brings: a cleared screen, the complaint, the prompt.
std::string complaint_screen();

// What the answer n brings: a cleared screen and the goodbye.
std::string goodbye_screen();

// All that the program writes from the answer s to its end, clears included.
std::string show_output();

// The text with every line end written as `line_end`.
std::string with_line_ends(std::string_view text, std::string_view line_end);

}  // namespace bailando::testing::texts
