#pragma once
// Text read from files written on other systems: UTF-8, or the single-byte code pages of a
// Russian (Windows-1251) or Western (Windows-1252) desktop.
#include <string>
#include <string_view>

namespace movra::platform {

// Strict UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF, no cut sequence.
bool IsValidUtf8(std::string_view Bytes);

// Appends the UTF-8 bytes of the code point C (at most U+10FFFF, no surrogate).
void AppendUtf8(std::string& Out, char32_t C);

// Every byte becomes one character. The few bytes the code page leaves undefined become the
// control character of the same number, as the platform's converter does.
std::string Cp1251ToUtf8(std::string_view Bytes);
std::string Cp1252ToUtf8(std::string_view Bytes);

// Bytes as they are when they form valid UTF-8; otherwise taken as Windows-1251 when the
// interface is Russian, else as Windows-1252.
std::string DecodeSingleByteText(std::string_view Bytes, bool RussianInterface);

}  // namespace movra::platform
