#include "combat/Training.h"

#include <string>

#include "combat/Battle.h"
#include "gains/Growth.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

struct TrainingLevel {
    const char* button;
    int32_t cost;         // action points needed and spent
    int32_t gain;         // training levels gained
    int strengthDraws;    // chances of strength, one draw each
    bool zoologyDraw;     // one chance of zoology after strength
    int32_t obesityBase;  // obesity recovered: base + 0..2
};

constexpr TrainingLevel kTrainingLevels[] = {
    {"BitBtn18", 6, 1, 1, false, 4},
    {"kunren", 11, 2, 1, true, 9},
    {"BitBtn21", 16, 3, 2, true, 15},
};

constexpr int32_t kTrainingStamina = 2;
// Training relieves stress one time in three, by 3..5.
constexpr int32_t kReliefChance = 3;
constexpr int32_t kReliefBase = 3;
constexpr int32_t kSpread = 3;  // uniform 0..2 on top of a base

struct Course {
    const char* button;
    int32_t cost;
    int area;
    // The normal course tests obesity before the action points; every other
    // course tests the action points first, so a player may see a different
    // refusal for the same character.
    bool obesityFirst;
    const char* banner;
};

constexpr Course kCourses[] = {
    {"BitBtn24", 9, 16, true, "＊＊＊　ノーマルコース　スタート　＊＊＊"},
    {"svival_b2", 17, 17, false, "＊＊＊　ゴルドスコース　スタート　＊＊＊"},
    {"svival_b3", 25, 18, false, "＊＊＊　ビクトリーコース　スタート　＊＊＊"},
    {"svival_b4", 40, 19, false, "＊＊＊　アケローンコース　スタート　＊＊＊"},
    {"svival_b5", 50, 20, false, "＊＊＊　ファントムコース　スタート　＊＊＊"},
    {"svival_b6", 99, 21, false, "＊＊＊　さよなら！！！！　スタート　＊＊＊"},
    {"svival_b7", 120, 22, false, "＊＊＊　？？？？　スタート　＊＊＊"},
};

// A course needs obesity above this (the meter counts 100 as best).
constexpr int32_t kCourseObesityLimit = 35;

void train(Game& g, const TrainingLevel& t) {
    playSound(g, 1, "1.wav");
    Character& c = g.s.cur();
    if (c.actionPoints < t.cost) {
        showMessage(g, "訓練に必要な行動力が足りません");
        return;
    }
    playSound(g, 0, "kunren.wav");
    g.form.hide("kunren_box");
    c.stamina -= kTrainingStamina;
    c.actionPoints -= t.cost;
    c.trainingLevel += t.gain;
    showMessage(g, "【訓練度】が" + std::to_string(t.gain) + "上がった！");

    for (int i = 0; i < t.strengthDraws; ++i) chanceStrengthUp(g);
    if (t.zoologyDraw) chanceZoologyUp(g);

    if (g.rng.random(kReliefChance) == 0) {
        const int32_t relief = kReliefBase + g.rng.random(kSpread);
        g.s.cur().stress += relief;
        appendMessage(g, "【ストレス】が" + std::to_string(relief) + "回復した！");
        waitForClick(g);
    }
    const int32_t fat = t.obesityBase + g.rng.random(kSpread);
    g.s.cur().obesity += fat;
    appendMessage(g, "【肥満】が" + std::to_string(fat) + "回復した！");
    waitForClick(g);

    learnBattleAbilities(g);
    g.form.show("kunren_box");
}

// The refusal for a course, or nullptr when the character may start it.
const char* courseRefusal(const Character& c, const Course& course) {
    const char* obesity =
        c.obesity <= kCourseObesityLimit ? "【肥満】のためサバイバルはできません" : nullptr;
    const char* points = c.actionPoints < course.cost ? "必要な行動力が足りません" : nullptr;
    if (c.illness >= 1) return "【病気】のためサバイバルはできません";
    if (course.obesityFirst) return obesity != nullptr ? obesity : points;
    return points != nullptr ? points : obesity;
}

void runCourse(Game& g, const Course& course) {
    playSound(g, 0, "1.wav");
    Character& c = g.s.cur();
    if (const char* refusal = courseRefusal(c, course)) {
        showMessage(g, refusal);
        return;
    }
    g.form.hide("svival_box");
    c.actionPoints -= course.cost;
    playMusic(g, "not");
    c.stamina = c.maxStamina;
    showMessage(g, "【体力】が完全回復した！");
    waitForClick(g);
    showMessage(g, course.banner);
    waitForClick(g);

    BattleState& b = battleState(g);
    b.chain = 0;
    b.area = course.area;
    startBattle(g);
}

void openTraining(Game& g) {
    playSound(g, 0, "1.wav");
    openPanelOver(g, "kunren_box", "com_box");
}

void openCourses(Game& g) {
    playSound(g, 0, "1.wav");
    openPanelOver(g, "svival_box", "com_box");
}

}  // namespace

void registerTrainingHandlers(HandlerRegistry& r) {
    r.add("kunren_b", Guard::Command, openTraining);
    r.add("svival_b", Guard::Command, openCourses);
    for (const TrainingLevel& t : kTrainingLevels)
        r.add(t.button, Guard::Command, [&t](Game& g) { train(g, t); });
    for (const Course& c : kCourses)
        r.add(c.button, Guard::Command, [&c](Game& g) { runCourse(g, c); });
}

}  // namespace kotou
