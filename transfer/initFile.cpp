// transfer/initFile.cpp
// Running an initialisation file: every line of it is one engine command.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <system_error>

#include "transfer/transfer.h"

void TransferEngine::initFromFile(const std::string& initfile) {
  // A directory opens as a stream on this platform but yields no lines; it
  // is no more an initialisation file than a missing path is.
  std::error_code ec;
  const bool directory = std::filesystem::is_directory(initfile, ec);
  std::ifstream in;
  if (!directory) in.open(initfile, std::ios::binary);
  if (directory || !in) {
    std::cerr << "Cannot open init file " << initfile << std::endl;
    return;
  }
  std::string line;
  while (std::getline(in, line)) processCommand(line);
  if (in.bad()) std::cerr << "Error reading init file " << initfile << std::endl;
}
