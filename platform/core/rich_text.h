#pragma once
// The plain text of a rich-text (RTF) document, as the list files of the list dialog hold it.
// The files come from the user's disk: any bytes are read without a crash and without reading
// out of bounds, and whatever text could be read is returned.
#include <string>
#include <string_view>
#include <vector>

namespace movra::platform {

// Whether the bytes begin as a rich-text document does ("{\rtf").
bool IsRichText(std::string_view Bytes);

// The text of a rich-text document as UTF-8; paragraphs and line breaks end with "\n", table
// cells and tabs give "\t". Font, colour and style tables, pictures, fields' instructions and
// other hidden groups give no text. Characters are decoded in the code page of their font
// (Cyrillic fonts Windows-1251, else Windows-1252) or from their Unicode escapes. Reading
// stops at the brace that closes the document; a document cut short gives what it held.
std::string RichTextPlainText(std::string_view Bytes);

// The lines of a list file: the plain text of a rich-text document, or else the bytes as a
// plain text file (UTF-8 when valid, otherwise Windows-1251 for a Russian interface and
// Windows-1252 for the others). A line end after the last line adds no line.
std::vector<std::string> RichTextLines(std::string_view Bytes, bool RussianInterface);

}  // namespace movra::platform
