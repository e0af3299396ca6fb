#include "tuner/registration.h"

#include "app/commands.h"
#include "app/pageregistry.h"
#include "tuner/tidtuner.h"

namespace {
constexpr int kTunerTitle = 223;
}

void RegisterTunerPages(CPageRegistry& registry, CGlobal& global) {
    PageKind tuner;
    tuner.command = cmd::ID_AUTO_TUNER;
    tuner.titleId = kTunerTitle;
    tuner.size96 = QSize(920, 690);
    tuner.sizeOther = QSize(920, 690);
    tuner.create = [&global] { return new CTIDtuner(global); };
    registry.Add(std::move(tuner));
}
