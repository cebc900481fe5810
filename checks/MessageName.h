#pragma once
// The names of Q.931 call-control messages as the recommendations write
// them (SETUP, CALL PROCEEDING ...), for the texts of the findings.
#include <string>

class MessageName {
public:
    // The name of a message type (the octet AND 0x7F); "0x7F" for a type
    // of no name, "(種別なし)" for a frame that ends before its type.
    static std::string Of(int type);
};
