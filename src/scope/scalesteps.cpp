#include "scope/scalesteps.h"

#include <cmath>

namespace scalesteps {
namespace {

double Next(int digit, double decade) {
    if (digit == 1)
        return 2 * decade;
    if (digit <= 4)
        return 5 * decade;
    return 10 * decade;
}

struct Parts {
    int digit = 0;
    int exponent = 0;
};

bool Split(const QString& text, Parts& parts) {
    const qsizetype e = text.indexOf(u'e');
    if (e != 1 || !text.at(0).isDigit() || text.at(0) == u'0')
        return false;
    bool ok = false;
    parts.exponent = text.mid(2).toInt(&ok);
    parts.digit = text.at(0).digitValue();
    return ok;
}

QString Join(int digit, int exponent) {
    return QStringLiteral("%1e%2").arg(digit).arg(exponent);
}

}  // namespace

double RaiseToSeries(double step) {
    // Read by digits of its "%f" text, as the series rule is stated on the text.
    const QString text = QString::asprintf("%f", std::fabs(step));
    const qsizetype point = text.indexOf(u'.');
    if (text.startsWith(QLatin1String("0."))) {
        for (qsizetype i = point + 1; i < text.size(); ++i) {
            const int digit = text.at(i).digitValue();
            if (digit > 0)
                return Next(digit, std::pow(10.0, -double(i - point)));
        }
        return kSmallest;
    }
    const int digits = int(point < 0 ? text.size() : point);
    return Next(text.at(0).digitValue(), std::pow(10.0, digits - 1));
}

double AutoScale(double span, double coefficient) {
    if (span < kSmallest)
        return kSmallest;
    return RaiseToSeries(span * coefficient / 6);
}

QString ScaleText(double scale) {
    if (!(scale > 0) || !std::isfinite(scale))
        return Join(1, -6);
    int exponent = int(std::floor(std::log10(scale)));
    int digit = int(std::lround(scale / std::pow(10.0, exponent)));
    if (digit >= 10) {
        digit = 1;
        ++exponent;
    }
    return Join(std::max(digit, 1), exponent);
}

double ScaleValue(const QString& text) {
    Parts p;
    if (!Split(text, p))
        return 0;
    return p.digit * std::pow(10.0, p.exponent);
}

QString StepScale(const QString& text, bool up) {
    Parts p;
    if (!Split(text, p))
        return Join(1, -6);
    if (up) {
        if (p.digit == 1)
            return Join(2, p.exponent);
        if (p.digit == 2)
            return Join(5, p.exponent);
        return Join(1, p.exponent + 1);
    }
    if (p.digit == 1 && p.exponent <= -6)
        return text;
    if (p.digit == 5)
        return Join(2, p.exponent);
    if (p.digit == 2)
        return Join(1, p.exponent);
    return Join(5, p.exponent - 1);
}

}  // namespace scalesteps
