#include "scope_fake_fixture.h"

#include <QElapsedTimer>
#include <QPushButton>
#include <QTest>

#include "comm/comm.h"
#include "comm/protocol.h"
#include "scope/scopeobjects.h"
#include "support/sdo_record.h"

using namespace platform;

namespace {
constexpr std::uint8_t kAddress = 1;

QByteArray Dictionary() {
    const QString rpm = "[>rpm rpm]N/10;[rpm]N*10;[0.1rpm]N*1";
    return SdoRecord("2100", "01", "速度", "Speed limit", "INTEGER16", "W", "", "", rpm) +
           SdoRecord("2100", "02", "增益", "Gain", "UNSIGNED16", "W") +
           SdoRecord("2100", "03", "限幅", "Limit", "INTEGER32", "W") +
           SdoRecord("2100", "04", "状态", "State", "UNSIGNED8", "R") +
           SdoRecord("606c", "00", "实际速度", "Velocity actual", "INTEGER32", "RL");
}

const char kLists[] =
    "[trigger]\n1=210001\n2=606C00\n"
    "[channel]\n1=210001\n2=210002\n3=210003\n4=210004\n5=606C00\n";
}  // namespace

void ScopeDrive::Set(std::int32_t key, std::uint32_t value) {
    std::lock_guard lock(mutex_);
    values_[key] = value;
}

std::uint32_t ScopeDrive::Get(std::int32_t key) {
    std::lock_guard lock(mutex_);
    return values_[key];
}

void ScopeDrive::Refuse(std::int32_t key) {
    std::lock_guard lock(mutex_);
    refused_.insert(key);
}

void ScopeDrive::SetBuffer(const QByteArray& bytes, bool lastBit) {
    std::lock_guard lock(mutex_);
    buffer_ = bytes;
    lastBit_ = lastBit;
}

void ScopeDrive::RefuseSegment(int n) {
    std::lock_guard lock(mutex_);
    refuseSegment_ = n;
}

FakeReply ScopeDrive::Segment(const SeenRequest& r) {
    FakeReply reply;
    if (++segments_ == refuseSegment_) {
        reply.bytes = SerialFrame(kAddress, 0x80, scope::Key(scope::kSamples), 0x05030000);
        return reply;
    }
    const int n = std::min<int>(7, int(buffer_.size()) - position_);
    const bool last = position_ + n >= buffer_.size() && (n < 7 || lastBit_);
    const auto code = std::uint8_t((r.command & 0x10) | ((7 - n) << 1) | (last ? 1 : 0));
    reply.bytes = SerialFrame(kAddress, code, 0, 0);
    for (int i = 0; i < n; ++i)
        reply.bytes[std::size_t(2 + i)] = std::uint8_t(buffer_[position_ + i]);
    reply.bytes[9] = CProtocol::Checksum(reply.bytes.data());
    position_ += n;
    return reply;
}

FakeReply ScopeDrive::Answer(const SeenRequest& r) {
    std::lock_guard lock(mutex_);
    FakeReply reply;
    if (r.command == sdo::SegmentEven || r.command == sdo::SegmentOdd)
        return Segment(r);
    if (refused_.count(r.key)) {
        reply.bytes = SerialFrame(kAddress, 0x80, r.key, 0x06020000);
        return reply;
    }
    if (r.command == sdo::Read && r.key == scope::Key(scope::kSamples)) {
        position_ = segments_ = 0;
        reply.bytes = SerialFrame(kAddress, 0x41, r.key, std::int32_t(buffer_.size()));
        return reply;
    }
    if (r.command != sdo::Read) {
        values_[r.key] = std::uint32_t(r.data);
        reply.bytes = SerialFrame(kAddress, 0x60, r.key, std::int32_t(values_[r.key]));
        if (r.key == scope::Key(scope::kControl))
            values_[r.key] = 0;  // armed; the next read reports the data ready
        return reply;
    }
    const std::uint32_t value = values_[r.key];
    reply.bytes = SerialFrame(kAddress, 0x43, r.key, std::int32_t(value));
    return reply;
}

ScopeFakeFixture::ScopeFakeFixture() {
    base_.Write("data/velto.dat", Dictionary());
    base_.Write("sys/sys.ini", "[sys]\nlang=2\ncomm=2\n");
    base_.Write("sys/Oscilloscope.ini", kLists);
    global_ = std::make_unique<CGlobal>(base_.Path());
    global_->dictionary.WaitLoaded(10000);
    global_->language = 2;
    global_->screenDpi = 96;
    main_ = std::make_unique<MainStandIn>(*global_);
    global_->mainWindow = main_->Handle();
    std::weak_ptr<ScopeDrive> drive = drive_;
    script_->SetResponder([drive](const SeenRequest& r) {
        auto d = drive.lock();
        return d ? d->Answer(r) : FakeReply{};
    });
    drive_->Set(scope::Key(scope::kPeriod), 16);
    drive_->Set(scope::Key(scope::kSampleCount), 7);
}

ScopeFakeFixture::~ScopeFakeFixture() {
    page_.reset();
    global_->online = 2;
    global_->stopWorker = 1;
}

bool ScopeFakeFixture::Open() {
    page_ = std::make_unique<CDriverOscillo>(*global_);
    page_->resize(page_->minimumSize());
    page_->OnInitialUpdate();
    page_->show();
    if (!QTest::qWaitForWindowExposed(page_.get()))
        return false;
    CCtrlLink& link = global_->link;
    link.SetLinkKind(CComm::Serial);
    link.Protocol().Comm().Attach(NewFakeSerial(script_));
    link.SetDriveAddress(kAddress);
    CommSettings settings;
    link.Open(settings);
    global_->online = 1;
    page_->OnMessage(WM_PAGE_NOTIFY, 0, 0);
    return QTest::qWaitFor([&] { return page_->readStep == 14; }, 5000) && WaitQuiet();
}

bool ScopeFakeFixture::WaitQuiet(int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    std::size_t count = script_->Requests().size();
    while (timer.elapsed() < timeoutMs) {
        QTest::qWait(150);
        const std::size_t now = script_->Requests().size();
        if (now == count && page_->readStep != 7)
            return true;
        count = now;
    }
    return false;
}

std::vector<SeenRequest> ScopeFakeFixture::Seen(std::uint8_t command) const {
    std::vector<SeenRequest> out;
    const std::vector<SeenRequest> all = script_->Requests();
    for (std::size_t i = seenBefore_; i < all.size(); ++i)
        if (command == 0 || all[i].command == command)
            out.push_back(all[i]);
    return out;
}

bool ScopeFakeFixture::Capture(int timeoutMs) {
    QTest::mouseClick(page_->Form().capture.start, Qt::LeftButton);
    return QTest::qWaitFor([&] { return page_->Cycle().Stopped() && !global_->acquisitionBusy; },
                           timeoutMs);
}
