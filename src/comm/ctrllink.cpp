#include "comm/ctrllink.h"
// Placeholder until the worker lands.
CCtrlLink::CCtrlLink(CGlobal&) : impl_(nullptr) {}
CCtrlLink::~CCtrlLink() = default;
