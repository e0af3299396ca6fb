#include "tuner/filtermodel.h"

#include <cmath>

namespace {

constexpr CFilterField kHidden{};
constexpr CFilterField kBandwidth{true, "BW(Hz)", "100.0", "%0.1f"};
constexpr CFilterField kDamping{true, "Damping", "0.707", "%0.3f"};

// Rows: types 1 .. 6; columns: P1 .. P4.
constexpr CFilterField kFields[kFilterTypes][4] = {
    {kBandwidth, kHidden, kHidden, kHidden},
    {kBandwidth, kHidden, kDamping, kHidden},
    {{true, "notch Frq.(Hz)", "100.0", "%0.1f"},
     kDamping,
     {true, "Width(Hz)", "50.0", "%0.1f"},
     {true, "Depth(dB)", "-10.0", "%0.1f"}},
    {kHidden,
     kHidden,
     {true, "Cut Gain(dB)", "-10.0", "%0.1f"},
     {true, "Ph_Center(Hz)", "100.0", "%0.1f"}},
    {kHidden,
     kDamping,
     {true, "Cut Gain(Hz)", "-10.0", "%0.1f"},
     {true, "Ph_Center(Hz)", "100.0", "%0.1f"}},
    {{true, "Order(Int)", "10.0", "%0.1f"}, kHidden, {true, "Ts(s)", "0.001", "%0.3f"}, kHidden},
};

constexpr const char* kTypeNames[kFilterTypes] = {"1-LPF order1", "2-LPF order2", "3-Notch",
                                                  "4-LeadLag1",   "5-LeadLag2",   "6-MAF"};

}  // namespace

CFilterField FilterField(int type, int field) {
    if (type < 1 || type > kFilterTypes || field < 0 || field > 3)
        return kHidden;
    return kFields[type - 1][field];
}

QString FilterTypeName(int type) {
    if (type < 1 || type > kFilterTypes)
        return QString();
    return QString::fromLatin1(kTypeNames[type - 1]);
}

int FilterTypesOffered(int filter) {
    return filter == 4 || filter == 5 ? 6 : 5;
}

void ConvertFilter(const CFilterEntry& e, CModelEntry& model) {
    const float* p = e.p;
    float* m = model.m;
    model.type = e.type;
    model.active = e.active;
    switch (e.type) {
        case 1:
            m[0] = p[0];
            break;
        case 2:
            m[0] = p[0];
            m[2] = p[2];
            break;
        case 3: {
            float g = std::pow(10.0f, p[3] / 40.0f);
            m[0] = p[0];
            m[1] = p[1];
            m[2] = (p[2] / p[0]) * g;
            m[3] = (p[2] / p[0]) / g;
            break;
        }
        case 4: {
            float fc = p[3];
            m[0] = fc * std::sqrt(std::pow(10.0f, p[2] / 20.0f));
            m[1] = fc * fc / m[0];
            break;
        }
        case 5: {
            float fc = p[3];
            m[0] = fc * std::pow(std::pow(10.0f, p[2] / 20.0f), 0.25f);
            m[1] = fc * fc / m[0];
            m[2] = 2 * p[1];
            m[3] = 2 * p[1];
            break;
        }
        case 6:
            m[0] = p[0];
            m[1] = 0;
            m[2] = p[2];
            m[3] = 0;
            break;
        default:
            break;
    }
}

void BuildModelTable(const CFilterEntry (&filters)[kFilterCount],
                     CModelEntry (&models)[kFilterCount]) {
    for (int r = 0; r < kFilterCount; ++r) {
        if (filters[r].active) {
            ConvertFilter(filters[r], models[r]);
        } else {
            models[r].type = 0;
            models[r].active = 0;
        }
    }
}
