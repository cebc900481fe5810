#pragma once
// Call statistics as CSV, CP932 and CR LF: one section per table, each a
// title line, a header row and its rows, an empty line between sections.
// The first section is the calls by result, one row per result in the
// results' order: its name and its count ("完了,263"). Times are ms; a
// group without values leaves its figures empty. Cause names come from
// the catalogue, as the call CSV's 理由名; the hours count days from the
// tracker's first (0).
#include <string>

#include "calls/CallStatistics.h"
#include "decode/MessageCatalogue.h"

class CallStatisticsCsv {
public:
    static std::string Text(const CallStatistics& statistics, const MessageCatalogue& catalogue);
};
