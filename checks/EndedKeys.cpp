#include "checks/EndedKeys.h"

void EndedKeys::Add(uint32_t key) {
    keys_[key] = next_;
    order_.emplace_back(key, next_++);
    if (order_.size() <= maxKeys_) return;
    const auto [oldest, number] = order_.front();
    order_.pop_front();
    const auto it = keys_.find(oldest);
    if (it != keys_.end() && it->second == number) keys_.erase(it);
}

void EndedKeys::Clear() {
    keys_.clear();
    order_.clear();
    next_ = 0;
}
