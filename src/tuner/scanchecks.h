#pragma once
// The settings checks before a scan starts, in their fixed order; the first failure decides.
#include <QString>

struct CScanSettings {
    int from = 0;
    int end = 0;
    int step = 0;
    int amplitude = 0;
};

struct CScanCheck {
    bool accepted = false;
    QString message;              // the refusal, in the program's language
    bool resetAmplitude = false;  // the amplitude box goes back to "32"
    CScanSettings settings;       // the values read, when accepted
};

// Typed texts of the four boxes, read as the C library reads decimals.
CScanCheck CheckScanSettings(const QString& from, const QString& end, const QString& step,
                             const QString& amplitude, int language);

// The C library's decimal reading of typed text ("12abc" is 12, "" is 0), as int and as float.
int TypedInt(const QString& text);
float TypedFloat(const QString& text);
