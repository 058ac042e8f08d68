#pragma once
// Start-up and the screens of the game window: creation and closing, the two
// timers, the title screen's buttons (new game, continue), the island-name
// box, the openers and back buttons of the command column, the item menu's
// inventory lists and the save command.

#include "shell/Game.h"

namespace kotou {

// Opens `panel` at the command panel's place and hides `from` (nullptr: hide
// nothing). Every screen of the command column opens this way.
void openPanelOver(Game& g, const char* panel, const char* from);

// Window creation: places the panels, loads the title and panel pictures,
// starts the title music and shows the title screen. The random source is
// injected into Game and the wave handles belong to the host, so neither is
// handled here.
void FormCreate(Game& g);
// The window is closing: every running and later wait returns at once.
void FormClose(Game& g);
// The window is gone. The host releases its sound resources itself.
void FormDestroy(Game& g);
// Every 50 ms: the status refresh.
void Timer1Timer(Game& g);
// Every 100 ms: the title animation, while the title screen is up.
void Timer2Timer(Game& g);

// Title screen: "はじめる" (new game, after a yes/no question) and "つづける"
// (load the save; an unreadable save is reported and the title stays).
void Button2Click(Game& g);
void Button12Click(Game& g);
// Island-name box: "決定".
void Button11Click(Game& g);

// Openers of the command panel: 探索, 食事, 製作, アイテム.
void BitBtn1Click(Game& g);
void BitBtn2Click(Game& g);
void BitBtn3Click(Game& g);
void BitBtn35Click(Game& g);
// Back buttons: to the command panel, to the meal panel, to the crafting panel.
void BitBtn4Click(Game& g);
void BitBtn12Click(Game& g);
void BitBtn15Click(Game& g);

// Item menu: 通常アイテム and its 戻る, the three inventory lists, 戻る of
// the list, a click on a list line.
void BitBtn39Click(Game& g);
void BitBtn36Click(Game& g);
void sizai_list_bClick(Game& g);
void syokuzai_list_bClick(Game& g);
void etc_bClick(Game& g);
void BitBtn40Click(Game& g);
void listMouseDown(Game& g);

// The save command (セーブ on the command panel and on the stranded panel).
void BitBtn20Click(Game& g);

// Saves the game and the records file; a failure is shown to the player.
// Returns whether both files were written.
bool saveWithReport(Game& g);

// The island name a player may give: not empty, no control characters, and
// storable in the save file's code page.
bool isValidIslandName(const std::string& name);

// Registers the handlers above under the names of their components, and
// moji_lMouseDown under every component whose click ends a wait.
void registerShellHandlers(HandlerRegistry& r);

}  // namespace kotou
