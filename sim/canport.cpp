#include "canport.h"

#include <QCanBus>
#include <QCanBusFrame>

namespace vsim {

CCanPort::CCanPort(uint8_t address, RequestHandler onRequest)
    : address_(address), onRequest_(std::move(onRequest)) {}

CCanPort::~CCanPort() {
    if (device_)
        device_->disconnectDevice();
}

bool CCanPort::Open(const QString& spec, QString& error) {
    const int colon = spec.indexOf(':');
    if (colon <= 0 || colon == spec.size() - 1) {
        error = QString("CAN interface \"%1\" is not PLUGIN:INTERFACE").arg(spec);
        return false;
    }
    const QString plugin = spec.left(colon), iface = spec.mid(colon + 1);
    QString why;
    device_.reset(QCanBus::instance()->createDevice(plugin, iface, &why));
    if (!device_) {
        error = QString("cannot create CAN device %1: %2").arg(spec, why);
        return false;
    }
    connect(device_.get(), &QCanBusDevice::framesReceived, this, [this] { OnFrames(); });
    if (!device_->connectDevice()) {
        error = QString("cannot connect CAN device %1: %2").arg(spec, device_->errorString());
        device_.reset();
        return false;
    }
    return true;
}

void CCanPort::OnFrames() {
    while (device_ && device_->framesAvailable()) {
        const QCanBusFrame frame = device_->readFrame();
        if (frame.frameType() != QCanBusFrame::DataFrame || frame.hasExtendedFrameFormat() ||
            frame.frameId() != 0x600u + address_ || frame.payload().size() != 8)
            continue;
        const QByteArray payload = frame.payload();
        SdoFrame request{};
        for (size_t i = 0; i < request.size(); ++i) request[i] = uint8_t(payload.at(int(i)));
        onRequest_(request);
    }
}

void CCanPort::Send(const SdoFrame& reply) {
    if (!device_)
        return;
    const QByteArray payload(reinterpret_cast<const char*>(reply.data()), 8);
    device_->writeFrame(QCanBusFrame(0x580u + address_, payload));
}

}  // namespace vsim
