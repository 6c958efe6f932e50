#include "console/terminal.hpp"
#include "main/dialogue.hpp"

int main() {
  bailando::Terminal terminal;
  bailando::start_dialogue(terminal);
}
