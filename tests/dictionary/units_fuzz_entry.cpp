#include "units_fuzz_entry.h"

#include <QRegularExpression>

#include "app/global.h"
#include "dictionary/numberscan.h"
#include "dictionary/rowvalue.h"
#include "platform/msgbox.h"

namespace {

const char* const kTypes[] = {"UNSIGNED8", "INTEGER16", "UNSIGNED32", "INTEGER32",
                              "VISIBLE STRING"};
const double kSamples[] = {0.0, 1.5, -3.0, 4294967295.0};

struct FuzzRow : IValueRow {
    std::int32_t key = 0;
    QString type, value, unit;
    std::int32_t Key() const override { return key; }
    QString DataType() const override { return type; }
    QString ValueText() const override { return value; }
    QString UnitText() const override { return unit; }
};

// Gives constants to every other reference of the text, so both paths are taken.
void SeedConstants(CFormula& evaluator, const QString& text) {
    static const QRegularExpression reference(QStringLiteral("\\[([0-9A-Fa-f]{8})\\]"));
    int i = 0;
    for (auto it = reference.globalMatch(text); it.hasNext(); ++i) {
        const auto key = CFormula::ReferenceKey(it.next().captured(1).toUInt(nullptr, 16));
        if (i % 2 == 0 && !evaluator.HasConst(key))
            evaluator.AddConst(key, i + 1);
    }
}

void FuzzCell(CGlobal& global, const CCellUnit& cell, const QString& text, int salt) {
    const QString type = QString::fromLatin1(kTypes[salt % 5]);
    for (double n : kSamples) {
        double result = 0.0;
        if (global.evaluator.Evaluate(0, cell.formula, n, result))
            global.FormatValue(cell.ShownText(), type, cell.formula, result);
        global.FormatRawValue(cell.ShownText(), type, cell.formula, numberscan::TruncateToInt32(n));
    }
    global.evaluator.RetryPending();
    FuzzRow row;
    row.key = 0x200000 + salt % 64;
    row.type = type;
    row.value = text.left(32);
    row.unit = cell.unitName;
    global.WriteRowValue(0, row);
}

}  // namespace

void InstallSilentMessageBoxes() {
    platform::SetMessageBoxHandler([](const platform::MessageBoxCall&) { return platform::IDOK; });
}

void FuzzUnitsOnce(CGlobal& global, const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromLatin1(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const int salt = size > 0 ? data[0] : 0;
    global.evaluator.ClearConsts();
    SeedConstants(global.evaluator, text);

    double result = 0.0;
    global.evaluator.Evaluate(0, text, salt, result);

    QList<CCellUnit> cells;
    ParseUnitDefinition(text, cells);
    for (int i = 0; i < cells.size() && i < 16; ++i) FuzzCell(global, cells[i], text, salt + i);

    QString shown;
    global.units.DefaultUnitText(0x200000 + salt % 64, text, shown);
    double value = salt;
    QString formula;
    int handled = 0;
    global.ConvertReadValue(0, 0x200000 + salt % 64, shown, value, formula, handled);
    for (const char* unit : {"DEC", "HEX", "ASCII"}) {
        FuzzRow row;
        row.key = 0x200000 + salt % 64;
        row.type = QString::fromLatin1(kTypes[salt % 5]);
        row.value = text.left(32);
        row.unit = QString::fromLatin1(unit);
        global.WriteRowValue(0, row);
    }
}
