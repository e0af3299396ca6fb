// The exported calls of the simulation module.
#include "tuner/nzsim/nzsim.h"

#include <cmath>

#include "tuner/nzsim/responses.h"

using nzsim::Complex;
using nzsim::FilterSlot;

namespace {

FilterSlot Slot(int type, float a, float b, float c, float d) {
    FilterSlot slot;
    slot.type = type;
    slot.m[0] = a, slot.m[1] = b, slot.m[2] = c, slot.m[3] = d;
    return slot;
}

// 1 + L is 0 only on the critical point; keep the closed loop finite there.
Complex Closed(Complex open) {
    Complex den = 1.0 + open;
    if (std::abs(den) < 1e-12)
        den = 1e-12;
    return open / den;
}

}  // namespace

extern "C" int Cal_Filter_Mag_Ph_u(int index, int type, float m1, float m2, float m3, float m4,
                                   float* magnitude, float* phase) {
    Complex h;
    bool known = nzsim::FilterResponse(Slot(type, m1, m2, m3, m4), index, h);
    *magnitude = static_cast<float>(std::abs(h));
    *phase = static_cast<float>(nzsim::Degrees(h));
    return known ? 0 : 1;
}

extern "C" int Cal_Loop_Mag_Ph_u(int mode, float gainA, float gainB, int frequency, float plantRe,
                                 float plantIm, int type1, float m11, float m12, float m13,
                                 float m14, int type2, float m21, float m22, float m23, float m24,
                                 int type3, float m31, float m32, float m33, float m34, int type4,
                                 float m41, float m42, float m43, float m44, float* openMagnitude,
                                 float* openPhase, float* closedMagnitude, float* closedPhase,
                                 float* closedIm, float* closedRe) {
    const FilterSlot slots[4] = {Slot(type1, m11, m12, m13, m14), Slot(type2, m21, m22, m23, m24),
                                 Slot(type3, m31, m32, m33, m34), Slot(type4, m41, m42, m43, m44)};
    Complex open;
    bool known =
        nzsim::OpenLoop(mode, gainA, gainB, frequency, Complex(plantRe, plantIm), slots, 4, open);
    Complex closed = known ? Closed(open) : Complex(0, 0);
    *openMagnitude = static_cast<float>(std::abs(open));
    *openPhase = static_cast<float>(nzsim::Degrees(open));
    *closedMagnitude = static_cast<float>(std::abs(closed));
    *closedPhase = static_cast<float>(nzsim::Degrees(closed));
    *closedIm = static_cast<float>(closed.imag());
    *closedRe = static_cast<float>(closed.real());
    return known ? 0 : 1;
}

extern "C" float atanx(int y, int x) {
    return static_cast<float>(nzsim::Degrees(Complex(x, y)));
}
