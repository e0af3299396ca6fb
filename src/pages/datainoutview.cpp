// The widgets of the I/O page: one grid of rows for the inputs, one for the outputs.
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "pages/datainout.h"
#include "resources/icons.h"

namespace {
enum Column {
    NameColumn,
    FunctionColumn,
    MoreColumn,
    SimColumn,
    PolColumn,
    LevelColumn,
    StateColumn
};

constexpr int kNameWidth = 52;
constexpr int kSwitchWidth = 48;
constexpr int kLampWidth = 64;

// Both grids get the same column widths.
void SetColumnWidths(QGridLayout* grid) {
    grid->setColumnMinimumWidth(NameColumn, kNameWidth);
    grid->setColumnMinimumWidth(SimColumn, kSwitchWidth);
    grid->setColumnMinimumWidth(PolColumn, kSwitchWidth);
    grid->setColumnMinimumWidth(LevelColumn, kLampWidth);
    grid->setColumnMinimumWidth(StateColumn, kLampWidth);
    grid->setColumnStretch(FunctionColumn, 1);
    grid->setHorizontalSpacing(4);
    grid->setContentsMargins(6, 4, 6, 4);
}

void AddHeader(QGridLayout* grid, const QStringList& titles) {
    for (int c = 0; c < titles.size(); ++c) {
        auto* label = new QLabel(titles[c]);
        label->setAlignment(c == FunctionColumn ? Qt::AlignLeft : Qt::AlignCenter);
        grid->addWidget(label, 0, c);
    }
}
}  // namespace

void CDataInOut::BuildLayout() {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->addWidget(BuildInputs());
    layout->addWidget(BuildOutputs());
    layout->addStretch();
}

QWidget* CDataInOut::BuildInputs() {
    auto* box = new QGroupBox(tr("输入"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    AddHeader(grid, {QString(), tr("功能"), QString(), tr("仿真"), tr("极性"), tr("实际输入"),
                     tr("虚拟状态")});
    for (int i = 0; i < io::kInputs; ++i) {
        int row = i + 1;
        grid->addWidget(new QLabel(QStringLiteral("DIN%1").arg(i + 1)), row, NameColumn);
        AddFunctionCells(grid, row, i);
        AddSwitchCell(grid, row, SimColumn, io::InSimulation, i);
        AddSwitchCell(grid, row, PolColumn, io::InPolarity, i);
        inputLamps_[i] = AddLampCell(grid, row, LevelColumn);
        virtualLamps_[i] = AddLampCell(grid, row, StateColumn);
        inputLamps_[i]->setObjectName(QStringLiteral("DIN%1Level").arg(i + 1));
        virtualLamps_[i]->setObjectName(QStringLiteral("DIN%1Virtual").arg(i + 1));
    }
    SetColumnWidths(grid);
    return box;
}

QWidget* CDataInOut::BuildOutputs() {
    auto* box = new QGroupBox(tr("输出"), this);
    auto* grid = new QGridLayout(box);
    grid->setVerticalSpacing(2);
    // An empty state column keeps the output columns under the input ones.
    AddHeader(grid, {QString(), tr("功能"), QString(), tr("仿真"), tr("极性"), tr("实际输出"),
                     QString()});
    for (int i = 0; i < io::kOutputs; ++i) {
        int row = i + 1;
        grid->addWidget(new QLabel(QStringLiteral("DOUT%1").arg(i + 1)), row, NameColumn);
        AddFunctionCells(grid, row, io::kInputs + i);
        AddSwitchCell(grid, row, SimColumn, io::OutSimulation, i);
        AddSwitchCell(grid, row, PolColumn, io::OutPolarity, i);
        outputLamps_[i] = AddLampCell(grid, row, LevelColumn);
        outputLamps_[i]->setObjectName(QStringLiteral("DOUT%1Level").arg(i + 1));
    }
    SetColumnWidths(grid);
    return box;
}

void CDataInOut::AddFunctionCells(QGridLayout* grid, int row, int set) {
    const QString port = io::IsInputSet(set) ? QStringLiteral("DIN%1").arg(set + 1)
                                             : QStringLiteral("DOUT%1").arg(set - io::kInputs + 1);
    auto* text = new QLineEdit(QStringLiteral("NULL"));
    text->setReadOnly(true);
    text->setObjectName(port + "Function");
    auto* more = new QPushButton(QStringLiteral("..."));
    more->setObjectName(port + "More");
    more->setFixedWidth(28);
    connect(more, &QPushButton::clicked, this, [this, set] { OnMore(set); });
    grid->addWidget(text, row, FunctionColumn);
    grid->addWidget(more, row, MoreColumn);
    functionBoxes_[set] = text;
    moreButtons_[set] = more;
}

void CDataInOut::AddSwitchCell(QGridLayout* grid, int row, int column, int word, int bit) {
    auto* button = new QPushButton;
    const bool inputs = word == io::InSimulation || word == io::InPolarity;
    const bool simulation = word == io::InSimulation || word == io::OutSimulation;
    button->setObjectName(QStringLiteral("%1%2%3")
                              .arg(inputs ? "DIN" : "DOUT")
                              .arg(bit + 1)
                              .arg(simulation ? "Simulation" : "Polarity"));
    button->setFlat(true);
    button->setIconSize(QSize(resources::kIconSize * 2, resources::kIconSize));
    button->setFixedSize(resources::kIconSize * 2 + 8, resources::kIconSize + 6);
    connect(button, &QPushButton::clicked, this, [this, word, bit] { OnSwitch(word, bit); });
    grid->addWidget(button, row, column, Qt::AlignCenter);
    switches_[word][bit] = button;
}

QLabel* CDataInOut::AddLampCell(QGridLayout* grid, int row, int column) {
    auto* lamp = new QLabel;
    lamp->setPixmap(resources::LoadIcon(resources::IDI_LAMP_OFF));
    lamp->setProperty("bitSet", false);
    grid->addWidget(lamp, row, column, Qt::AlignCenter);
    return lamp;
}
