#include "pages/paneltable.h"

#include <deque>

namespace {
constexpr int kPanelGrid = 1138;
constexpr int kListTemplate = 150;
}  // namespace

const std::vector<ParamPageConfig>& PanelPageTable() {
    static const std::vector<ParamPageConfig> table = [] {
        std::vector<ParamPageConfig> rows = {
            {"CDrvPanelF000", "F000", 1249, 148, kPanelGrid, 38},
            {"CDrvPanelF003", "F003", 1238, 151, kPanelGrid, 41},
            {"CDrvPanelF004", "F004", 1239, 152, kPanelGrid, 42},
            {"CDrvPanelF005", "F005", 1240, 153, kPanelGrid, 43},
        };
        for (ParamPageConfig& row : rows) row.placementOnly = true;
        return rows;
    }();
    return table;
}

ListPageChoice& CurrentListPage() {
    static ListPageChoice choice{QStringLiteral("F002"), 40};
    return choice;
}

const ParamPageConfig& ListPageConfig(const QString& pageName, int pageNumber) {
    static std::deque<ParamPageConfig> configs;  // references stay valid as it grows
    for (const ParamPageConfig& c : configs)
        if (c.pageName == pageName && c.pageNumber == pageNumber)
            return c;
    ParamPageConfig config{"CDrvPanelF002", pageName, 0, kListTemplate, kPanelGrid, pageNumber};
    config.placementOnly = true;
    return configs.emplace_back(config);
}
