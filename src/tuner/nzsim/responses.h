#pragma once
// The module's models as plain functions (the exported calls wrap them).
#include <complex>

namespace nzsim {

using Complex = std::complex<double>;

struct FilterSlot {
    int type = 0;
    double m[4] = {0, 0, 0, 0};
};

// False for an unknown type (the response is then 1).
bool FilterResponse(const FilterSlot& filter, double hz, Complex& h);

// Open loop of mode -128 (velocity PI) or 0 (position P); false for another mode.
bool OpenLoop(int mode, double gainA, double gainB, double hz, Complex plant,
              const FilterSlot* filters, int count, Complex& open);

double Degrees(Complex z);

}  // namespace nzsim
