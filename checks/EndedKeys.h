#pragma once
// The call keys whose last call ended with RELEASE COMPLETE, the newest of
// them up to a bound: a message on one of them but a new SETUP (or a
// clearing or status message, which may come late) has no call to join.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <unordered_map>
#include <utility>

class EndedKeys {
public:
    static constexpr size_t kMaxKeys = 10000;

    explicit EndedKeys(size_t maxKeys = kMaxKeys) : maxKeys_(maxKeys) {}

    void Add(uint32_t key);
    // The key has a call again.
    void Remove(uint32_t key) { keys_.erase(key); }
    bool Has(uint32_t key) const { return keys_.count(key) != 0; }
    size_t Count() const { return keys_.size(); }
    void Clear();

private:
    size_t maxKeys_;
    // key -> the number of its latest entry in order_; an entry of a key
    // removed or added again since is stale.
    std::unordered_map<uint32_t, uint64_t> keys_;
    std::deque<std::pair<uint32_t, uint64_t>> order_;
    uint64_t next_ = 0;
};
