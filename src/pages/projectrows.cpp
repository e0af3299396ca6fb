#include "pages/projectrows.h"

#include <QApplication>
#include <QMdiSubWindow>
#include <QStyle>

#include "app/global.h"
#include "app/projectfile.h"
#include "dictionary/numberscan.h"
#include "pages/combolistctrl.h"
#include "pages/rowhelpers.h"

void StorePageList(CGlobal& g, const CComboListCtrl& grid, int pageNumber) {
    std::vector<ProjectRow> rows;
    for (int r = 0; r < grid.GetItemCount(); ++r)
        rows.push_back({grid.GetItemText(r, grid::Key), grid.GetItemText(r, grid::Value),
                        grid.GetItemText(r, grid::Unit)});
    StorePageList(g, pageNumber, rows);
}

const QWidget* PageFrameOf(const QWidget* view) {
    for (const QWidget* w = view; w; w = w->parentWidget())
        if (qobject_cast<const QMdiSubWindow*>(w))
            return w;
    return view ? view->window() : nullptr;
}

int PageCaptionHeight() {
    return QApplication::style()->pixelMetric(QStyle::PM_TitleBarHeight);
}

void StorePagePlacement(CGlobal& g, int pageNumber, const QWidget* view, int active) {
    const QWidget* frame = PageFrameOf(view);
    QPoint pos = frame ? frame->pos() : QPoint();
    int x = 0;
    int y = 0;
    PlacementToFile(pos.x(), pos.y(), PageCaptionHeight(), x, y);
    StorePagePlacement(g, pageNumber, active, x, y);
}

void LoadPageList(CGlobal& g, CComboListCtrl& grid, int pageNumber, platform::WindowHandle owner) {
    std::vector<ProjectRow> rows = ReadPageList(g, pageNumber);
    if (rows.empty())
        return;
    grid.DeleteAllItems();
    for (const ProjectRow& stored : rows) {
        CSdoInfo entry;
        if (!g.dictionary.FindByKey(numberscan::CDecimal(stored.key), entry))
            continue;
        QString unused;
        DefaultUnitOf(g, entry, unused);  // registers the object's units
        InsertObjectRow(g, grid, entry, -1, stored.unit, stored.value, owner);
    }
}
