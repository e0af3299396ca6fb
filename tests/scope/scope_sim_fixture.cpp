#include "scope_sim_fixture.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QCoreApplication>
#include <QTest>
#include <QTranslator>

#include "scope/scopechannels.h"
#include "scope/scopeobjects.h"

using namespace platform;

bool DriveAccess::Write(std::int32_t key, std::uint8_t command, std::int32_t value) {
    g_.link.Request(Handle(), command, key, value);
    return Wait(key);
}

bool DriveAccess::Read(std::int32_t key, std::uint32_t& value) {
    g_.link.Request(Handle(), 0x40, key, 0);
    if (!Wait(key))
        return false;
    value = lastValue_;
    return true;
}

bool DriveAccess::Wait(std::int32_t key) {
    lastKey_ = -1;
    aborted_ = false;
    return QTest::qWaitFor([&] { return lastKey_ == key; }, 5000) && !aborted_;
}

LResult DriveAccess::OnMessage(unsigned msg, WParam w, LParam l) {
    if (msg == WM_LINK_VALUE || msg == WM_LINK_ABORT) {
        lastKey_ = std::int32_t(l);
        lastValue_ = std::uint32_t(w);
        aborted_ = msg == WM_LINK_ABORT;
    }
    return 0;
}

LResult MainStandIn::OnMessage(unsigned msg, WParam w, LParam l) {
    if (msg == WM_LINK_STATE && w == 0)
        ++linkDown;
    if (msg == WM_LINK_PAGE && w == 2)
        ++browserOpened;
    if (msg == WM_LINK_VALUE || msg == WM_LINK_ABORT)
        g_.evaluator.ReferenceReply(msg, std::int32_t(w), std::int32_t(l));
    return 0;
}

void ScopeSimFixture::Click(QAbstractButton* button) {
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(7, button->height() / 2));
}

bool ScopeSimFixture::Open(int language, const QStringList& simOptions) {
    if (!sim_.Start(simOptions, language))
        return false;
    main_ = std::make_unique<MainStandIn>(g());
    g().mainWindow = main_->Handle();
    if (!sim_.base().CopyFromRuntime("sys/Oscilloscope.ini") ||
        !sim_.base().CopyFromRuntime("data/EN.qm"))
        return false;
    g().language = std::uint8_t(language);
    if (language == 2) {
        translator_ = new QTranslator;
        if (!translator_->load(sim_.base().File("data/EN.qm")))
            return false;
        QCoreApplication::installTranslator(translator_);
    }
    drive_ = std::make_unique<DriveAccess>(g());
    page_ = std::make_unique<CDriverOscillo>(g());
    page_->resize(page_->minimumSize());
    page_->OnInitialUpdate();  // offline: nothing read yet
    page_->show();
    if (!QTest::qWaitForWindowExposed(page_.get()) || !sim_.Connect())
        return false;
    page_->OnMessage(WM_PAGE_NOTIFY, 0, 0);
    return WaitReadDone();
}

ScopeSimFixture::~ScopeSimFixture() {
    page_.reset();
    if (translator_) {
        QCoreApplication::removeTranslator(translator_);
        delete translator_;
    }
}

bool ScopeSimFixture::RunMotor(int rpm) {
    DriveAccess& d = *drive_;
    return d.Write(0x606000, 0x2F, 3) && d.Write(0x604000, 0x2B, 6) && d.Write(0x604000, 0x2B, 7) &&
           d.Write(0x604000, 0x2B, 15) && d.Write(0x60FF00, 0x23, rpm);
}

bool ScopeSimFixture::Choose(QComboBox* box, const QString& text) {
    const int target = box->findText(text);
    if (target < 0)
        return false;
    // As a user does: open the list and click the entry (one choice, one notification).
    box->showPopup();
    QAbstractItemView* view = box->view();
    const QRect entry = view->visualRect(view->model()->index(target, 0));
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, entry.center());
    return box->currentIndex() == target;
}

void ScopeSimFixture::Type(QWidget* field, const QString& text) {
    field->setFocus();
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

bool ScopeSimFixture::WaitReadDone(int timeoutMs) {
    return QTest::qWaitFor([&] { return page_->readStep == 14 || page_->readStep == 0; },
                           timeoutMs) &&
           page_->readStep == 14;
}

bool ScopeSimFixture::UseChannel(int k, const QString& objectName) {
    const ChannelControls& c = page_->Form().channels[std::size_t(k - 1)];
    if (!Choose(c.object, objectName))
        return false;
    Click(c.check);
    CScopeChannels& channels = page_->Channels();
    const std::uint32_t entry = channels.SelectedEntry(k);
    // Written and read back: the drive's slot holds the object and the sequence is idle.
    return QTest::qWaitFor(
               [&] {
                   return (channels.Source16(k) == entry || channels.Source32(k) == entry) &&
                          page_->readStep == 14 && c.check->isChecked();
               },
               8000) &&
           WaitReadDone();
}

bool ScopeSimFixture::WaitCaptureDone(int timeoutMs) {
    return QTest::qWaitFor([&] { return page_->Cycle().Stopped() && !g().acquisitionBusy; },
                           timeoutMs);
}

QString ScopeSimFixture::NameOf(std::int32_t key) {
    CSdoInfo entry;
    return g().dictionary.FindByKey(key, entry) ? entry.name : QString();
}
