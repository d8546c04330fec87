#include "sim/HostLinkPacer.h"

#include <algorithm>

void HostLinkPacer::SetFrameBits(int frameBits) {
    charTimeUs_ = static_cast<uint64_t>(std::max(frameBits, 1)) * 1000000u / kBaudRate;
}

size_t HostLinkPacer::Take(uint64_t nowUs, size_t waiting) {
    if (waiting == 0) {
        busy_ = false;
        return 0;
    }
    if (!busy_) {
        busy_ = true;
        nextUs_ = nowUs + charTimeUs_;
    }
    if (nowUs < nextUs_) return 0;
    // A late look finds several characters crossed: they went back to back.
    uint64_t crossed = 1 + (nowUs - nextUs_) / charTimeUs_;
    size_t taken = static_cast<size_t>(std::min<uint64_t>(crossed, waiting));
    nextUs_ += taken * charTimeUs_;
    // All that waited has crossed; whatever comes later starts afresh.
    if (taken == waiting) busy_ = false;
    return taken;
}

int64_t HostLinkPacer::UsUntilNext(uint64_t nowUs) const {
    if (!busy_) return -1;
    return nowUs >= nextUs_ ? 0 : static_cast<int64_t>(nextUs_ - nowUs);
}
