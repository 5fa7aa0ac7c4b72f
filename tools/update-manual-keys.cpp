// Writes the manual page's KEYS section anew from the command table:
//   update-manual-keys share/logviewer.1
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "app/commands/TCommands.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: update-manual-keys MANUAL_PAGE\n";
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream manual;
  manual << in.rdbuf();
  if (!in) {
    std::cerr << "Cannot read '" << argv[1] << "'\n";
    return 1;
  }
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << WithGeneratedKeySection(manual.str());
  out.flush();
  if (!out) {
    std::cerr << "Cannot write '" << argv[1] << "'\n";
    return 1;
  }
  return 0;
}
