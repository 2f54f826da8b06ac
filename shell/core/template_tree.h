#pragma once
// The rules of the template browser that need no window: which nodes are sections, headers
// and comments, which node shows a template body, which line may be edited, and how a body is
// trimmed and appended to a program text. Texts are UTF-8; "blanks" are the characters up to
// and including the space, which never occur inside a multi-byte character.
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/colors.h"

namespace movra {

// How a node is drawn; the kinds add up (a top-level header is bold, italic, underlined and
// dark red).
struct TemplateNodeStyle {
  bool Section = false;  // a top-level node: bold
  bool Header = false;   // ends with ":": dark red, italic, underlined
  bool Comment = false;  // ends with "~": grey, italic
  bool operator==(const TemplateNodeStyle&) const = default;
};

// The colours of headers and comments (0x00BBGGRR).
inline constexpr platform::ColorValue TemplateHeaderColour = 0x000080;
inline constexpr platform::ColorValue TemplateCommentColour = 0x808080;

// Text without leading and trailing blanks and control characters.
std::string_view TrimTemplateText(std::string_view Text);

// The style of a node of the given depth (0 top-level). A node whose trimmed text is empty
// gets none.
TemplateNodeStyle TemplateStyle(std::string_view Text, std::size_t Depth);

// A node whose body may be shown: its trimmed text is not empty and neither its first "~" nor
// its first ":" is its last character. So "a:b:" passes, unlike a plain header "a:".
bool ShowsTemplateBody(std::string_view Text);

// A parent whose children form a template body: the first ":" of its text as stored is its
// last character, or the text is empty. A trailing blank after the colon makes no header here.
bool IsTemplateParent(std::string_view StoredText);

// A line that Backspace lets the user edit: its trimmed text is not empty and ends with
// neither ":" nor "~".
bool IsEditableTemplateLine(std::string_view Text);

// The body lines trimmed as one text: leading and trailing blanks and empty lines go, the
// lines between stay as they are.
std::vector<std::string> TrimTemplateBody(const std::vector<std::string>& Lines);

// The text Add puts at the end of a program text so that the body lines follow its last
// line, and one empty line follows them: every body line ended by a line end ("\n"), behind
// a line end when the program text has lines.
std::string TemplateBodyToAppend(bool ProgramHasLines, const std::vector<std::string>& Body);

}  // namespace movra
