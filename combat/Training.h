#pragma once
// The training ground and the survival courses of the command panel.
//
// 訓練 opens the training panel: three levels of training (C, B, A) spend
// action points and stamina for training levels, chances of strength and
// zoology, some stress relief and obesity, then grant the battle abilities
// the new level reaches. サバイバル (on days divisible by five) opens the
// survival panel: seven courses of four battles in a row, each opening the
// next once cleared.

#include "shell/Game.h"

namespace kotou {

// 訓練 and サバイバル on the command panel: open their panels in its place.
void kunren_bClick(Game& g);
void svival_bClick(Game& g);

// Registers the two openers, the training buttons (BitBtn18 C, kunren B,
// BitBtn21 A) and the course buttons (BitBtn24, svival_b2 .. svival_b7).
void registerTrainingHandlers(HandlerRegistry& r);

}  // namespace kotou
