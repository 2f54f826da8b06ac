#pragma once
// The lines of a program text as the editor's memo hands them to the interpreter: split at
// "\n", a "\r" before it staying in the line.
#include <string>
#include <string_view>
#include <vector>

inline std::vector<std::string> ProgramLines(std::string_view Text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t cut = Text.find('\n', start);
    lines.emplace_back(Text.substr(start, cut == std::string_view::npos ? cut : cut - start));
    if (cut == std::string_view::npos) return lines;
    start = cut + 1;
  }
}
