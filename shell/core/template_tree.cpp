#include "shell/core/template_tree.h"

namespace movra {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool EndsWith(std::string_view Text, char c) { return !Text.empty() && Text.back() == c; }

// The first c in Text is its last character.
bool FirstIsLast(std::string_view Text, char c) {
  const std::size_t first = Text.find(c);
  return first != std::string_view::npos && first + 1 == Text.size();
}

}  // namespace

std::string_view TrimTemplateText(std::string_view Text) {
  std::size_t begin = 0;
  std::size_t end = Text.size();
  while (begin < end && IsBlank(Text[begin])) ++begin;
  while (end > begin && IsBlank(Text[end - 1])) --end;
  return Text.substr(begin, end - begin);
}

TemplateNodeStyle TemplateStyle(std::string_view Text, std::size_t Depth) {
  const std::string_view t = TrimTemplateText(Text);
  if (t.empty()) return {};
  return {Depth == 0, EndsWith(t, ':'), EndsWith(t, '~')};
}

bool ShowsTemplateBody(std::string_view Text) {
  const std::string_view t = TrimTemplateText(Text);
  return !t.empty() && !FirstIsLast(t, '~') && !FirstIsLast(t, ':');
}

bool IsTemplateParent(std::string_view StoredText) {
  return StoredText.empty() || FirstIsLast(StoredText, ':');
}

bool IsEditableTemplateLine(std::string_view Text) {
  const std::string_view t = TrimTemplateText(Text);
  return !t.empty() && !EndsWith(t, ':') && !EndsWith(t, '~');
}

std::vector<std::string> TrimTemplateBody(const std::vector<std::string>& Lines) {
  // The first and the last line that hold more than blanks bound the body.
  std::size_t first = 0;
  std::size_t last = Lines.size();
  while (first < last && TrimTemplateText(Lines[first]).empty()) ++first;
  while (last > first && TrimTemplateText(Lines[last - 1]).empty()) --last;
  std::vector<std::string> body(Lines.begin() + static_cast<std::ptrdiff_t>(first),
                                Lines.begin() + static_cast<std::ptrdiff_t>(last));
  if (body.empty()) return body;
  std::string& head = body.front();
  std::size_t lead = 0;
  while (lead < head.size() && IsBlank(head[lead])) ++lead;
  head.erase(0, lead);
  std::string& tail = body.back();
  while (!tail.empty() && IsBlank(tail.back())) tail.pop_back();
  return body;
}

std::string TemplateBodyToAppend(bool ProgramHasLines, const std::vector<std::string>& Body) {
  std::string text = ProgramHasLines ? "\n" : "";
  for (const std::string& line : Body) text += line + "\n";
  return text;
}

}  // namespace movra
