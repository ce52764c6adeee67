// Writes the keys reference of the user guide: to the file named by the argument, or to the
// standard output.
#include <fstream>
#include <iostream>

#include "shell/keys_reference.h"

int main(int argc, char** argv) {
  const std::string text = nrv::KeysReferenceText();
  if (argc < 2) {
    std::cout << text;
    return std::cout.flush() ? 0 : 1;
  }
  std::ofstream out(argv[1], std::ios::binary);
  out << text;
  out.close();
  if (out) return 0;
  std::cerr << "cannot write " << argv[1] << "\n";
  return 1;
}
