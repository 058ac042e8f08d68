#pragma once
// The companions' commands: talking and the other activities with a partner
// (the communication panel), nursing an ill or poisoned character, study at
// the desk's bookshelf, and the music shop where songs are composed.

#include <string>
#include <string_view>
#include <vector>

#include "shell/Availability.h"
#include "shell/Game.h"

namespace kotou {

// Communication panel (cominu_box): the opener, the five activities, the
// four name buttons, Cancel and 戻る.
void registerCommunicationHandlers(HandlerRegistry& r);
// The chosen activity with runtime.talkPartner, as the who_box caption names it.
void runCommunication(Game& g);
// Nursing panel (kanbyou_box): the opener, the four patients and 戻る.
void registerNursingHandlers(HandlerRegistry& r);
// Study (study_box): the opener, the nine books and 戻る.
void registerStudyHandlers(HandlerRegistry& r);
// The 行動力 every book needs.
std::vector<RowRequirement> studyRequirements();
// Music shop (uta_box): the opener, the eight songs, the organ's own song
// and 戻る.
void registerSongHandlers(HandlerRegistry& r);
// The materials and 動物学 of every song, the organ's own song last.
std::vector<RowRequirement> songRequirements();
// All four.
void registerCompanionHandlers(HandlerRegistry& r);

namespace companions {

// A line of n "・", the pause line under a command's first message.
std::string dotLine(int n);

}  // namespace companions
}  // namespace kotou
