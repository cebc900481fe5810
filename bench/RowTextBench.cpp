// Frame list row texts: every row of a full store of primary-rate D-channel
// traffic, with the default display options and the shipped catalogue.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "decode/RowText.h"
#include "options/OptionData.h"
#include "store/FrameStore.h"

namespace {

std::vector<uint8_t> WithFcs(std::vector<uint8_t> body, bool good = true) {
    uint16_t crc = 0xFFFF;
    for (uint8_t octet : body) {
        crc ^= octet;
        for (int bit = 0; bit < 8; ++bit) crc = (crc & 1) ? (crc >> 1) ^ 0x8408 : crc >> 1;
    }
    crc ^= good ? 0xFFFF : 0xFFFE;
    body.insert(body.begin(), 0x7E);
    body.push_back(static_cast<uint8_t>(crc & 0xFF));
    body.push_back(static_cast<uint8_t>(crc >> 8));
    body.push_back(0x7E);
    return body;
}

struct Traffic {
    FrameStore& store;
    uint8_t ns[2] = {0, 0};

    void Add(std::vector<uint8_t> bytes, uint8_t direction) {
        FrameRecord r(direction);
        r.SetBytes(bytes.data(), bytes.size());
        TimeStamp t;
        size_t i = store.Count();
        t.Set(static_cast<int>(i / 36000 % 24), static_cast<int>(i / 600 % 60),
              static_cast<int>(i / 10 % 60), static_cast<int>(i * 97 % 1000));
        r.SetTime(t);
        store.Add(r, true);
    }
    // A Q.931 I frame from the user (TX) or the network (RX), and its RR.
    void Call(uint8_t direction, uint16_t callRef, uint8_t type, std::vector<uint8_t> elements) {
        uint8_t& n = ns[direction];
        uint8_t cr = direction == FrameRecord::kTx ? 0x00 : 0x02;
        std::vector<uint8_t> body{cr, 0x01, static_cast<uint8_t>(n << 1), static_cast<uint8_t>(n << 1),
                                  0x08, 0x02, static_cast<uint8_t>(((callRef >> 8) & 0x7F) | (direction ? 0x80 : 0)),
                                  static_cast<uint8_t>(callRef), type};
        body.insert(body.end(), elements.begin(), elements.end());
        bool bad = store.Count() % 997 == 0;
        Add(WithFcs(body, !bad), direction);
        n = (n + 1) & 0x7F;
        uint8_t other = direction ^ 1;
        Add(WithFcs({static_cast<uint8_t>(other == FrameRecord::kTx ? 0x02 : 0x00), 0x01, 0x01,
                     static_cast<uint8_t>(n << 1)}),
            other);
    }
};

void FillStore(FrameStore& out) {
    Traffic t{out};
    for (uint16_t call = 0; t.store.Count() < FrameStore::kCapacity; ++call) {
        uint8_t channel = static_cast<uint8_t>(0x81 + call % 23);
        std::vector<uint8_t> bc{0x04, 0x03, 0x80, 0x90, 0xA3};
        std::vector<uint8_t> chi{0x18, 0x03, 0xA9, 0x83, channel};
        std::vector<uint8_t> setup = bc;
        setup.insert(setup.end(), chi.begin(), chi.end());
        std::vector<uint8_t> calling{0x6C, 0x0C, 0x21, 0x80, '0', '3', '1', '2', '3', '4', '5',
                                     '6', '7', static_cast<uint8_t>('0' + call % 10)};
        std::vector<uint8_t> called{0x70, 0x0B, 0xA1, '0', '6', '6', '5', '4', '3', '2', '1',
                                    static_cast<uint8_t>('0' + call % 7), '9'};
        setup.insert(setup.end(), calling.begin(), calling.end());
        setup.insert(setup.end(), called.begin(), called.end());
        t.Call(FrameRecord::kTx, call, 0x05, setup);
        t.Call(FrameRecord::kRx, call, 0x02, chi);
        t.Call(FrameRecord::kRx, call, 0x01, {});
        t.Call(FrameRecord::kRx, call, 0x07, {});
        t.Call(FrameRecord::kTx, call, 0x0F, {});
        t.Call(FrameRecord::kTx, call, 0x45, {0x08, 0x02, 0x80, 0x90});
        t.Call(FrameRecord::kRx, call, 0x4D, {});
        t.Call(FrameRecord::kTx, call, 0x5A, {});
        if (call % 4 == 0) {
            // TEI identity check and response on SAPI 63.
            t.Add(WithFcs({0xFE, 0xFF, 0x03, 0x0F, 0x00, 0x00, 0x04, 0xFF}), FrameRecord::kRx);
            t.Add(WithFcs({0xFC, 0xFF, 0x03, 0x0F, 0x12, 0x34, 0x05, 0x81}), FrameRecord::kTx);
        }
        if (call % 5 == 0) {
            // X.25 on SAPI 16: call request, data, receive ready.
            t.Add(WithFcs({0x40, 0x81, 0x00, 0x00, 0x10, 0x01, 0x0B, 0x55, 0x12, 0x34}),
                  FrameRecord::kTx);
            t.Add(WithFcs({0x42, 0x81, 0x02, 0x02, 0x10, 0x01, 0x00, 'D', 'A', 'T', 'A'}),
                  FrameRecord::kRx);
            t.Add(WithFcs({0x40, 0x81, 0x04, 0x04, 0x10, 0x01, 0x21}), FrameRecord::kTx);
        }
    }
}

void BM_RowTextAllRows(benchmark::State& state) {
    static FrameStore store;
    if (store.Count() == 0) FillStore(store);
    const DisplayOptions options = OptionData::DefaultDisplayOptions();
    const MessageCatalogue& catalogue = MessageCatalogue::Program();
    size_t bytes = 0;
    for (auto _ : state) {
        bytes = 0;
        for (size_t i = 0; i < store.Count(); ++i) {
            FrameRecord& r = store.At(i);
            std::string text;
            RowText::BuildRowText(r, text, options, r.CheckCrc(), catalogue);
            bytes += text.size();
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.counters["rows"] = static_cast<double>(store.Count());
    state.counters["bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_RowTextAllRows)->Unit(benchmark::kMillisecond);

}  // namespace
