#pragma once
// The writers that turn elements of the store back into program text: contour text that the
// interpreter reads again, and an ISO-style subprogram for display. Both only read the store;
// the current element is left where it was.
#include <string>
#include <string_view>
#include <vector>

#include "geometry/forma_geom.h"

namespace movra {

// The one mode of GeometryToText: coordinate words x and y.
inline constexpr int TextModeCoordinates = 3;

// Decimals of the numbers in contour text written from geometry and in subprogram text.
inline constexpr int ContourTextDecimals = 6;
inline constexpr int SubprogramDecimals = 3;

// Writes geometry Number as lower-case contour text: "(" Comment ")", the side word, "d" DText
// when DText is not blank, the start line and one end line per element ("b" radius for arcs,
// " 2" for arcs over a half circle), "|" and a new start line at every gap. True when a line
// was written. An empty store leaves List as it is and gives false; otherwise List is emptied
// first. Modes other than TextModeCoordinates write nothing.
bool GeometryToText(const TFormaGeom& Geom, int Number, int Mode, std::string_view Comment,
                    std::string_view DText, std::vector<std::string>& List);

// Writes geometry Number (0 or above 254: every element) as a subprogram for plane Plane
// (17 X/Y, 18 Z/X with X as a diameter, 19 Y/Z): "%", "SPF" + number, "(" name ")", G0..G3
// moves with centre offsets, modal F, g41/g42 on the first corrected move and G40 after the
// last, "M17". List is always emptied first. False (List empty) when Number is negative or
// the store holds no element.
bool GeometryToSubprogram(const TFormaGeom& Geom, std::vector<std::string>& List, double Number,
                          double Plane);

}  // namespace movra
