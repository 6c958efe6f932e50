#include "show/show.hpp"

#include <array>
#include <string_view>

#include "delay/delay.hpp"

namespace bailando {

namespace {

// Banners: 37 characters and a blank line. The two alternate, so it blinks.
constexpr std::string_view header_a = "+|+ B * A * I * L * A * N * D * O +|+\n\n";
constexpr std::string_view header_b = "|+| B * A * I * L * A * N * D * O |+|\n\n";

// Figure pieces, two tab stops in. The legs end the figure without a line end.
constexpr std::string_view head_1 = "\t\t   o\n";
constexpr std::string_view head_2 = "\t\t   o \n";
constexpr std::string_view head_3 = "\t\t  <o\n";
constexpr std::string_view head_4 = "\t\t  <o> \n";
constexpr std::string_view head_5 = "\t\t   o>\n";

constexpr std::string_view torso_1 = "\t\t  .|.\n";
constexpr std::string_view torso_2 = "\t\t  \\|.\n";
constexpr std::string_view torso_3 = "\t\t  \\|/\n";
constexpr std::string_view torso_4 = "\t\t   //\n";
constexpr std::string_view torso_5 = "\t\t   X\n";
constexpr std::string_view torso_6 = "\t\t   \\\n";
constexpr std::string_view torso_7 = "\t\t   |\n";
constexpr std::string_view torso_8 = "\t\t  <|\n";
constexpr std::string_view torso_9 = "\t\t  <|>\n";

constexpr std::string_view legs_1 = "\t\t   /\\";
constexpr std::string_view legs_2 = "\t\t   >\\";
constexpr std::string_view legs_3 = "\t\t  /<";

// Floors: a blank line, then 39 characters with the cursor left at their end.
// They are one column apart, so the floor seems to move.
constexpr std::string_view floor_a = "\n\n_ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _";
constexpr std::string_view floor_b = "\n\n _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ _ ";

constexpr std::string_view announcement = "Dibujando... :D\n\n";
constexpr std::string_view closing_1 = "Eso se llama, Ocio + C + ASCII (el famoso) = Tarfulo\n\n";
constexpr std::string_view closing_2 =
    "Ojala te haya gustado xD... Cerrando la ventanita en 10 segundos...";

// One frame is drawn as these five writes, in this order.
struct Frame {
  std::string_view banner;
  std::string_view head;
  std::string_view torso;
  std::string_view legs;
  std::string_view floor;
};

// One cycle of the dance.
constexpr std::array<Frame, 9> frame_table = {{
    {header_a, head_1, torso_1, legs_1, floor_a},
    {header_b, head_1, torso_2, legs_2, floor_b},
    {header_a, head_2, torso_3, legs_3, floor_a},
    {header_b, head_2, torso_4, legs_2, floor_b},
    {header_a, head_1, torso_5, legs_3, floor_a},
    {header_b, head_3, torso_6, legs_2, floor_b},
    {header_a, head_4, torso_7, legs_3, floor_a},
    {header_b, head_5, torso_8, legs_2, floor_b},
    {header_a, head_1, torso_9, legs_3, floor_a},
}};

constexpr int cycles = 6;

constexpr float announcement_seconds = 3.0F;
constexpr float frame_seconds = 0.5F;
constexpr float last_frame_seconds = 5.0F;
constexpr float closing_seconds = 10.0F;

}  // namespace

void show(Console& console) {
  console.clear_screen();
  console.write(announcement);
  wait(console, announcement_seconds);
  console.clear_screen();

  for (int i = 0; i < cycles; ++i) {
    for (const Frame& frame : frame_table) {
      for (const std::string_view piece :
           {frame.banner, frame.head, frame.torso, frame.legs, frame.floor}) {
        console.write(piece);
      }
      const bool last = i == cycles - 1 && &frame == &frame_table.back();
      wait(console, last ? last_frame_seconds : frame_seconds);
      console.clear_screen();
    }
  }

  console.write(closing_1);
  console.write(closing_2);
  wait(console, closing_seconds);
  console.end(exit_status);
}

}  // namespace bailando
