#pragma once
// The hole grid every board lies on, in the board's units of 0.01 mm.

namespace karvel {

// The distance between neighbouring holes: 2.54 mm.
inline constexpr int HolePitch = 254;
// Hole centres lie at x = HolePitch·i and y = HolePitch·j + HalfPitch.
inline constexpr int HalfPitch = HolePitch / 2;

} // namespace karvel
