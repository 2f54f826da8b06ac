#pragma once
// The keyboard layout of the desktop, as the 32-bit layout handle that the first start compares:
// the language id in the low half, the layout in the high half (the same id for a plain
// layout, another value for a variant such as a Dvorak or international layout).
#include <cstdint>
#include <optional>
#include <string_view>

class QLocale;

namespace movra::platform {

inline constexpr std::uint32_t LayoutGerman = 0x04070407;
inline constexpr std::uint32_t LayoutEnglishUS = 0x04090409;
inline constexpr std::uint32_t LayoutRussian = 0x04190419;
// A layout with no language the program knows.
inline constexpr std::uint32_t LayoutUnknown = 0;

// The handle of an XKB layout name ("de", "us", "ru", ...) with its variant ("" for none).
// A variant keeps the language in the low half and marks the high half as a variant.
std::uint32_t LayoutFromXkb(std::string_view Layout, std::string_view Variant);
// The handle of an input language: only the language and territory count.
std::uint32_t LayoutFromLocale(const QLocale& Locale);
// The first layout and variant of the output of "setxkbmap -query"; nothing without a layout
// line. The first layout is the one the desktop starts with.
std::optional<std::uint32_t> LayoutFromXkbQuery(std::string_view QueryOutput);

// What the desktop reports: the XKB layout named by XKB_DEFAULT_LAYOUT or, on X11, by the
// server's rules ("setxkbmap -query"); failing both, the input language of the input method.
std::uint32_t KeyboardLayout();

}  // namespace movra::platform
