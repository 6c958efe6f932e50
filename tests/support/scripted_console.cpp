#include "scripted_console.hpp"

#include <iomanip>

namespace bailando::testing {

namespace {

// Control characters spelled out, so that a failing transcript can be read.
void print_escaped(std::string_view text, std::ostream* out) {
  *out << '"';
  for (const char c : text) {
    switch (c) {
      case '\n':
        *out << "\\n";
        break;
      case '\t':
        *out << "\\t";
        break;
      case '\\':
        *out << "\\\\";
        break;
      case '"':
        *out << "\\\"";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) >= 0x7f) {
          *out << "\\x" << std::hex << std::setw(2) << std::setfill('0')
               << static_cast<int>(static_cast<unsigned char>(c)) << std::dec;
        } else {
          *out << c;
        }
    }
  }
  *out << '"';
}

}  // namespace

void PrintTo(const Event& event, std::ostream* out) {
  switch (event.kind) {
    case Event::Kind::write:
      *out << "write ";
      print_escaped(event.text, out);
      break;
    case Event::Kind::read:
      *out << "read ";
      if (event.text.empty()) {
        *out << "<end of input>";
      } else {
        print_escaped(event.text, out);
      }
      break;
    case Event::Kind::clear:
      *out << "clear";
      break;
    case Event::Kind::pause:
      *out << "pause " << event.number << " ms";
      break;
    case Event::Kind::end:
      *out << "end " << event.number;
      break;
  }
}

}  // namespace bailando::testing
