#pragma once
// nzsim: frequency responses of the drive's filters and control loops, for the tuner's
// simulation. A shared module in the base folder (nzsim.so) loaded at run time; all
// floating-point arguments are single precision, magnitudes are linear ratios and phases are
// degrees in (-180, 180].
//
// Filter models (s = j 2 pi f, f = index in Hz; parameters m1 .. m4 as the tuner converts them):
//   type 0  absent: H = 1.
//   type 1  first-order low-pass, bandwidth m1 (Hz):  H = 1 / (1 + s/wc), wc = 2 pi m1;
//           -3 dB and -45 degrees at m1.
//   type 2  second-order low-pass, corner m1 (Hz), damping m3:
//           H = wc^2 / (s^2 + 2 z wc s + wc^2).
//   type 3  notch at m1 (Hz); m3 and m4 are the numerator's and the denominator's 2 z (width
//           over centre, times and divided by the depth factor), m2 the damping, which scales
//           both by m2 / 0.707 (so 0.707 keeps the width as typed):
//           H = (s^2 + m3 k w0 s + w0^2) / (s^2 + m4 k w0 s + w0^2), k = m2 / 0.707;
//           at the centre |H| = m3 / m4, the depth.
//   type 4  first-order lead-lag, pole m1 (Hz), zero m2 (Hz): H = (1 + s/w2) / (1 + s/w1);
//           unity at low frequency, m1/m2 at high frequency, extreme phase at sqrt(m1 m2).
//   type 5  second-order lead-lag, pole pair at m1 (Hz) with 2 z = m4, zero pair at m2 (Hz)
//           with 2 z = m3: H = (1 + m3 s/w2 + s^2/w2^2) / (1 + m4 s/w1 + s^2/w1^2);
//           unity at low frequency, (m1/m2)^2 at high frequency.
//   type 6  moving average of N = m1 (rounded, at least 1) samples taken every m3 seconds:
//           H = (1 - e^(-s N Ts)) / (N (1 - e^(-s Ts))), the sinc-shaped comb with its zeros
//           at multiples of 1 / (N Ts).
// Damping values at or below 0 are taken as 0.0001 and a 0 (or negative) Ts as 0.001 s, so
// the responses stay finite; a frequency of 0 is taken as 0.001 Hz where an integrator
// would divide by it.
//
// Loop models, at one frequency f (Hz), around the measured plant P = plantRe + j plantIm and
// the product F of up to four filters (slots of type 0 are absent):
//   mode -128  velocity PI loop: C = gainA (1 + gainB / s) (gainA proportional gain, gainB
//              the integral corner in rad/s), open loop L = C F P.
//   mode 0     position P loop around the closed velocity loop P: L = gainA F P / s (gainA
//              in 1/s; position is the integral of velocity); gainB is not used.
//   closed loop T = L / (1 + L). Outputs, in order: |L|, angle L, |T|, angle T, Im T, Re T.
// Other modes or filter types write magnitude 0 (loops) or 1 (filters), phase 0, and
// return 1; a computed response returns 0.
//
// atanx(y, x): the angle of the point (x, y) in degrees, (-180, 180]; the tuner calls it with
// (1, 0) only to check that the module loads and answers.

#ifdef __cplusplus
extern "C" {
#endif

#define NZSIM_EXPORT __attribute__((visibility("default")))

NZSIM_EXPORT int Cal_Filter_Mag_Ph_u(int index, int type, float m1, float m2, float m3, float m4,
                                     float* magnitude, float* phase);

NZSIM_EXPORT int Cal_Loop_Mag_Ph_u(int mode, float gainA, float gainB, int frequency, float plantRe,
                                   float plantIm, int type1, float m11, float m12, float m13,
                                   float m14, int type2, float m21, float m22, float m23, float m24,
                                   int type3, float m31, float m32, float m33, float m34, int type4,
                                   float m41, float m42, float m43, float m44, float* openMagnitude,
                                   float* openPhase, float* closedMagnitude, float* closedPhase,
                                   float* closedIm, float* closedRe);

NZSIM_EXPORT float atanx(int y, int x);

#ifdef __cplusplus
}
#endif
