#pragma once
// Start-up and the screens of the game window: creation and closing, the two
// timers, and the registration of the window's own buttons.

#include "shell/Game.h"

namespace kotou {

// Opens `panel` at the command panel's place and hides `from` (nullptr: hide
// nothing). Every screen of the command column opens this way.
void openPanelOver(Game& g, const char* panel, const char* from);
// A panel's back button: the click, `panel` hidden and `to` shown again.
void closePanelTo(Game& g, const char* panel, const char* to);

// Window creation: places the panels, loads the title and panel pictures,
// starts the title music and shows the title screen. The random source is
// injected into Game and the wave handles belong to the host, so neither is
// handled here.
void FormCreate(Game& g);
// The window is closing: every running and later wait returns at once.
void FormClose(Game& g);
// The window is gone. The host releases its sound resources itself.
void FormDestroy(Game& g);
// The status refresh, run wherever the state may have changed.
void Timer1Timer(Game& g);
// Every 100 ms: the title animation, while the title screen is up.
void Timer2Timer(Game& g);

// Saves the game and the records file; a failure is shown to the player.
// Returns whether both files were written.
bool saveWithReport(Game& g);

// The island name a player may give: not empty, no control characters, and
// storable in the save file's code page.
bool isValidIslandName(const std::string& name);

// Registers the shell's handlers: the title screen's buttons (はじめる after a
// yes/no question, つづける), the island-name box, the openers and back
// buttons of the command column, the item menu and its inventory lists, the
// save command, and clickToContinue under every component whose click ends a
// wait.
void registerShellHandlers(HandlerRegistry& r);

}  // namespace kotou
