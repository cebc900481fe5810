#include "checks/CallStateCheck.h"

// Scaffolding until the call checks land.
struct CallStateCheck::State {};
CallStateCheck::CallStateCheck(const CheckSettings&) : state_(new State) {}
CallStateCheck::~CallStateCheck() { delete state_; }
void CallStateCheck::Add(const FrameRecord&, uint64_t, int64_t, FindingLog&) {}
void CallStateCheck::Clear() {}
