#include "tuner_fixture.h"

#include <QLabel>
#include <QProgressBar>
#include <QTest>

bool TunerFixture::Open(const QStringList& simOptions, bool withModule, bool connect) {
    if (!sim_.Start(simOptions))
        return false;
    if (withModule && !sim_.base().CopyFromRuntime("nzsim.so"))
        return false;
    if (connect && !sim_.Connect())
        return false;
    view_ = std::make_unique<CTIDtuner>(sim_.g());
    view_->resize(920, 700);
    view_->OnInitialUpdate();
    view_->show();
    view_->activateWindow();
    return QTest::qWaitForWindowExposed(view_.get());
}

TunerFixture::~TunerFixture() {
    view_.reset();
}

void TunerFixture::Type(const QString& name, const QString& text) {
    auto* box = Find<QLineEdit>(name);
    if (!box)
        return;
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Backspace);
    QTest::keyClicks(box, text);
}

void TunerFixture::Click(const QString& name) {
    if (auto* button = Find<QAbstractButton>(name))
        QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
}

bool TunerFixture::Unlock() {
    boxes_.SetAnswer(platform::IDOK);
    Click("1295");
    return Find<QPushButton>("1233")->isEnabled();
}

bool TunerFixture::Scan(int from, int end, int step, int amplitude, int timeoutMs) {
    Type("1057", QString::number(from));
    Type("1058", QString::number(end));
    Type("1059", QString::number(step));
    Type("1282", QString::number(amplitude));
    if (!Unlock())
        return false;
    Click("1233");
    bool pictured = false;
    auto* progress = Find<QProgressBar>("progress");
    auto ended = [&] {
        if (!pictured && progress->isVisible() && progress->value() * 2 > progress->maximum()) {
            Shot("tuner_scanning");  // the read-out half way
            pictured = true;
        }
        return !Dlg().ScanActive() && g().acquisitionBusy == 0;
    };
    return QTest::qWaitFor(ended, timeoutMs) &&
           QTest::qWaitFor([&] { return Status() == "finish."; }, 1000);
}

QString TunerFixture::Status() {
    return Find<QLabel>("1294")->text();
}

void TunerFixture::Shot(const QString& name) {
    QByteArray folder = qgetenv("TUNER_SHOTS");
    if (!folder.isEmpty())
        view_->grab().save(QString::fromLocal8Bit(folder) + "/" + name + ".png");
}
