#pragma once
// One text search as the dialogs ask for it, passed by value.
#include <string>

struct SearchRequest {
    std::string text;  // CP932
    // False when the typed text had characters CP932 cannot hold: converted
    // they would read "?", so such a text finds nothing.
    bool textUsable = true;
    bool forward = true;     // down the list, towards higher positions
    bool fromCursor = true;  // from the current row, else from the first row in the direction
    bool step = false;       // find next: one row further first
    bool wholeMatch = false;
};
