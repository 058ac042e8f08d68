// The communication panel: an activity with one of the other three
// characters raises the pair's intimacy. The pending activity is the caption
// of who_box, written when an activity is chosen and read by the routine that
// runs it once a name is pressed.

#include <array>
#include <string>

#include "companions/CommunicationScenes.h"
#include "companions/CompanionHandlers.h"
#include "daycycle/Night.h"
#include "gains/Finds.h"
#include "gains/Growth.h"
#include "shell/Background.h"
#include "shell/Messages.h"
#include "shell/Screens.h"
#include "story/Scene.h"

namespace kotou {
namespace {

using companions::dotLine;

enum class ActivityKind { Talk, Play, Explore, NightWalk, BedVisit };

bool anyWeather(int32_t) {
    return true;
}
bool clearOnly(int32_t w) {
    return w == kClear;
}
bool dryOnly(int32_t w) {
    return w != kRain && w != kTyphoon;
}

struct Activity {
    ActivityKind kind;
    const char* button;
    const char* caption;   // who_box caption while the names are asked for
    const char* question;  // the message line meanwhile
    int32_t cost;
    int32_t threshold;  // intimacy a partner needs; 0: the name buttons stay as they are
    bool (*weatherAllows)(int32_t weather);
    int32_t gain;
};

constexpr std::array<Activity, 5> kActivities = {{
    {ActivityKind::Talk, "BitBtn33", "誰と話す？", "誰と話しますか？", 4, 0, anyWeather, 1},
    {ActivityKind::Play, "asobu_b", "誰と遊ぶ？", "誰とあそびますか？", 7, 0, anyWeather, 2},
    {ActivityKind::Explore, "tanken_b", "誰と行きますか？", "誰と探検に行きますか？", 10, 10,
     clearOnly, 1},
    {ActivityKind::NightWalk, "yoru_b", "誰と夜の散歩に？", "誰と夜の散歩に行きますか？", 20, 20,
     dryOnly, 3},
    {ActivityKind::BedVisit, "nedoko_b", "誰の寝床に？", "誰の寝床へ行きますか？", 30, 30,
     anyWeather, 4},
}};

constexpr std::array<const char*, kCharacterCount + 1> kNameButtons = {
    "", "who_ruru_b", "who_arashi_b", "who_spark_b", "who_zankyou_b"};

// The activity buttons that only show once some pair has come this close.
struct ThresholdButton {
    const char* button;
    int32_t intimacy;
};
constexpr ThresholdButton kThresholdButtons[] = {
    {"tanken_b", 10}, {"yoru_b", 20}, {"nedoko_b", 30}};

int32_t& intimacyOf(GameState& s, int a, int b) {
    return s.pairIntimacy[static_cast<size_t>(pairIndex(a, b))];
}

void showActivityList(Game& g) {
    g.form.show("cominu_box2");
    g.form.hide("who_box");
}

void choose(Game& g, const Activity& a) {
    GameState& s = g.s;
    playSound(g, 1, "1.wav");
    if (s.cur().actionPoints < a.cost) {
        showMessage(g, "行動力が足りません");
        return;
    }
    if (!a.weatherAllows(s.weather)) {
        showMessage(g, "この天候では探検に出かけられません");
        return;
    }
    g.form.hide("cominu_box2");
    g.form.show("who_box");
    showMessage(g, a.question);
    g.form.setCaption(g.form.id("who_box"), a.caption);
    if (a.threshold == 0) return;
    const int k = s.currentCharacter;
    for (int p : partnersOf(k))
        g.form.setEnabled(g.form.id(kNameButtons[static_cast<size_t>(p)]),
                          intimacyOf(s, k, p) >= a.threshold);
}

const Activity* pendingActivity(const Game& g) {
    const std::string& caption = g.form.at("who_box").caption;
    for (const Activity& a : kActivities)
        if (caption == a.caption) return &a;
    return nullptr;
}

std::string intimacyLine(const std::string& partner, int32_t gain) {
    return partner + "との【親密度】が" + std::to_string(gain) + "上がった";
}

void appendDots(Game& g) {
    appendMessage(g, dotLine(18));
    appendMessage(g, dotLine(18));
}

void playNightScene(Game& g, int current, int partner, companions::NightActivity activity) {
    const companions::NightScene* scene =
        companions::findNightScene(current, partner, activity, g.s.storyPhase);
    if (scene == nullptr) return;
    for (const companions::SceneBeat& b : scene->beats) {
        if (b.speaker == companions::kBlushPartner) {
            showPicture(g, std::string(kCharacterNames[static_cast<size_t>(partner)]) + "頬.jpg");
        } else if (b.speaker == companions::kBlushSelf) {
            showPortrait(g, std::string(kCharacterNames[static_cast<size_t>(current)]) + "頬");
        } else {
            showMessage(g, spokenLine(kCharacterNames[static_cast<size_t>(b.speaker)], b.words));
            waitForClick(g);
        }
    }
}

void talk(Game& g, Character& c, const Character& partner, int32_t gain) {
    showMessage(g, c.name + "は" + partner.name + "と楽しく会話した");
    waitForClick(g);
    appendDots(g);
    playSound(g, 1, "talk.wav");
    const int32_t n = 2 + g.rng.random(3);
    waitForClick(g);
    c.stress += n;
    appendMessage(g, "【ストレス】が" + std::to_string(n) + "回復した");
    waitForClick(g);
    appendMessage(g, intimacyLine(partner.name, gain));
}

void play(Game& g, Character& c, const Character& partner, int32_t gain) {
    showMessage(g, c.name + "は" + partner.name + "と楽しく遊んだ");
    waitForClick(g);
    appendDots(g);
    playSound(g, 1, "talk.wav");
    c.stamina -= 1;
    c.stress -= 5;
    waitForClick(g);
    appendMessage(g, intimacyLine(partner.name, gain));
}

void exploreTogether(Game& g, Character& c, const Character& partner, int32_t gain) {
    loadBackground(g, "背景・探検");
    showMessage(g, c.name + "は" + partner.name + "と探検にでかけた");
    waitForClick(g);
    playSound(g, 2, "bird.wav");
    appendDots(g);
    playSound(g, 1, "ok.wav");
    c.stamina -= 1;
    c.hygiene -= 5;
    waitForClick(g);
    showMessage(g, "");
    findFruit(g);
    findFruit(g);
    waitForClick(g);
    appendMessage(g, intimacyLine(partner.name, gain));
    showWeatherBackground(g);
}

// The common part of the two night activities: out under the night sky, the
// toll, the pair's scene and the intimacy line.
void nightOut(Game& g, int k, int p, companions::NightActivity activity, const std::string& opening,
              int32_t hygieneLoss, int32_t gain) {
    Character& c = g.s.ch(k);
    loadBackground(g, "背景・夜");
    showMessage(g, opening);
    waitForClick(g);
    appendDots(g);
    c.stamina -= 2;
    c.hygiene -= hygieneLoss;
    waitForClick(g);
    showMessage(g, "");
    playNightScene(g, k, p, activity);
    playSound(g, 1, "com.wav");
    showMessage(g, intimacyLine(g.s.ch(p).name, gain));
    waitForClick(g);
}

void nightWalk(Game& g, int k, int p, int32_t gain) {
    Character& c = g.s.ch(k);
    nightOut(g, k, p, companions::NightActivity::Walk,
             c.name + "は" + g.s.ch(p).name + "と２人でこっそり夜の散歩に出かけた！", 8, gain);
    const int32_t n = 15 + g.rng.random(2);
    appendMessage(g, c.name + "の【ストレス】が" + std::to_string(n) + "回復した");
    c.stress += n;
    waitForClick(g);
    showWeatherBackground(g);
}

void bedVisit(Game& g, int k, int p, int32_t gain) {
    Character& partner = g.s.ch(p);
    nightOut(g, k, p, companions::NightActivity::BedVisit,
             g.s.ch(k).name + "は" + partner.name + "の寝床を襲った！", 10, gain);
    // The partner was woken: its next turn starts with fewer points (a
    // negative value stays until that turn's status refresh).
    const int32_t n = 9 + g.rng.random(2);
    appendMessage(g, partner.name + "の【行動力】が" + std::to_string(n) + "減少した");
    partner.actionPoints -= n;
    waitForClick(g);
    chanceTimeSandFind(g);
    showWeatherBackground(g);
}

void choosePartner(Game& g, int partner) {
    if (partner == g.s.currentCharacter) return;
    g.s.runtime.talkPartner = partner;
    runCommunication(g);
}

void openCommunication(Game& g) {
    GameState& s = g.s;
    playSound(g, 1, "1.wav");
    g.form.hide("com_box");
    for (int k = 1; k <= kCharacterCount; ++k)
        g.form.setEnabled(g.form.id(kNameButtons[static_cast<size_t>(k)]), k != s.currentCharacter);
    // Any pair counts, not only the current character's: the buttons offer
    // what the island has come to, and the names then show who qualifies.
    for (const ThresholdButton& t : kThresholdButtons) {
        bool any = false;
        for (int32_t v : s.pairIntimacy) any = any || v >= t.intimacy;
        g.form.setVisible(g.form.id(t.button), any);
    }
    showActivityList(g);
    openPanelOver(g, "cominu_box", nullptr);
}

// Cancel of the name panel: back to the activities.
void cancelPartner(Game& g) {
    playSound(g, 1, "1.wav");
    showActivityList(g);
}

void closeCommunication(Game& g) {
    closePanelTo(g, "cominu_box", "com_box");
}

}  // namespace

void runCommunication(Game& g) {
    GameState& s = g.s;
    const int k = s.currentCharacter;
    const int p = s.runtime.talkPartner;
    const Activity* a = pendingActivity(g);
    if (!GameState::isCharacterIndex(k) || !GameState::isCharacterIndex(p) || p == k ||
        a == nullptr)
        return;
    Character& c = s.ch(k);
    // The points were tested when the activity was chosen; nothing can spend
    // them while the names are shown, but the cost is never taken blindly.
    if (c.actionPoints < a->cost) {
        playSound(g, 1, "1.wav");
        showMessage(g, "行動力が足りません");
        showActivityList(g);
        return;
    }

    playSound(g, 3, "1.wav");
    g.form.hide("cominu_box");
    g.form.hide("who_box");
    showPicture(g, s.ch(p).name + ".jpg");
    c.actionPoints -= a->cost;
    switch (a->kind) {
        case ActivityKind::Talk:
            talk(g, c, s.ch(p), a->gain);
            break;
        case ActivityKind::Play:
            play(g, c, s.ch(p), a->gain);
            break;
        case ActivityKind::Explore:
            exploreTogether(g, c, s.ch(p), a->gain);
            break;
        case ActivityKind::NightWalk:
            nightWalk(g, k, p, a->gain);
            break;
        case ActivityKind::BedVisit:
            bedVisit(g, k, p, a->gain);
            break;
    }
    intimacyOf(s, k, p) += a->gain;
    chanceTimeSandFind(g);
    showPicture(g, "");
    if (a->kind == ActivityKind::NightWalk || a->kind == ActivityKind::BedVisit) {
        // The night activities take the rest of the day.
        goToSleep(g);
        return;
    }
    g.form.show("cominu_box");
    showActivityList(g);
}

void registerCommunicationHandlers(HandlerRegistry& r) {
    r.add("cominu_b", Guard::Command, openCommunication);
    for (const Activity& a : kActivities)
        r.add(a.button, Guard::Command, [&a](Game& g) { choose(g, a); });
    for (int k = 1; k <= kCharacterCount; ++k)
        r.add(kNameButtons[static_cast<size_t>(k)], Guard::Command,
              [k](Game& g) { choosePartner(g, k); });
    r.add("Button17", Guard::Command, cancelPartner);
    r.add("BitBtn26", Guard::Command, closeCommunication);
}

}  // namespace kotou
