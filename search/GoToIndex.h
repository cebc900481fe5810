#pragma once
// Go to INDEX: the check of the typed text before the dialog may close,
// the INDEX it names, and the position of the record that has it.
#include <cstdint>
#include <string_view>

#include "store/FrameStore.h"

class GoToIndex {
public:
    // What the closing check decided; each refusal has its own warning.
    enum Check { kAccepted, kEmpty, kNotNumber, kNegative };
    static constexpr int64_t kNotFound = -1;

    // A signed 32-bit decimal with an optional sign and nothing else, not negative.
    static Check CheckText(std::string_view text);
    // The leading unsigned decimal number of text, what follows ignored; 0
    // when there is none.
    static uint32_t TargetIndex(std::string_view text);
    // The first position whose record has that INDEX (INDEX values are not
    // positions once a ring buffer dropped records), or kNotFound.
    static int64_t Find(const FrameStore& store, uint32_t index);
};
