#pragma once
// The arguments of veltoctl scope.
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

#include "scope/sourceplan.h"

struct ScopeArgs {
    std::vector<ChannelRequest> channels;
    std::int32_t triggerKey = 0;  // 0: manual trigger
    std::int32_t level = 0;
    int edge = 0;  // 0 rising, 1 falling
    int period = -1;
    int count = -1;
    std::optional<int> offset;
    QString csv;
    QString txt;
};

// False with a message for stderr.
bool ParseScopeArgs(const QStringList& arguments, int count, ScopeArgs& args, QString& error);
