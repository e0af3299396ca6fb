#pragma once
// The six filters of the tuner's parameter page: what each type shows and how its typed
// parameters become the simulation module's model parameters.
#include <QString>
#include <cstdint>

constexpr int kFilterCount = 6;
constexpr int kFilterTypes = 6;  // 1 LPF1, 2 LPF2, 3 Notch, 4 LeadLag1, 5 LeadLag2, 6 MAF

struct CFilterEntry {
    std::uint8_t type = 1;
    int active = 0;
    float p[4] = {0, 0, 0, 0};  // 0 = never entered: the page shows the default
};

struct CModelEntry {
    std::uint8_t type = 0;  // 0 = no filter
    int active = 0;
    float m[4] = {0, 0, 0, 0};
};

// One parameter field of a filter type as the page shows it.
struct CFilterField {
    bool shown = false;
    const char* label = "";
    const char* defaultText = "";
    const char* format = "";  // printf format of a stored value
};

// Field 0 .. 3 (P1 .. P4) of a type 1 .. 6; a hidden field for anything else.
CFilterField FilterField(int type, int field);
// "1-LPF order1" .. "6-MAF".
QString FilterTypeName(int type);
// Types offered for filter r (0 .. 5): the moving average only for filters 5 and 6.
int FilterTypesOffered(int filter);

// Model parameters of an active entry (the model entry's other parameters stay as they were).
void ConvertFilter(const CFilterEntry& entry, CModelEntry& model);
// Rebuilds the model table: active entries converted, inactive ones type 0.
void BuildModelTable(const CFilterEntry (&filters)[kFilterCount],
                     CModelEntry (&models)[kFilterCount]);
