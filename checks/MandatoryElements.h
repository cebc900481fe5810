#pragma once
// The information elements a message must carry, as the Q.931 message
// tables (and Q.932 for FACILITY) list them: a row per message type and the
// rows of what the network side must add (channel identification in its
// SETUP and SETUP ACKNOWLEDGE). The network's frames are told by their C/R
// bit. What depends on more than the sender (the channel in the first
// answer to a SETUP, unless the user takes the channel offered) is left out.
#include "checks/MessageElements.h"

class MandatoryElements {
public:
    // The identifier of the first mandatory element the message lacks, or
    // kNone. firstClearing: the message is the call's first clearing
    // message (RELEASE and RELEASE COMPLETE need a cause only then); pass
    // false when that is not known. fromNetwork: the network side sent it.
    static int Missing(int type, const MessageElements& elements, bool firstClearing, bool fromNetwork);
    // "Bearer capability", "Cause" ...: the names of the elements above.
    static const char* Name(int identifier);

    static constexpr int kNone = -1;
};
