#pragma once
// An octet of a character field as the views show it: printable ASCII as
// itself, CR/LF/TAB as \r, \n, \t and anything else as "･", so that no
// received octet can break a line, forge a presentation mark, end a text
// early or join a following byte into a double-byte character.
#include <cstdint>
#include <string>

#include "base/Cp932.h"

class PrintableOctet {
public:
    static void Append(std::string& out, uint8_t octet) {
        switch (octet) {
            case 0x0D: out.append("\\r"); return;
            case 0x0A: out.append("\\n"); return;
            case 0x09: out.append("\\t"); return;
        }
        if (octet >= 0x20 && octet <= 0x7E) out.push_back(static_cast<char>(octet));
        else out.append(VELK_SJIS("･"));
    }
};
