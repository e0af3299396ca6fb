// The shipped dictionary's unit definitions: each parses, each formula that a read or a write
// evaluates runs without a message once its referenced objects have values, the references
// name objects of the dictionary, and a value written in a unit reads back as typed.
#include <gtest/gtest.h>

#include <QFile>
#include <QRegularExpression>
#include <cmath>

#include "app/global.h"
#include "dictionary/valueconv.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"

namespace {

std::vector<std::int32_t> References(const QString& formula) {
    static const QRegularExpression reference(QStringLiteral("\\[([0-9A-Fa-f]{8})\\]"));
    std::vector<std::int32_t> keys;
    for (auto it = reference.globalMatch(formula); it.hasNext();)
        keys.push_back(CFormula::ReferenceKey(it.next().captured(1).toUInt(nullptr, 16)));
    return keys;
}

class ShippedUnits : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QFile::exists(RuntimeDir() + "/data/velto.dat"))
            GTEST_SKIP() << "no velto.dat";
        ASSERT_TRUE(base_.CopyFromRuntime("data/velto.dat"));
        base_.Write("sys/sys.ini", "[sys]\nlang=2\n");
        global_ = std::make_unique<CGlobal>(base_.Path());
        ASSERT_TRUE(global_->dictionary.WaitLoaded(10000));
        ASSERT_GT(global_->dictionary.Count(), 0);
    }

    // Gives every referenced object a distinct value, so swapped factors show.
    void GiveConstants(const QString& formula, const CSdoInfo& owner) {
        for (std::int32_t key : References(formula)) {
            CSdoInfo referenced;
            EXPECT_EQ(global_->dictionary.FindByKey(key, referenced), 1)
                << std::hex << owner.key << " refers to a missing object " << key;
            if (!global_->evaluator.HasConst(key))
                global_->evaluator.AddConst(key, 1000 + key % 97);
        }
    }

    double Eval(const QString& formula, double n, const CSdoInfo& owner) {
        GiveConstants(formula, owner);
        double result = 0;
        EXPECT_EQ(global_->evaluator.Evaluate(0, formula, n, result), 1) << formula.toStdString();
        EXPECT_TRUE(global_->evaluator.LastEvaluationSound()) << formula.toStdString();
        return result;
    }

    TempBase base_;
    std::unique_ptr<CGlobal> global_;
};

TEST_F(ShippedUnits, EveryDefinitionParsesAndEveryFormulaEvaluates) {
    MsgBoxCapture boxes;
    int withUnits = 0, pairs = 0;
    CSdoInfo info;
    for (int i = 0; global_->dictionary.GetAt(i, info); ++i) {
        const QString definition = info.unitDefinition;
        SCOPED_TRACE(QString::asprintf("%06X ", info.key).toStdString() + definition.toStdString());
        QList<CCellUnit> cells;
        const int count = ParseUnitDefinition(definition, cells);
        if (definition.size() < 3)
            continue;
        ASSERT_GT(count, 0);
        ++withUnits;
        for (const CCellUnit& cell : cells) {
            EXPECT_FALSE(cell.unitName.isEmpty());
            const bool read = !cell.displayName.isEmpty();
            const bool write = !IsDisplayFormat(cell.unitName);
            if (!read && !write)
                continue;  // HEX or DEC: shown raw, never evaluated
            if (cell.formula.isEmpty())
                continue;  // a label (the bit names of an error word)
            for (double n : {0.0, 1.0, -250.0, 123456.0}) Eval(cell.formula, n, info);
            if (!read)
                continue;
            // The write cell of the shown unit undoes the read conversion.
            for (const CCellUnit& back : cells) {
                if (back.unitName != cell.displayName)
                    continue;
                ++pairs;
                const double raw = 123456.0;
                const double typed = Eval(cell.formula, raw, info);
                EXPECT_NEAR(Eval(back.formula, typed, info), raw, 1e-6 * raw)
                    << cell.formula.toStdString() << " / " << back.formula.toStdString();
            }
        }
    }
    EXPECT_GT(withUnits, 0);
    EXPECT_GT(pairs, 0);
    EXPECT_EQ(boxes.Texts(), QStringList{});
}

TEST_F(ShippedUnits, EveryObjectGetsADefaultUnit) {
    MsgBoxCapture boxes;
    CSdoInfo info;
    for (int i = 0; global_->dictionary.GetAt(i, info); ++i) {
        QString text;
        EXPECT_EQ(global_->units.DefaultUnitText(info.key, info.unitDefinition, text), 1);
        EXPECT_FALSE(text.isEmpty()) << std::hex << info.key;
    }
    EXPECT_EQ(boxes.Texts(), QStringList{});
}

}  // namespace
