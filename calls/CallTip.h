#pragma once
// A call in a few labelled lines, as the call list's columns show it: its
// number, start, times to alerting, to connect and of talk, its numbers and
// channels, its result and how and why it was cleared. For the tip over a
// call's mark in a picture. Fields left empty in the list are left out.
#include <string>

#include "calls/CallRecord.h"
#include "decode/MessageCatalogue.h"

class CallTip {
public:
    // CP932, lines "名前: 値" ending in "\n" but the last.
    static std::string Text(const CallRecord& call, const MessageCatalogue& catalogue);
};
