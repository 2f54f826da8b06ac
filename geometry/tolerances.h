#pragma once
// The tolerances of the geometry and of everything built on it (interpreter, word groups,
// turning, pockets). One definition each: a room that needs "the same point" or "joined
// ends" uses these names, never its own literal.
namespace movra {

// Two points, values or directions (radians) closer than this are the same.
inline constexpr double Same = 1e-7;
// End points closer than this count as joined: a corner exists only where its elements
// meet this close, and an element shorter than this is no element worth cutting.
inline constexpr double JoinGap = 0.001;
// The cosine at a circle's centre may overshoot 1 by this much from rounding of the input
// and the circles still count as touching.
inline constexpr double CosineSlack = 1.0002;
// A step at an angle whose cosine (or sine) is smaller than this runs parallel to the axis
// it must cross: the target would lie some 1e16 away.
inline constexpr double SteepLimit = 1e-7;

}  // namespace movra
