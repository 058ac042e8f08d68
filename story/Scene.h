#pragma once
// Scenes of the story as data: a scene is a list of steps (a spoken line, a
// narration line, a picture change, a sound, ...) that the scene player runs
// in order. The words of every scene live in story/Script.cpp.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "shell/Game.h"

namespace kotou {

enum class StepKind : uint8_t {
    Say,           // a spoken line: who + text, then a click
    Narrate,       // a narration line without a tag, then a click
    Portrait,      // text into `pic` (a character's picture name); "" clears it
    Picture,       // text into `cg2` (a file name of cg/); "" clears it
    WorldFlag,     // the world flag numbered value set to 1
    Sound,         // the wave text on channel value
    Music,         // the tune text
    WideBackdrop,  // the background becomes the picture text at its natural size
    LastBackdrop,  // the background is cleared, the window turns black, then the
                   // background text (a .bmp of cg/) is loaded stretched
};

struct Step {
    StepKind kind;
    const char* who;   // speaker of a Say step, else ""
    const char* text;  // words, picture, sound or tune
    int value;         // channel or flag entry
};

using Scene = std::span<const Step>;

// Builders for the script tables.
constexpr Step say(const char* who, const char* words) {
    return {StepKind::Say, who, words, 0};
}
constexpr Step narrate(const char* text) {
    return {StepKind::Narrate, "", text, 0};
}
constexpr Step portrait(const char* name) {
    return {StepKind::Portrait, "", name, 0};
}
constexpr Step picture(const char* file) {
    return {StepKind::Picture, "", file, 0};
}
constexpr Step worldFlag(WorldFlag entry) {
    return {StepKind::WorldFlag, "", "", static_cast<int>(entry)};
}
constexpr Step sound(int channel, const char* file) {
    return {StepKind::Sound, "", file, channel};
}
constexpr Step music(const char* file) {
    return {StepKind::Music, "", file, 0};
}
constexpr Step wideBackdrop(const char* file) {
    return {StepKind::WideBackdrop, "", file, 0};
}
constexpr Step lastBackdrop(const char* bmpName) {
    return {StepKind::LastBackdrop, "", bmpName, 0};
}

// A spoken line as every scene of the game shows it: 【speaker】『words』.
std::string spokenLine(std::string_view speaker, std::string_view words);

// The message a Say or Narrate step shows; "" for the other kinds.
std::string lineText(const Step& s);

// Runs the steps in order; each line is one message followed by a click.
void playScene(Game& g, Scene scene);

}  // namespace kotou
