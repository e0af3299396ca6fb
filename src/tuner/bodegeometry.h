#pragma once
// Coordinates of the Bode plot: a logarithmic frequency axis from 1 Hz to 1000 Hz, gain in the
// upper half and phase in the lower half of a 738 x 420 area whose lower 20 pixels carry the
// frequency labels.
#include <QString>

namespace bode {

constexpr int kAreaWidth = 738;
constexpr int kAreaHeight = 420;
constexpr int kHeight = kAreaHeight - 20;  // h: the drawing region
constexpr int kWidth = kAreaWidth - 16;    // W
// Coordinates beyond this (an infinite or NaN value) are held here so they stay drawable.
constexpr int kFarAbove = -10000;

// x of a frequency in Hz (truncated).
int X(double hz);
// y of a linear magnitude for the gain ruler R (40 or 80 dB per quarter height), at most h.
int GainY(float magnitude, int ruler);
// y of a phase in degrees, at most h.
int PhaseY(float degrees);

// The read-out text for a mouse position, empty outside the plot.
QString ReadOut(int x, int y, int gainRuler, int phaseRuler);

}  // namespace bode
