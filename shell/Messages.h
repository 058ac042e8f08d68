#pragma once
// The shared message, picture and sound operations every handler uses.
// Text is UTF-8; lengths are counted in code page 932 bytes, because the
// typewriter effect reveals one byte per step.

#include <string>
#include <string_view>

#include "shell/Game.h"

namespace kotou {

// Replaces the message with text, revealed one byte per step.
void showMessage(Game& g, std::string_view text);
// Adds text as a new line under the current message, revealed progressively.
void appendMessage(Game& g, std::string_view text);
// Replaces the message with text at once, without the typewriter effect.
void showMessageAtOnce(Game& g, std::string_view text);
// Shows the pulsing marker and returns after the next click (at once while
// the window is closing).
void waitForClick(Game& g);
// The click that ends a wait.
void clickToContinue(Game& g);

// A wave of the dat folder on mixer channel 0..3; errors are swallowed.
void playSound(Game& g, int channel, const std::string& file);
// A MIDI file of the dat folder; "not" stops the music, "" does nothing.
void playMusic(Game& g, const std::string& file);
// cg/<name>.jpg into the portrait; "" clears it.
void showPortrait(Game& g, const std::string& name);
// cg/<file> into the scene picture and shows it; "" hides it.
void showScene(Game& g, const std::string& file);
// cg/<file> into the second picture; "" clears it.
void showPicture(Game& g, const std::string& file);
// cg/<name>.bmp into the full-window background.
void loadBackground(Game& g, const std::string& name);
// cg/<file> into the full-window background, stretched to the window or at
// its natural size from the top-left corner; "" clears it.
void showBackdrop(Game& g, const std::string& file, bool stretch);

}  // namespace kotou
