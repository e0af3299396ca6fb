#pragma once
// The general list page: a parameter page whose list file and project number are those of the
// current list page when it is created.
#include "pages/paneltable.h"
#include "pages/parampage.h"

class CDrvPanelF002 : public CParamPage {
    Q_OBJECT
public:
    explicit CDrvPanelF002(CGlobal& g, QWidget* parent = nullptr)
        : CParamPage(g, ListPageConfig(CurrentListPage().pageName, CurrentListPage().pageNumber),
                     parent) {}
};
