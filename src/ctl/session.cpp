#include "ctl/session.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

#include "comm/comm.h"
#include "comm/linksettings.h"
#include "platform/basefolder.h"

using namespace platform;

namespace {
// Without --base the program's rule holds, the per-user folder of an installed program too.
QString BaseFolder(const CtlOptions& o) {
    if (!o.base.isEmpty())
        return QDir(o.base).absolutePath();
    const BaseFolderChoice choice = ChooseStartFolder();
    if (!choice.error.isEmpty())
        std::fprintf(stderr, "veltoctl: cannot prepare the folder %s: %s\n",
                     qPrintable(choice.folder), qPrintable(choice.error));
    return choice.folder;
}
}  // namespace

CtlSession::CtlSession(const CtlOptions& options)
    : options_(options), global_(BaseFolder(options), options.language) {
    global_.mainWindow = Handle();
}

CtlSession::~CtlSession() {
    global_.online = 2;
    global_.link.Close();
}

bool CtlSession::LoadDictionary() {
    global_.dictionary.WaitLoaded(15000);
    if (global_.dictionary.Count() > 0)
        return true;
    std::fprintf(stderr, "no dictionary: %s holds no objects\n",
                 qPrintable(QDir::toNativeSeparators(global_.databasePath)));
    return false;
}

int CtlSession::OpenLink(QString& error) {
    StoredLink link;
    if (!options_.serialPath.isEmpty()) {
        link.kind = CComm::Serial;
        link.settings.rate = options_.baud;
        CopyToBuffer(link.settings.portName, sizeof link.settings.portName, options_.serialPath);
    } else if (!options_.canAdapter.isEmpty()) {
        link.kind = CComm::Can;
        link.settings.rate = options_.bitrateCode;
        CopyToBuffer(link.settings.adapter, sizeof link.settings.adapter, options_.canAdapter);
    } else {
        global_.ReadCommMode();
        link = ReadStoredLink(global_, global_.commMode);
        if (link.kind == 0) {
            error = "no link: the communication mode in sys/sys.ini is offline";
            return kExitNoLink;
        }
    }
    if (options_.address)
        link.address = *options_.address;
    if (!options_.serialPath.isEmpty() || !options_.canAdapter.isEmpty() || options_.address) {
        if (link.address == 0)
            link.address = 1;
    }
    link.settings.driveAddress = link.address;
    link.settings.waitMs = 500;

    if (global_.link.SetLinkKind(link.kind) == 0) {
        error = "no link: the link module for this kind could not be loaded";
        return kExitNoLink;
    }
    global_.link.SetDriveAddress(link.address);
    QString where = link.kind == CComm::Serial ? QString::fromUtf8(link.settings.portName)
                                               : QString::fromUtf8(link.settings.adapter);
    int result = global_.link.Open(link.settings);
    if (result != 0) {
        error = QStringLiteral("no link: cannot open %1 (error %2)").arg(where).arg(result);
        return kExitNoLink;
    }
    driveText_ = QStringLiteral("drive %1 on %2").arg(link.address).arg(where);
    global_.online = 1;
    return kExitOk;
}

LResult CtlSession::OnMessage(unsigned msg, WParam w, LParam l) {
    if (msg == WM_LINK_STATE && w == 0)
        linkDown_ = true;
    if (msg != WM_LINK_VALUE && msg != WM_LINK_ABORT && msg != WM_LINK_SEGMENT)
        return 0;
    LinkReply reply{msg, w, l, {}};
    if (msg == WM_LINK_SEGMENT) {
        const std::uint8_t* data = nullptr;
        std::uint8_t count = 0;
        global_.link.GetSegment(data, count);
        if (data)
            reply.segment = QByteArray(reinterpret_cast<const char*>(data), count);
    }
    replies_.push_back(reply);
    return 0;
}

// Replies for other objects are the ones formulas asked for, on behalf of the main window.
void CtlSession::HandleReference(const LinkReply& reply) {
    auto key = static_cast<std::int32_t>(reply.lParam);
    if (key != kStatusWordKey)
        global_.evaluator.ReferenceReply(reply.msg, static_cast<std::int32_t>(reply.wParam), key);
}

bool CtlSession::WaitForKey(std::int32_t key, LinkReply& reply, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!linkDown_ && timer.elapsed() < timeoutMs) {
        while (!replies_.empty()) {
            LinkReply r = replies_.front();
            replies_.pop_front();
            if (static_cast<std::int32_t>(r.lParam) == key) {
                reply = r;
                return true;
            }
            HandleReference(r);
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return false;
}

bool CtlSession::NextReply(LinkReply& reply, int timeoutMs) {
    QElapsedTimer timer;
    timer.start();
    while (!linkDown_ && timer.elapsed() < timeoutMs) {
        while (!replies_.empty()) {
            reply = replies_.front();
            replies_.pop_front();
            if (reply.msg == WM_LINK_VALUE || reply.msg == WM_LINK_ABORT)
                return true;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
    }
    return false;
}

bool CtlSession::Exchange(std::uint8_t command, std::int32_t key, std::int32_t data,
                          LinkReply& reply) {
    global_.link.Request(Handle(), command, key, data);
    return WaitForKey(key, reply);
}
