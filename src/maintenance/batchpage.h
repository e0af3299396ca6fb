#pragma once
// What the two batch pages share: exclusive use of the link, one request at a time with its
// reply awaited (a lost link or a missing reply ends the wait), the progress bar with Cancel,
// and the status field.
#include <QElapsedTimer>
#include <QTimer>
#include <functional>
#include <optional>

#include "app/pageview.h"
#include "maintenance/batchpass.h"

class CGlobal;
class QLabel;
class QProgressBar;
class QPushButton;
class QBoxLayout;

class CBatchPage : public CPageView {
    Q_OBJECT
public:
    explicit CBatchPage(CGlobal& g, QWidget* parent = nullptr);

    platform::LResult OnMessage(unsigned msg, platform::WParam wParam,
                                platform::LParam lParam) override;

    QLabel* StatusField() const { return status_; }
    QProgressBar* Progress() const { return progress_; }
    QPushButton* CancelButton() const { return cancel_; }
    bool PassRunning() const { return pass_ && pass_->Running(); }

    // A request waits this long for its reply before its row fails.
    static constexpr int kReplyTimeoutMs = 10000;

protected:
    // The status field, the progress bar and Cancel in one row.
    QWidget* BuildProgressRow();
    // The page's one layout: the result list, the progress row, then the buttons.
    void LayOutPage(QWidget* list, QBoxLayout* buttons);
    QPushButton* AddButton(QBoxLayout* layout, const char* objectName, const QString& caption,
                           std::function<void()> action);
    void SetStatus(const QString& text);
    void TakeLink();
    void ReleaseLink();
    // True with an open link; otherwise shows "Comm port isn't Open!".
    bool LinkOpen();
    void Send(const drvdata::BatchRequest& request);
    void StartPass(drvdata::CBatchPass& pass);

    // Enables the page's buttons while no pass runs.
    virtual void SetIdle(bool idle) = 0;
    virtual void PassEnded(drvdata::CBatchPass& pass) = 0;
    virtual void RowChanged(int row) = 0;
    // Replies and missing replies that no pass waits for.
    virtual void OtherReply(unsigned msg, std::int32_t key, std::uint32_t value);
    virtual void OtherNoReply();
    virtual void OnPageNotify(int code);

    CGlobal& g_;

private:
    void Continue(std::optional<drvdata::BatchRequest> next);
    void EndPass();
    void CheckReply();
    void OnCancel();

    QLabel* status_;
    QProgressBar* progress_;
    QPushButton* cancel_;
    drvdata::CBatchPass* pass_ = nullptr;
    QTimer watchdog_;
    QElapsedTimer sentAt_;
    bool awaiting_ = false;
    std::int32_t awaitedKey_ = 0;
};
