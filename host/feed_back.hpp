// The guard every adapter keeps on keys that a plug-in feeds back: each is
// offered to the plug-ins again, nested, so a plug-in that feeds a key for
// every key it is offered must not recurse without end. Past the depth the
// editor takes the record without offering it.
#pragma once

namespace host {

class FeedBackGuard {
public:
    static constexpr int kMaxDepth = 16;

    // The answer of `offer` (a call into the plug-ins), or 0 without the
    // call once the offers nest too deep.
    template <class Call>
    auto Offer(Call offer) -> decltype(offer()) {
        if (depth_ >= kMaxDepth) return 0;
        ++depth_;
        struct Leave {
            int& depth;
            ~Leave() { --depth; }
        } leave{depth_};
        return offer();
    }

private:
    int depth_ = 0;
};

}  // namespace host
