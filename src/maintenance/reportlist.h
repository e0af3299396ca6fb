#pragma once
// A report-style list with grid lines and full-row selection, read-only; the batch pages show
// one row per object in it.
#include <QColor>
#include <QTableWidget>

class CReportList : public QTableWidget {
    Q_OBJECT
public:
    explicit CReportList(QWidget* parent = nullptr);

    void AddColumn(const QString& title, int width);
    // Empties the list and makes `rows` empty rows.
    void ResetRows(int rows);
    void SetItemText(int row, int column, const QString& text);
    QString ItemText(int row, int column) const;
    // Colours every cell of the row; an invalid colour restores the default.
    void SetRowBackground(int row, const QColor& colour);
    QColor RowBackground(int row) const;
};
