#include "maintenance/reportlist.h"

#include <QHeaderView>

CReportList::CReportList(QWidget* parent) : QTableWidget(parent) {
    setShowGrid(true);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    verticalHeader()->hide();
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    horizontalHeader()->setStretchLastSection(true);
    horizontalHeader()->setHighlightSections(false);
    setWordWrap(false);
}

void CReportList::AddColumn(const QString& title, int width) {
    const int column = columnCount();
    setColumnCount(column + 1);
    setHorizontalHeaderItem(column, new QTableWidgetItem(title));
    setColumnWidth(column, width);
}

void CReportList::ResetRows(int rows) {
    clearContents();
    setRowCount(rows);
}

void CReportList::SetItemText(int row, int column, const QString& text) {
    QTableWidgetItem* cell = item(row, column);
    if (!cell) {
        cell = new QTableWidgetItem;
        setItem(row, column, cell);
    }
    cell->setText(text);
}

QString CReportList::ItemText(int row, int column) const {
    const QTableWidgetItem* cell = item(row, column);
    return cell ? cell->text() : QString();
}

void CReportList::SetRowBackground(int row, const QColor& colour) {
    for (int column = 0; column < columnCount(); ++column) {
        if (!item(row, column))
            SetItemText(row, column, QString());
        item(row, column)->setBackground(colour.isValid() ? QBrush(colour) : QBrush());
    }
}

QColor CReportList::RowBackground(int row) const {
    const QTableWidgetItem* cell = item(row, 0);
    return cell && cell->background().style() != Qt::NoBrush ? cell->background().color()
                                                             : QColor();
}
