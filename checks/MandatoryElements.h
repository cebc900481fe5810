#pragma once
// The information elements a message must carry whichever side sends it,
// as the Q.931 message tables (and Q.932 for FACILITY) list them: one row
// per message type. Elements mandatory in one direction only (channel
// identification in a SETUP from the network, in the first answer to one)
// are left out: the frames do not tell which side is the network.
#include "checks/MessageElements.h"

class MandatoryElements {
public:
    // The identifier of the first mandatory element the message lacks, or
    // kNone. firstClearing: the message is the call's first clearing
    // message (RELEASE and RELEASE COMPLETE need a cause only then); pass
    // false when that is not known.
    static int Missing(int type, const MessageElements& elements, bool firstClearing);
    // "Bearer capability", "Cause" ...: the names of the elements above.
    static const char* Name(int identifier);

    static constexpr int kNone = -1;
};
