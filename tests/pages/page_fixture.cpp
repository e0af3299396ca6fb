#include "page_fixture.h"

#include "comm/comm.h"
#include "comm/protocol.h"
#include "support/sdo_record.h"

namespace {
constexpr std::uint8_t kAddress = 1;

QByteArray Dictionary() {
    const QString rpm = "[>rpm rpm]N/10;[rpm]N*10;[0.1rpm]N*1";
    return SdoRecord("2100", "01", "速度", "Speed limit", "INTEGER16", "W", "", "speed help", rpm) +
           SdoRecord("2100", "02", "增益", "Gain", "UNSIGNED16", "W", "", "gain\nhelp。x") +
           SdoRecord("2100", "03", "限幅", "Limit", "INTEGER32", "W") +
           SdoRecord("100a", "00", "软件版本", "Software version", "VISIBLE STRING", "R") +
           SdoRecord("1008", "00", "名称", "Device name", "VISIBLE STRING", "R") +
           SdoRecord("2100", "04", "状态", "State", "UNSIGNED8", "R") +
           SdoRecord("606c", "00", "实际速度", "Velocity actual", "INTEGER32", "RL");
}
}  // namespace

void PageDrive::Set(std::int32_t key, std::int32_t value) {
    std::lock_guard lock(mutex_);
    values_[key] = value;
}

std::int32_t PageDrive::Get(std::int32_t key) {
    std::lock_guard lock(mutex_);
    return values_[key];
}

void PageDrive::Refuse(std::int32_t key) {
    std::lock_guard lock(mutex_);
    refused_.insert(key);
}

void PageDrive::SetString(std::int32_t key, const QByteArray& text) {
    std::lock_guard lock(mutex_);
    strings_[key] = text;
}

void PageDrive::SetLimit(std::int32_t key, std::int32_t limit) {
    std::lock_guard lock(mutex_);
    limits_[key] = limit;
}

FakeReply PageDrive::Segment(std::uint8_t command) {
    int n = std::min<int>(7, upload_.size() - uploadPos_);
    bool last = n < 7;
    auto code = std::uint8_t((command & 0x10) | ((7 - n) << 1) | (last ? 1 : 0));
    FakeReply reply;
    reply.bytes = SerialFrame(kAddress, code, 0, 0);
    for (int i = 0; i < n; ++i) reply.bytes[2 + i] = std::uint8_t(upload_.at(uploadPos_ + i));
    reply.bytes[9] = CProtocol::Checksum(reply.bytes.data());
    uploadPos_ += n;
    return reply;
}

FakeReply PageDrive::Answer(const SeenRequest& r) {
    std::lock_guard lock(mutex_);
    FakeReply reply;
    if (r.command == sdo::SegmentEven || r.command == sdo::SegmentOdd)
        return Segment(r.command);
    if (refused_.count(r.key)) {
        reply.bytes = SerialFrame(kAddress, 0x80, r.key, 0x06020000);
        return reply;
    }
    if (r.command == sdo::Read && strings_.count(r.key)) {
        upload_ = strings_[r.key];
        uploadPos_ = 0;
        reply.bytes = SerialFrame(kAddress, 0x41, r.key, upload_.size());
        return reply;
    }
    if (r.command != sdo::Read) {
        std::int32_t value = r.data;
        if (limits_.count(r.key))
            value = std::min(value, limits_[r.key]);
        values_[r.key] = value;
        reply.bytes = SerialFrame(kAddress, 0x60, r.key, value);
        return reply;
    }
    reply.bytes = SerialFrame(kAddress, 0x43, r.key, values_[r.key]);
    return reply;
}

PageFixture::PageFixture(const QByteArray& moreObjects) {
    base_.Write("data/velto.dat", Dictionary() + moreObjects);
    base_.Write("sys/sys.ini", "[sys]\nlang=2\ncomm=2\n");
    global_ = std::make_unique<CGlobal>(base_.Path());
    global_->dictionary.WaitLoaded(10000);
    global_->language = 2;
    global_->columnTitles[0] = "name";
    global_->columnTitles[1] = "data";
    global_->columnTitles[2] = "unit";
    const int widths[5] = {200, 110, 80, 190, 40};
    for (int i = 0; i < 5; ++i) global_->columnWidths[i] = widths[i];
    global_->screenDpi = 96;
    std::weak_ptr<PageDrive> drive = drive_;
    script_->SetResponder([drive](const SeenRequest& r) {
        auto d = drive.lock();
        return d ? d->Answer(r) : FakeReply{};
    });
}

PageFixture::~PageFixture() {
    global_->online = 2;
    global_->stopWorker = 1;
}

void PageFixture::WriteList(const QString& pageName, const std::vector<std::int32_t>& keys) {
    QByteArray text =
        "[" + pageName.toUtf8() + "]\nnum=" + QByteArray::number(int(keys.size())) + "\n";
    for (size_t i = 0; i < keys.size(); ++i)
        text += QByteArray::number(int(i + 1)) + "=" + QByteArray::number(keys[i], 16) + "\n";
    base_.Write("sys/" + pageName + ".ini", text);
}

void PageFixture::Connect() {
    CCtrlLink& link = global_->link;
    link.SetLinkKind(CComm::Serial);
    link.Protocol().Comm().Attach(NewFakeSerial(script_));
    link.SetDriveAddress(kAddress);
    CommSettings settings;
    link.Open(settings);
    global_->online = 1;
}

void PageFixture::Disconnect() {
    global_->online = 2;
}

std::vector<SeenRequest> PageFixture::Seen(std::uint8_t command) const {
    std::vector<SeenRequest> out;
    for (const SeenRequest& r : script_->Requests())
        if (command == 0 || r.command == command)
            out.push_back(r);
    return out;
}
