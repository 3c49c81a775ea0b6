// Builds the manual page: manual_tool PAGE.in PAGE fills the lists of the
// files and their options into the page from the table of outputs.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>

#include "cli/manual.h"

int main(int argc, char* argv[]) {
  if (argc != 3) {
    std::fputs("usage: manual_tool PAGE.in PAGE\n", stderr);
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::stringstream page;
  page << in.rdbuf();
  std::string text;
  const std::string why = bellform::manual_page(page.str(), text);
  if (!why.empty()) {
    std::fprintf(stderr, "manual_tool: %s: %s\n", argv[1], why.c_str());
    return 1;
  }
  std::ofstream out(argv[2], std::ios::binary);
  out << text;
  out.close();
  if (!in || !out) {
    std::fprintf(stderr, "manual_tool: cannot make %s from %s\n", argv[2], argv[1]);
    return 1;
  }
  return 0;
}
