#include "scope/oscilloform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolButton>

#include "scope/graphview.h"
#include "scope/mygraph.h"
#include "scope/textspin.h"

namespace {

QString Tr(const char* text) {
    return QCoreApplication::translate("CDriverOscillo", text);
}

QPushButton* PickButton(QWidget* parent) {
    auto* b = new QPushButton(QStringLiteral("..."), parent);
    b->setFixedWidth(22);
    return b;
}

QLineEdit* Field(QWidget* parent, int width, bool readOnly = false) {
    auto* e = new QLineEdit(parent);
    e->setFixedWidth(width);
    e->setReadOnly(readOnly);
    return e;
}

QWidget* ChannelBlock(QWidget* parent, std::array<ChannelControls, 4>& channels) {
    auto* box = new QGroupBox(Tr("通道"), parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(3);
    const char* headers[] = {"", "对象", "", "单位", "自动", "刻度/格", "偏移"};
    for (int c = 0; c < 7; ++c) {
        auto* label = new QLabel(Tr(headers[c]), box);
        label->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        grid->addWidget(label, 0, c);
    }
    for (int k = 0; k < 4; ++k) {
        ChannelControls& ch = channels[std::size_t(k)];
        ch.check = new QCheckBox(QStringLiteral("CH%1").arg(k + 1), box);
        QPalette palette = ch.check->palette();
        palette.setColor(QPalette::WindowText, CMyGraph::kChannelColours[std::size_t(k)]);
        ch.check->setPalette(palette);
        ch.object = new QComboBox(box);
        ch.object->setFixedWidth(140);
        ch.object->setMaxVisibleItems(20);
        ch.pick = PickButton(box);
        ch.unit = new QComboBox(box);
        ch.unit->setFixedWidth(64);
        ch.autoScale = new QCheckBox(box);
        ch.scale = new CTextSpin(false, box);
        ch.scale->setFixedWidth(58);
        ch.offset = new CTextSpin(true, box);
        ch.offset->setFixedWidth(90);
        QWidget* row[] = {ch.check, ch.object, ch.pick, ch.unit, ch.autoScale, ch.scale, ch.offset};
        for (int c = 0; c < 7; ++c) grid->addWidget(row[c], k + 1, c);
        ch.check->setObjectName(QStringLiteral("channel%1").arg(k + 1));
    }
    return box;
}

QWidget* TriggerBlock(QWidget* parent, TriggerControls& t, CaptureControls& c) {
    auto* box = new QGroupBox(Tr("触发与采样"), parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(2);
    t.source = new QComboBox(box);
    t.source->setFixedWidth(140);
    t.pick = PickButton(box);
    t.edge = new QToolButton(box);
    t.edge->setIconSize(QSize(20, 20));
    t.unit = new QComboBox(box);
    t.level = Field(box, 70);
    grid->addWidget(new QLabel(Tr("触发源"), box), 0, 0);
    grid->addWidget(t.source, 0, 1, 1, 3);
    grid->addWidget(t.pick, 0, 4);
    grid->addWidget(t.edge, 0, 5);
    grid->addWidget(new QLabel(Tr("触发电平"), box), 1, 0);
    grid->addWidget(t.level, 1, 1);
    grid->addWidget(t.unit, 1, 2, 1, 2);
    c.period = Field(box, 56);
    c.periodText = new QLabel(box);
    c.periodText->setMinimumWidth(70);
    c.pointerOffset = Field(box, 56);
    c.sampleCount = Field(box, 56);
    grid->addWidget(new QLabel(Tr("采样周期"), box), 2, 0);
    grid->addWidget(c.period, 2, 1);
    grid->addWidget(c.periodText, 2, 2, 1, 3);
    grid->addWidget(new QLabel(Tr("触发位置"), box), 3, 0);
    grid->addWidget(c.pointerOffset, 3, 1);
    grid->addWidget(new QLabel(Tr("采样点数"), box), 3, 2, Qt::AlignRight);
    grid->addWidget(c.sampleCount, 3, 3, 1, 3);
    return box;
}

QWidget* ButtonRow(QWidget* parent, CaptureControls& c) {
    auto* box = new QWidget(parent);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    c.start = new QPushButton(box);
    c.reread = new QPushButton(Tr("重读数据"), box);
    c.continuous = new QCheckBox(Tr("连续采集"), box);
    c.exportButton = new QPushButton(Tr("导出"), box);
    c.importButton = new QPushButton(Tr("导入"), box);
    for (QPushButton* b : {c.start, c.reread, c.exportButton, c.importButton})
        b->setMinimumWidth(90);
    row->addWidget(c.start);
    row->addWidget(c.reread);
    row->addWidget(c.continuous);
    row->addStretch(1);
    row->addWidget(c.exportButton);
    row->addWidget(c.importButton);
    return box;
}

QWidget* ReadoutBlock(QWidget* parent, ReadoutControls& r) {
    auto* box = new QGroupBox(Tr("光标"), parent);
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(4, 2, 4, 2);
    grid->setVerticalSpacing(3);
    const char* modes[] = {"无光标", "单光标", "双光标"};
    auto* modeRow = new QHBoxLayout;
    for (int i = 0; i < 3; ++i) {
        r.mode[std::size_t(i)] = new QRadioButton(Tr(modes[i]), box);
        modeRow->addWidget(r.mode[std::size_t(i)]);
    }
    grid->addLayout(modeRow, 0, 0, 1, 3);
    r.channel = new QComboBox(box);
    for (int k = 1; k <= 4; ++k) r.channel->addItem(QStringLiteral("CH%1").arg(k));
    r.timeCaption = new QLabel(box);
    r.dataCaption = new QLabel(box);
    grid->addWidget(r.channel, 1, 0);
    grid->addWidget(r.timeCaption, 1, 1);
    grid->addWidget(r.dataCaption, 1, 2);
    const char* rows[] = {"光标1", "光标2", "差值"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(new QLabel(Tr(rows[i]), box), i + 2, 0);
        r.time[std::size_t(i)] = Field(box, 64, true);
        r.value[std::size_t(i)] = Field(box, 80, true);
        grid->addWidget(r.time[std::size_t(i)], i + 2, 1);
        grid->addWidget(r.value[std::size_t(i)], i + 2, 2);
    }
    return box;
}

// Status text and upload progress above the plot; the cursor sliders under it.
void PlaceAroundPlot(QWidget* page, CMyGraph& graph, OscilloForm& form) {
    const GraphArea& a = graph.Area();
    CaptureControls& c = form.capture;
    c.status = new QLabel(page);
    c.status->setGeometry(a.left + 10, 0, 260, std::max(16, a.top));
    c.progress = new QProgressBar(page);
    c.progress->setGeometry(a.left + 280, 2, 220, std::max(12, a.top - 4));
    c.progress->setTextVisible(true);
    c.progress->hide();
    for (int i = 0; i < 2; ++i) {
        auto* s = new QSlider(Qt::Horizontal, page);
        s->setGeometry(graph.PlotLeft() - 4, a.bottom + 2 + 20 * i, graph.PlotWidth() + 6, 20);
        form.readouts.cursor[std::size_t(i)] = s;
    }
}

}  // namespace

void BuildOscilloForm(QWidget* page, CMyGraph& graph, OscilloForm& form) {
    form.graphView = new CScopeGraphView(graph, page);
    PlaceAroundPlot(page, graph, form);
    auto* panel = new QWidget(page);
    auto* column = new QVBoxLayout(panel);
    column->setContentsMargins(4, 0, 4, 4);
    column->setSpacing(4);
    auto* row = new QHBoxLayout;
    row->addWidget(ChannelBlock(panel, form.channels));
    row->addWidget(TriggerBlock(panel, form.trigger, form.capture));
    row->addWidget(ReadoutBlock(panel, form.readouts));
    row->addStretch(1);
    column->addLayout(row);
    column->addWidget(ButtonRow(panel, form.capture));
    const int top = graph.Area().bottom + 44;
    const QSize size = panel->sizeHint();
    panel->setGeometry(0, top, std::max(size.width(), graph.Area().right + 8), size.height());
}

// The page's size: the plot, the cursor sliders and the panel below them.
QSize OscilloFormSize(QWidget* page) {
    QRect all;
    for (QWidget* child : page->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        all = all.united(child->geometry());
    return QSize(all.right() + 1, all.bottom() + 1);
}
