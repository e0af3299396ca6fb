#pragma once
// The 1-2-5 series of the vertical scales: the automatic choice from a value span, the scale
// text ("1e-6", "5e-3", "2e1": one digit, "e", a decimal exponent) and the spin steps.
#include <QString>

namespace scalesteps {

constexpr double kSmallest = 1e-6;

// The scale per division for a span of values (8 divisions, 6 of them used): span x
// coefficient / 6 raised to the next value of the series; spans below 1e-6 give 1e-6.
double AutoScale(double span, double coefficient);
// A step raised to the series by its leading digit (1 -> 2, 2..4 -> 5, 5..9 -> 10).
double RaiseToSeries(double step);

// "5e-3" for 0.005; the value is first put on the series' nearest digit.
QString ScaleText(double scale);
// The text's value; 0 when it is not of the scale form.
double ScaleValue(const QString& text);
// One spin step: up 1 -> 2 -> 5 -> 1e+1, down the reverse; "1e-6" does not step down.
QString StepScale(const QString& text, bool up);

}  // namespace scalesteps
