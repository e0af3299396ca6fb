#include "units_fixture.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>

#include "comm/comm.h"
#include "comm/protocol.h"
#include "support/sdo_record.h"

namespace {
constexpr int kDriveAddress = 1;
}

void PrintTo(const SentRequest& r, std::ostream* os) {
    *os << "{window " << r.window << ", command 0x" << std::hex << int(r.command) << ", key 0x"
        << r.key << ", data 0x" << r.data << std::dec << "}";
}

QByteArray DictionaryRecord(const TestObject& object) {
    const QString index = QString::asprintf("%04X", (object.key >> 8) & 0xFFFF);
    const QString sub = QString::asprintf("%02X", object.key & 0xFF);
    return SdoRecord(index, sub, "object", "object", object.dataType, object.attribute, "help",
                     "help", object.unitDefinition);
}

platform::LResult ReplyRecorder::OnMessage(unsigned msg, platform::WParam w, platform::LParam l) {
    if (msg != platform::WM_LINK_VALUE && msg != platform::WM_LINK_ABORT)
        return 0;
    order_.push_back(Handle());
    if (msg == platform::WM_LINK_VALUE && handler_)
        handler_(static_cast<std::int32_t>(l), static_cast<std::int32_t>(w));
    return 0;
}

UnitsFixture::UnitsFixture(const std::vector<TestObject>& objects, Link link) {
    QByteArray file;
    for (const TestObject& o : objects) file += DictionaryRecord(o);
    base_.Write("data/velto.dat", file);
    base_.Write("sys/sys.ini", "[sys]\nlang=2\ncomm=2\n");
    global_ = std::make_unique<CGlobal>(base_.Path());
    global_->dictionary.WaitLoaded(5000);
    global_->mainWindow = main_.Handle();
    if (link == Offline)
        return;
    global_->link.SetLinkKind(CComm::Serial);  // no module in the base folder: the fake is attached
    global_->link.Protocol().Comm().Attach(NewFakeSerial(script_));
    global_->link.SetDriveAddress(kDriveAddress);
    script_->SetResponder([drive = drive_](const SeenRequest& request) {
        return drive->Answer(request, false, kDriveAddress);
    });
    CommSettings settings;
    std::snprintf(settings.portName, sizeof settings.portName, "fake");
    settings.rate = 115200;
    global_->link.Open(settings);
    global_->online = 1;
}

UnitsFixture::~UnitsFixture() {
    global_->online = 2;
    global_->stopWorker = 1;
}

std::vector<SentRequest> UnitsFixture::TakeRequests(std::size_t expected) {
    QElapsedTimer timer;
    timer.start();
    auto done = [&] { return replyOrder_.size() >= taken_ + expected; };
    while (!done() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    for (int i = 0; i < 6; ++i) {  // extras would show up here
        QTest::qSleep(5);
        QCoreApplication::processEvents();
    }
    const std::vector<SeenRequest> seen = script_->Requests();
    std::vector<SentRequest> result;
    for (; taken_ < seen.size() && taken_ < replyOrder_.size(); ++taken_) {
        const SeenRequest& s = seen[taken_];
        result.push_back({replyOrder_[taken_], s.command, s.key, s.data});
    }
    return result;
}
