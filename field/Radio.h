#pragma once
// The old radio on the item panel: a list of channels, each a tune of the
// game's music; the improved radio receives twelve more.

#include <span>

#include "shell/Game.h"

namespace kotou {

struct RadioChannel {
    const char* title;  // the line of the channel list
    const char* music;  // the MIDI file of dat/
};

// The channels in list order: the old radio's first, then the improved
// radio's.
std::span<const RadioChannel> radioChannels(int32_t radioState);

// 古びたラジオ on the item panel, and 聞く on the list.
void registerRadioHandlers(HandlerRegistry& r);

}  // namespace kotou
