#pragma once
// The story's chapters and choices (the data is in story/Script.cpp).

#include <array>
#include <span>

#include "state/GameState.h"
#include "story/Scene.h"

namespace kotou {

inline constexpr int kChapterCount = 21;  // chapters 0..20
inline constexpr int kEscapeChapter = 20;
// The story phases of the final choice: 21 + the final pair (0..5).
inline constexpr int kFirstFinalPhase = 21;
inline constexpr int kLastFinalPhase = kFirstFinalPhase + kPairCount - 1;

// Where ルル goes on the night of chapter 18 or 19: the question shown, the
// captions of the two buttons and the scene each one plays.
struct NightChoice {
    const char* question;
    std::array<const char*, 2> captions;
    std::array<Scene, 2> scenes;
};

// How a chapter ends once its lines are played.
enum class ChapterEnd : uint8_t {
    NextDay,      // the chapter is over and the next day begins
    NightChoice,  // the two-button choice of where ルル goes
    FinalChoice,  // the final pair and its farewell choice (the escape)
};

struct Chapter {
    const char* background;  // cg/<background>.bmp
    const char* portrait;    // `pic` after the first click
    const char* picture;     // `cg2` after the first click; "" = none
    Scene steps;
    ChapterEnd end = ChapterEnd::NextDay;
    const NightChoice* choice = nullptr;  // with ChapterEnd::NightChoice
};

// The pair scene of the final choice, per pair 0..5: the narration and
// lines before the buttons; who speaks the two farewells offered on them;
// and, per farewell, the three lines of the parting that follow it.
struct FinalPairScene {
    Scene before;
    const char* speaker;
    std::array<const char*, 2> captions;
    std::array<Scene, 2> partings;
};

// Chapter `phase`, or nullptr outside 0..20 (a save may hold any phase).
const Chapter* chapterAt(int phase);
// The final scene of pair 0..5, or nullptr.
const FinalPairScene* finalPairScene(int pair);

}  // namespace kotou
