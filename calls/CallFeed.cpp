#include "calls/CallFeed.h"

void CallFeed::Clear() {
    tracker_.Clear();
    restarts_.Clear();
    for (CallFeedReader* reader : readers_) reader->Clear();
    changed_.clear();
    ++generation_;
}

void CallFeed::Reload(const FrameStore& store) {
    Clear();
    for (size_t p = 0; p < store.Count(); ++p) Take(store.At(p));
    // A reader of the new generation starts from every call anyway.
    tracker_.TakeChanged();
}

void CallFeed::Ticked() {
    changed_ = tracker_.TakeChanged();
    if (onTick) onTick();
    for (const auto& follower : followers_) follower.second();
}

void CallFeed::Follow(const void* key, std::function<void()> onTick) {
    followers_.emplace_back(key, std::move(onTick));
}

void CallFeed::Unfollow(const void* key) {
    std::erase_if(followers_, [key](const auto& follower) { return follower.first == key; });
}
