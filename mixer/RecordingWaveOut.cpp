#include "mixer/RecordingWaveOut.h"

#include <algorithm>

namespace kotou {

bool RecordingWaveOut::capabilities(int, WaveOutCaps& caps) {
    if (!setup_.capsKnown) return false;
    caps = WaveOutCaps{setup_.name, setup_.channels, setup_.synchronous};
    return true;
}

int RecordingWaveOut::open(int id, const PcmFormat& format, std::function<void()> blockDone) {
    if (setup_.openError != 0) return setup_.openError;
    open_ = true;
    paused_ = false;
    openedId_ = id;
    format_ = format;
    blockDone_ = std::move(blockDone);
    position_ = 0;
    return 0;
}

int RecordingWaveOut::write(WaveBuffer& buffer) {
    if (writeError_ != 0) return writeError_;
    written_.emplace_back(buffer.data, buffer.data + buffer.length);
    queue_.push_back(&buffer);
    return 0;
}

void RecordingWaveOut::reset() {
    ++resets_;
    const bool any = !queue_.empty();
    for (WaveBuffer* b : queue_) b->done = true;
    queue_.clear();
    headOffset_ = 0;
    if (any && blockDone_) blockDone_();
}

void RecordingWaveOut::close() {
    open_ = false;
    queue_.clear();
    headOffset_ = 0;
    blockDone_ = nullptr;
}

size_t RecordingWaveOut::play(size_t bytes) {
    size_t total = 0;
    while (bytes > 0 && !paused_ && !queue_.empty()) {
        WaveBuffer* b = queue_.front();
        const size_t n = std::min<size_t>(bytes, b->length - headOffset_);
        played_.insert(played_.end(), b->data + headOffset_, b->data + headOffset_ + n);
        headOffset_ += n;
        position_ += n;
        bytes -= n;
        total += n;
        if (headOffset_ == b->length) {
            queue_.pop_front();
            headOffset_ = 0;
            b->done = true;
            if (blockDone_) blockDone_();
        }
    }
    return total;
}

}  // namespace kotou
