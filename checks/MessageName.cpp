#include "checks/MessageName.h"

#include <cstdio>

namespace {

struct Row {
    int type;
    const char* name;
};

constexpr Row kRows[] = {
    {0x01, "ALERTING"},
    {0x02, "CALL PROCEEDING"},
    {0x03, "PROGRESS"},
    {0x05, "SETUP"},
    {0x07, "CONNECT"},
    {0x0D, "SETUP ACKNOWLEDGE"},
    {0x0F, "CONNECT ACKNOWLEDGE"},
    {0x20, "USER INFORMATION"},
    {0x21, "SUSPEND REJECT"},
    {0x22, "RESUME REJECT"},
    {0x24, "HOLD"},
    {0x25, "SUSPEND"},
    {0x26, "RESUME"},
    {0x28, "HOLD ACKNOWLEDGE"},
    {0x2D, "SUSPEND ACKNOWLEDGE"},
    {0x2E, "RESUME ACKNOWLEDGE"},
    {0x30, "HOLD REJECT"},
    {0x31, "RETRIEVE"},
    {0x33, "RETRIEVE ACKNOWLEDGE"},
    {0x37, "RETRIEVE REJECT"},
    {0x45, "DISCONNECT"},
    {0x46, "RESTART"},
    {0x4D, "RELEASE"},
    {0x4E, "RESTART ACKNOWLEDGE"},
    {0x5A, "RELEASE COMPLETE"},
    {0x60, "SEGMENT"},
    {0x62, "FACILITY"},
    {0x64, "REGISTER"},
    {0x6E, "NOTIFY"},
    {0x75, "STATUS ENQUIRY"},
    {0x79, "CONGESTION CONTROL"},
    {0x7B, "INFORMATION"},
    {0x7D, "STATUS"},
};

}  // namespace

std::string MessageName::Of(int type) {
    if (type < 0) return "(種別なし)";
    for (const Row& row : kRows)
        if (row.type == type) return row.name;
    char hex[8];
    std::snprintf(hex, sizeof hex, "0x%02X", type & 0xFF);
    return hex;
}
