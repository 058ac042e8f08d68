#pragma once
// The records file "記録.txt" beside the executable: an 8-line summary of the
// current game for the player to read or share. Rewritten by every save,
// never read by the game.

#include <array>
#include <filesystem>
#include <string>

#include "state/GameState.h"

namespace kotou {

inline constexpr int kRecordsLineCount = 8;

// The names of the six pairs, in pair-index order.
inline constexpr std::array<const char*, kPairCount> kPairNames = {
    "ルルと嵐", "ルルとスパーク", "ルルと残響", "嵐とスパーク", "嵐と残響", "スパークと残響"};

// The pair 0..5 with the highest intimacy, ties broken by a fixed
// tournament: pair 0 against 1, 2 against 3, 4 against 5 (the lower pair
// wins a tie), then the first two winners (the first wins a tie), then that
// winner against the third (the third wins a tie). When no pair has any
// intimacy yet (all six are 0) the answer is pair 0.
int closestPair(const GameState& s);

// The score line of the status display for a score: "得点：" + score + "点".
std::string pointText(int32_t score);

// The eight lines of the records file (UTF-8, without line ends). `pointText`
// is the score line as the status display last showed it.
std::array<std::string, kRecordsLineCount> recordsLines(const GameState& s,
                                                        const std::string& pointText);

// The bytes of the records file: the lines in code page 932, each ending
// with CR LF. Throws SaveError when a text cannot be written in code page 932.
std::string formatRecords(const GameState& s, const std::string& pointText);

// baseDir/記録.txt.
std::filesystem::path recordsFilePath(const std::filesystem::path& baseDir);

// Replaces baseDir/記録.txt (through a temporary file). Throws SaveError.
void writeRecordsFile(const GameState& s, const std::filesystem::path& baseDir,
                      const std::string& pointText);

}  // namespace kotou
