#include "texts.hpp"

#include <cstddef>
#include <stdexcept>

namespace bailando::testing::texts {

namespace {

// The fixture's bytes, put in at build time so that the tests need no files
// wherever they run.
constexpr unsigned char fixture[] = {
#include "frames.inc"
};

// Each frame follows its header line "== frame N ==" and runs up to the line
// end before the next header, or the last line end of the file.
std::array<std::string, frames_per_cycle> parse_fixture() {
  const std::string file(std::begin(fixture), std::end(fixture));
  std::array<std::string, frames_per_cycle> frames;
  std::size_t at = 0;
  for (int n = 1; n <= frames_per_cycle; ++n) {
    const std::string header = "== frame " + std::to_string(n) + " ==\n";
    if (file.compare(at, header.size(), header) != 0) {
      throw std::runtime_error("fixture: expected " + header);
    }
    at += header.size();
    const std::size_t next = file.find("\n== frame ", at);
    const std::size_t stop = next == std::string::npos ? file.size() - 1 : next;
    frames.at(static_cast<std::size_t>(n - 1)) = file.substr(at, stop - at);
    at = stop + 1;
  }
  return frames;
}

}  // namespace

const std::array<std::string, frames_per_cycle>& frames() {
  static const auto parsed = parse_fixture();
  return parsed;
}

std::array<std::string_view, 5> pieces(std::string_view frame) {
  // The banner ends with a blank line, head and torso with a line end each,
  // and the floor starts with the blank line under the legs.
  const std::size_t banner_end = frame.find("\n\n") + 2;
  const std::size_t head_end = frame.find('\n', banner_end) + 1;
  const std::size_t torso_end = frame.find('\n', head_end) + 1;
  const std::size_t legs_end = frame.find("\n\n", torso_end);
  return {frame.substr(0, banner_end), frame.substr(banner_end, head_end - banner_end),
          frame.substr(head_end, torso_end - head_end),
          frame.substr(torso_end, legs_end - torso_end), frame.substr(legs_end)};
}

std::string complaint_screen() {
  return std::string(clear_sequence).append(complaint).append(prompt);
}

std::string goodbye_screen() {
  return std::string(clear_sequence).append(goodbye);
}

std::string show_output() {
  std::string out;
  out.append(clear_sequence).append(announcement).append(clear_sequence);
  for (int i = 0; i < cycles * frames_per_cycle; ++i) {
    out.append(frames().at(static_cast<std::size_t>(i % frames_per_cycle))).append(clear_sequence);
  }
  out.append(closing_1).append(closing_2);
  return out;
}

std::string with_line_ends(std::string_view text, std::string_view line_end) {
  std::string out;
  for (const char c : text) {
    if (c == '\n') {
      out.append(line_end);
    } else {
      out.push_back(c);
    }
  }
  return out;
}

}  // namespace bailando::testing::texts
