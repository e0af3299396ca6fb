// The generated data as the program sees it: the dictionary loader reads velto.dat in both
// languages, the unit table parses every unit definition and the evaluator computes every
// formula on sample values without a message; scaled units convert back and forth.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>

#include "app/global.h"
#include "cp936.h"
#include "datfile.h"
#include "platform/locale.h"
#include "support/msgbox_capture.h"
#include "support/temp_base.h"
#include "textutil.h"
#include "unitsyntax.h"

using namespace veltodata;

namespace {

constexpr platform::WindowHandle kPage = 42;

// CGlobal on a copy of the runtime data, in one language.
class LoadedProgram {
public:
    explicit LoadedProgram(int language) {
        EXPECT_TRUE(base_.CopyFromRuntime("data/velto.dat"));
        base_.Write("sys/sys.ini",
                    QByteArray("[sys]\nlang=") + QByteArray::number(language) + "\ncomm=1\n");
        platform::OverrideSystemLocale(language == 1 ? 1 : 0);
        global_ = std::make_unique<CGlobal>(base_.Path());
        EXPECT_TRUE(global_->dictionary.WaitLoaded(20000));
        platform::OverrideSystemLocale(-1);
    }
    ~LoadedProgram() { global_->stopWorker = 1; }
    CGlobal& global() { return *global_; }

private:
    TempBase base_;
    std::unique_ptr<CGlobal> global_;
};

std::vector<DatRecord> Records() {
    return DecodeFile(ReadFile(std::string(VELTO_RUNTIME_DIR) + "/data/velto.dat"));
}

std::map<std::int32_t, std::int64_t> SimDefaults() {
    std::map<std::int32_t, std::int64_t> values;
    for (const TsvLine& line : ReadTsv(std::string(VELTO_RUNTIME_DIR) + "/data/velto_sim.tsv")) {
        std::int64_t key = 0;
        ParseHexText(line.cells[0], key);
        if (line.cells[4] != "-") {
            values[static_cast<std::int32_t>(key)] = std::stoll(line.cells[3]);
        }
    }
    return values;
}

QString Q(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

}  // namespace

TEST(ProgramView, LoaderReadsEveryRecordInBothLanguages) {
    std::vector<DatRecord> records = Records();
    for (int language : {1, 2}) {
        LoadedProgram program(language);
        CAllSdo& dictionary = program.global().dictionary;
        ASSERT_EQ(dictionary.Count(), static_cast<int>(records.size())) << language;
        for (std::size_t i = 0; i < records.size(); ++i) {
            CSdoInfo entry;
            ASSERT_EQ(dictionary.GetAt(static_cast<int>(i), entry), 1);
            const DatRecord& r = records[i];
            EXPECT_EQ(entry.index, std::stoi(r.index, nullptr, 16));
            EXPECT_EQ(entry.subIndex, std::stoi(r.sub, nullptr, 16));
            EXPECT_EQ(entry.dataType, Q(r.dataType));
            EXPECT_EQ(entry.attribute, Q(r.access));
            EXPECT_EQ(entry.unitDefinition, Q(r.unitDefinition));
            EXPECT_EQ(entry.name, Q(language == 1 ? Cp936ToUtf8(r.nameZh) : r.nameEn));
            EXPECT_EQ(entry.help, Q(language == 1 ? Cp936ToUtf8(r.helpZh) : r.helpEn));
        }
    }
}

TEST(ProgramView, EveryUnitDefinitionParsesAndEveryFormulaEvaluatesQuietly) {
    LoadedProgram program(2);
    CGlobal& global = program.global();
    std::map<std::int32_t, std::int64_t> defaults = SimDefaults();
    for (const auto& [key, value] : defaults) {
        global.evaluator.AddConst(key, static_cast<std::int32_t>(value));
    }
    MsgBoxCapture boxes;
    int formulas = 0;
    for (const DatRecord& r : Records()) {
        std::int32_t key = std::stoi(r.index + r.sub, nullptr, 16);
        SCOPED_TRACE(KeyText(key) + " " + r.unitDefinition);
        CSdoUnit unit;
        QString shown;
        ASSERT_EQ(global.units.DefaultUnitText(key, Q(r.unitDefinition), shown), 1);
        ASSERT_EQ(global.units.FindUnit(key, unit), 1);
        std::vector<UnitItem> mine = ParseUnitDefinition(r.unitDefinition);
        ASSERT_EQ(unit.cellCount, mine.size());
        for (int i = 0; i < unit.cellCount; ++i) {
            EXPECT_EQ(unit.cells[i].unitName, Q(mine[i].unitName));
            EXPECT_EQ(unit.cells[i].displayName, Q(mine[i].displayName));
            EXPECT_EQ(unit.cells[i].formula, Q(mine[i].formula));
            if (unit.cells[i].formula.isEmpty()) {
                continue;
            }
            for (double n : {0.0, 1.0, 1234.0, -50.0}) {
                double result = 0;
                ASSERT_EQ(global.evaluator.Evaluate(kPage, unit.cells[i].formula, n, result), 1);
                EXPECT_TRUE(global.evaluator.LastEvaluationSound());
                EXPECT_TRUE(std::isfinite(result));
                ++formulas;
            }
        }
    }
    EXPECT_EQ(boxes.Texts(), QStringList());
    EXPECT_GT(formulas, 1000);
}

TEST(ProgramView, ReadAndWriteItemsOfAUnitAreInverse) {
    LoadedProgram program(2);
    CGlobal& global = program.global();
    for (const auto& [key, value] : SimDefaults()) {
        global.evaluator.AddConst(key, static_cast<std::int32_t>(value));
    }
    int pairs = 0;
    for (const DatRecord& r : Records()) {
        std::vector<UnitItem> items = ParseUnitDefinition(r.unitDefinition);
        for (std::size_t i = 0; i + 1 < items.size(); ++i) {
            const UnitItem& read = items[i];
            const UnitItem& write = items[i + 1];
            if (read.displayName.empty() || write.unitName != read.displayName) {
                continue;
            }
            double shown = 0, raw = 0;
            ASSERT_EQ(global.evaluator.Evaluate(kPage, Q(read.formula), 30000, shown), 1);
            ASSERT_EQ(global.evaluator.Evaluate(kPage, Q(write.formula), shown, raw), 1);
            EXPECT_NEAR(raw, 30000, 1e-6) << r.index << r.sub << " " << read.displayName;
            ++pairs;
        }
    }
    EXPECT_GT(pairs, 200);
}

TEST(ProgramView, VelocityReadsInRpmThroughTheFeedConstant) {
    LoadedProgram program(2);
    CGlobal& global = program.global();
    global.evaluator.AddConst(0x609201, 10000);  // position units per revolution
    global.evaluator.AddConst(0x609202, 1);
    QString unit;
    CSdoInfo entry;
    ASSERT_EQ(global.dictionary.FindByKey(0x606C00, entry), 1);
    ASSERT_EQ(global.units.DefaultUnitText(0x606C00, entry.unitDefinition, unit), 1);
    EXPECT_EQ(unit, "rpm");
    double value = 500000;  // position units per second
    QString formula;
    int handled = 0;
    ASSERT_EQ(global.ConvertReadValue(kPage, 0x606C00, unit, value, formula, handled), 1);
    EXPECT_DOUBLE_EQ(value, 3000);
    EXPECT_EQ(global.FormatValue(unit, entry.dataType, formula, value), "3000.000");
}
