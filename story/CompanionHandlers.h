#pragma once
// The companions' commands: talking and the other activities with a partner
// (the communication panel), nursing an ill or poisoned character, study at
// the desk's bookshelf, and the music shop where songs are composed.

#include <string>
#include <string_view>

#include "shell/Game.h"

namespace kotou {

// Communication panel (cominu_box): the opener, the five activities, the
// four name buttons, Cancel and 戻る.
void cominu_bClick(Game& g);
void BitBtn33Click(Game& g);  // 話す
void asobu_bClick(Game& g);
void tanken_bClick(Game& g);
void yoru_bClick(Game& g);
void nedoko_bClick(Game& g);
void who_ruru_bClick(Game& g);
void who_arashi_bClick(Game& g);
void who_spark_bClick(Game& g);
void who_zankyou_bClick(Game& g);
void Button17Click(Game& g);  // Cancel
void BitBtn26Click(Game& g);  // 戻る
// The chosen activity with runtime.talkPartner, as the who_box caption names it.
void runCommunication(Game& g);

// Nursing panel (kanbyou_box).
void kanbyou_bClick(Game& g);
void kan_ruru_bClick(Game& g);
void kan_arashi_bClick(Game& g);
void kan_spark_bClick(Game& g);
void kan_zankyou_bClick(Game& g);
void BitBtn52Click(Game& g);  // 戻る

// Study (study_box).
void study_bClick(Game& g);
void cat_book_bClick(Game& g);
void world_book_bClick(Game& g);
void flower_book_bClick(Game& g);
void cake_book_bClick(Game& g);
void harb_book_bClick(Game& g);
void kusuri_book_bClick(Game& g);
void magic_book_bClick(Game& g);
void magic_book2_bClick(Game& g);
void sinpi_book_bClick(Game& g);
void BitBtn28Click(Game& g);  // 戻る

// Music shop (uta_box).
void organ_bClick(Game& g);
void uta_b1Click(Game& g);
void uta_b2Click(Game& g);
void uta_b3Click(Game& g);
void uta_b4Click(Game& g);
void uta_b5Click(Game& g);
void uta_b6Click(Game& g);
void uta_b7Click(Game& g);
void uta_b8Click(Game& g);
void uta_b9Click(Game& g);
void BitBtn42Click(Game& g);  // 戻る

void registerCompanionHandlers(HandlerRegistry& r);

namespace companions {

// A line of n "・", the pause line under a command's first message.
std::string dotLine(int n);

}  // namespace companions
}  // namespace kotou
