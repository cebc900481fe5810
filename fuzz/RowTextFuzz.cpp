// Any frame of up to 300 octets under any display options: the row text stays
// inside the frame, no octet can break a line or put a control character into
// the row, and the row ends with a line feed exactly when its last column is
// a line break. (The detail target covers the fields the list does not show.)
#include <algorithm>
#include <cstdlib>
#include <string>

#include "decode/RowText.h"
#include "tests/support/DetailSupport.h"

// Input: flags, data split, column count, the column ids, then the frame.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 3) return 0;
    uint8_t flags = data[0];
    DisplayOptions options;
    options.columnOrder.fill(DisplayOptions::kEndOfColumns);
    options.dataSplit = static_cast<int8_t>(data[1]);
    size_t columns = std::min<size_t>(data[2] % 51, size - 3);
    for (size_t i = 0; i < columns; ++i) {
        uint8_t b = data[3 + i];
        options.columnOrder[i] = b < 0xF0 ? b % 16 : static_cast<int8_t>(b);
    }
    const auto end = std::find(options.columnOrder.begin(), options.columnOrder.end(), DisplayOptions::kEndOfColumns);
    const bool breakLast = end != options.columnOrder.begin() && end[-1] == RowText::kLineBreak;
    size_t at = 3 + columns;
    size_t n = std::min<size_t>(size - at, 300);

    FrameRecord record(flags & 0x01);
    record.SetBytes(data + at, n);
    record.SetIndex(static_cast<int32_t>(flags) * 1000);
    bool fcsGood = (flags & 0x02) ? true : (flags & 0x04) ? false : record.CheckCrc();

    std::string row = "x";
    RowText::BuildRowText(record, row, options, fcsGood, testsupport::Names());
    for (unsigned char c : row)
        if (c < 0x20 && c != '\n') abort();
    if (row.size() > 1 && row[1] == '\n') abort();
    if (row.find("\n\n") != std::string::npos) abort();
    if (row.size() > 1 && (row.back() == '\n') != breakLast) abort();

    return 0;
}
