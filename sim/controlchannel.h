#pragma once
// The simulator's control channel: text commands, one a line, from a UNIX stream socket and
// from standard input; each command is answered with one line.
#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <functional>
#include <map>
#include <memory>

namespace vsim {

class CControlChannel : public QObject {
    Q_OBJECT
public:
    using Handler = std::function<QString(const QString& line)>;

    explicit CControlChannel(Handler handler) : handler_(std::move(handler)) {}
    ~CControlChannel() override;

    // Listens on a UNIX socket at path (replacing a stale one); false with a message.
    bool Listen(const QString& path, QString& error);
    // Reads commands from standard input too (answers go to standard output).
    void WatchStdin();
    QString Path() const { return path_; }

    static QString DefaultPath(int address);
    // Sends one command to a running simulator and returns its answer (the --tell client).
    static bool Tell(const QString& path, const QString& command, QString& answer);

private:
    struct Client {
        std::unique_ptr<QSocketNotifier> notifier;
        QByteArray pending;
    };
    void OnConnection();
    void OnClientData(int fd);
    void OnStdin();
    QByteArray Answer(const QByteArray& line);

    Handler handler_;
    QString path_;
    int listener_ = -1;
    std::unique_ptr<QSocketNotifier> listenNotifier_;
    std::unique_ptr<QSocketNotifier> stdinNotifier_;
    QByteArray stdinPending_;
    std::map<int, Client> clients_;
};

}  // namespace vsim
