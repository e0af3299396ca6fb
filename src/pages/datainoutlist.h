#pragma once
// The function list of the I/O page: a check-box list of the input or output functions named
// in DataInOut.ini. OK sends the chosen set to the owner as WM_IO_FUNCTION (value, key); the
// dialog is hidden between uses, never destroyed.
#include <QDialog>
#include <cstdint>
#include <vector>

#include "pages/iofunctions.h"
#include "platform/messages.h"

class QTableWidget;

class CDataInOutList : public QDialog {
    Q_OBJECT
public:
    // mode 0 = inputs, 1 = outputs.
    CDataInOutList(int mode, const QString& iniPath, int language, int screenDpi,
                   QWidget* parent = nullptr);

    // Shows the dialog for one function set of the owner page.
    void Open(platform::WindowHandle owner, std::int32_t key, std::uint16_t value);

    QTableWidget* List() const { return list_; }
    int Mode() const { return mode_; }
    std::int32_t Key() const { return key_; }
    std::uint16_t Value() const { return value_; }

    static constexpr const char* kMixedTables = "Your setting is wrong!!";

private:
    void Fill(const std::vector<io::FunctionRow>& rows);
    void ShowChecks();
    void OnOk();

    QTableWidget* list_;
    std::vector<std::uint16_t> masks_;
    int mode_;
    platform::WindowHandle owner_ = 0;
    std::int32_t key_ = 0;
    std::uint16_t value_ = 0;
};
