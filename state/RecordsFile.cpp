#include "state/RecordsFile.h"

#include <algorithm>

#include "state/FileReplace.h"
#include "state/SaveFile.h"
#include "state/Text.h"

namespace kotou {
namespace {

constexpr const char* kRecordsLabel = "記録.txt";

// Line prefixes of the four characters' summaries.
constexpr std::array<const char*, kCharacterCount + 1> kSummaryPrefix = {"", "ルル：行", "　嵐：行",
                                                                         "SPARK：行", "残響：行"};

std::string summary(const Character& c) {
    return num(c.maxActionPoints) + "/体" + num(c.maxStamina) + "/腕" + num(c.strength) + "/器" +
           num(c.dexterity) + "/料" + num(c.cooking) + "/植" + num(c.botany) + "/動" +
           num(c.zoology) + "/地" + num(c.geography);
}

// Titles on the last line: the condition and the text, in the order shown.
struct Title {
    bool (*earned)(const GameState&);
    const char* text;
};
constexpr std::array<Title, 4> kTitles = {{
    {[](const GameState& s) { return s.made(Carving::PhantomRing) >= 1; }, "　称号【ｺﾞﾙﾄﾞｽｸﾛﾆｸﾙ】"},
    {[](const GameState& s) { return s.finalCourseClears >= 1; }, "【さよなら】"},
    {[](const GameState& s) { return s.finalCourseClears >= 2; }, "【????】"},
    {[](const GameState& s) { return s.organTitle >= 1; }, "【ｵﾙｶﾞﾝ】"},
}};

}  // namespace

int closestPair(const GameState& s) {
    const auto& p = s.pairIntimacy;
    if (std::all_of(p.begin(), p.end(), [](int32_t v) { return v == 0; })) return 0;
    // better(a, b): b only when strictly higher, so a keeps a tie.
    auto better = [&](int a, int b) {
        return p[static_cast<size_t>(b)] > p[static_cast<size_t>(a)] ? b : a;
    };
    const int first = better(better(0, 1), better(2, 3));
    const int third = better(4, 5);
    return p[static_cast<size_t>(third)] >= p[static_cast<size_t>(first)] ? third : first;
}

std::string pointText(int32_t score) {
    return "得点：" + num(score) + "点";
}

std::array<std::string, kRecordsLineCount> recordsLines(const GameState& s,
                                                        const std::string& pointText) {
    const bool hasRecord = s.bestDays != 0 && s.bestDays != 9999;
    std::array<std::string, kRecordsLineCount> lines;
    lines[0] = "★孤島生活データ♪ver1.4";
    lines[1] = (s.islandName.empty() ? "" : "『" + s.islandName + "島』　") + num(s.dayNumber) +
               "日目" + (hasRecord ? "（最短記録" + num(s.bestDays) + "日）" : "");
    for (int k = 1; k <= kCharacterCount; ++k)
        lines[static_cast<size_t>(k + 1)] =
            kSummaryPrefix[static_cast<size_t>(k)] + summary(s.ch(k));
    lines[6] = s.bestCoupleText.empty()
                   ? std::string("仲が良い２人：") + kPairNames[static_cast<size_t>(closestPair(s))]
                   : "ﾍﾞｽﾄｶｯﾌﾟﾘﾝｸﾞ：" + s.bestCoupleText;
    lines[7] = pointText + (hasRecord ? "（HI:" + num(s.bestScore) + "点）" : "");
    for (const Title& t : kTitles)
        if (t.earned(s)) lines[7] += t.text;
    return lines;
}

std::string formatRecords(const GameState& s, const std::string& pointText) {
    std::string out;
    int n = 0;
    for (const std::string& line : recordsLines(s, pointText)) {
        ++n;
        if (line.find_first_of("\r\n") != std::string::npos)
            throw SaveError(std::string(kRecordsLabel) + " line " + std::to_string(n) +
                            ": the text contains a line break");
        try {
            out += toCp932(line);
        } catch (const TextError&) {
            throw SaveError(std::string(kRecordsLabel) + " line " + std::to_string(n) +
                            ": a character cannot be written in code page 932");
        }
        out += "\r\n";
    }
    return out;
}

std::filesystem::path recordsFilePath(const std::filesystem::path& baseDir) {
    return baseDir / std::filesystem::path(u8"記録.txt");
}

void writeRecordsFile(const GameState& s, const std::filesystem::path& baseDir,
                      const std::string& pointText) {
    replaceFile(recordsFilePath(baseDir), formatRecords(s, pointText), kRecordsLabel);
}

}  // namespace kotou
