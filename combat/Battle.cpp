#include "combat/Battle.h"

#include <algorithm>
#include <array>

#include "combat/Enemies.h"
#include "gains/Finds.h"
#include "shell/Background.h"
#include "shell/Messages.h"
#include "state/Text.h"

namespace kotou {

namespace {

// The armours and what each takes off an enemy's blow.
constexpr std::array<std::pair<WorldFlag, int32_t>, 3> kArmours = {
    {{WorldFlag::Armour, 2}, {WorldFlag::LeatherArmour, 3}, {WorldFlag::IronArmour, 4}}};

constexpr int kSpark = 3;
constexpr int kZankyo = 4;

// A flash blinks six times, 10 ms on and 10 ms off.
constexpr int kFlashMs = 120;

int32_t& flag(Game& g, WorldFlag entry) {
    return g.s.flag(entry);
}

bool hasCurrentCharacter(const Game& g) {
    return GameState::isCharacterIndex(g.s.currentCharacter);
}
// A battle command only acts while a battle runs and a character fights it.
bool inBattle(Game& g) {
    return hasCurrentCharacter(g) && battleState(g).area >= 0;
}

const std::string& name(const Game& g) {
    return g.s.cur().name;
}

void setEnemy(BattleState& b, const Enemy& e) {
    b.enemyName = e.name;
    b.enemyHp = e.hp;
    b.enemyAttack = e.attack;
    b.enemyPicture = e.picture;
    b.enemyResistance = e.resistance;
}

void hideBattlePanel(Game& g) {
    g.form.hide("battle_box");
}

void miss(Game& g) {
    playSound(g, 2, "miss.wav");
    appendMessage(g, "ミスしてしまった！");
    waitForClick(g);
    enemyTurn(g);
}

// Deals the damage of a command and lets the battle go on.
void dealDamage(Game& g, int32_t damage) {
    BattleState& b = battleState(g);
    b.enemyHp -= damage;
    appendMessage(g, b.enemyName + "に" + num(damage) + "ダメージ与えた！");
    waitForClick(g);
}

void afterPlayerDamage(Game& g) {
    if (battleState(g).enemyHp < 1)
        winBattle(g);
    else
        enemyTurn(g);
}

struct ColosseumPrize {
    Counter store;
    int32_t amount;
    const char* prefix;
};

// By opponent 1..10; the third opponent gives two fruits and is handled apart.
const std::array<ColosseumPrize, 10> kPrizes = {{
    {&GameState::fireFruitCount, 10, "勝利賞品：【火の実１０コ】を入手した！！（所持："},
    {&GameState::appleCount, 10, "勝利賞品：【りんご１０コ】を入手した！！（所持："},
    {nullptr, 10, "勝利賞品：【不思実・七つ実】をそれぞれ１０コを入手した！！（所持：不思実"},
    {&GameState::boneCount, 5, "勝利賞品：【骨】を5コを入手した！！（所持：骨"},
    {&GameState::hideCount, 5, "勝利賞品：【皮】を5コを入手した！！（所持：皮"},
    {&GameState::timeSandCount, 3, "勝利賞品：【煌く時の砂】を3コを入手した！！（所持：煌く時の砂"},
    {&GameState::moonShadowCount, 3, "勝利賞品：【月の影】を3コを入手した！！（所持：月の影"},
    {RareItem::Oshira, 5, "勝利賞品：【オシラさま】を5コを入手した！！（所持：オシラさま"},
    {&GameState::ironCount, 3, "勝利賞品：【鉄】を3コを入手した！！（所持：鉄"},
    {&GameState::farewellStoneCount, 1,
     "勝利賞品：【さよならの石】を1コを入手した！！（所持：さよならの石"},
}};

void giveColosseumPrize(Game& g, int area) {
    const auto opponent = static_cast<size_t>(area - kFirstColosseumArea);
    playSound(g, 1, "battle_clear.wav");
    const ColosseumPrize& p = kPrizes[opponent];
    std::string text;
    if (p.store == nullptr) {
        g.s.wonderFruitCount += p.amount;
        g.s.sevenFruitCount += p.amount;
        text = p.prefix + num(g.s.wonderFruitCount) + "、七つ実" + num(g.s.sevenFruitCount) + "）";
    } else {
        int32_t& count = p.store(g.s);
        count += p.amount;
        text = p.prefix + num(count) + "）";
    }
    flag(g, colosseumBeaten(static_cast<int>(opponent) + 1)) = 1;
    showMessage(g, text);
    waitForClick(g);
}

struct CourseClear {
    const char* course;        // in the clear line
    Counter opens;             // the next course's entry; none for the last ones
    Counter reward;            // one more of a material; nullptr none
    const char* rewardPrefix;  // followed by the new count and "）"
    const char* title;         // the title line of the last two courses
    int32_t finalClears;       // the title kept for the records; 0 none
};

const std::array<CourseClear, 7> kCourseClears = {{
    {"ノーマルコース", WorldFlag::GordosCourse, nullptr, nullptr, nullptr, 0},
    {"ゴルドスコース", WorldFlag::VictoryCourse, &GameState::sunStoneCount,
     "素材【太陽の石】を１コ入手した！（所持：", nullptr, 0},
    {"ビクトリーコース", WorldFlag::AcheronCourse, &GameState::rainStoneCount,
     "素材【雨石】を１コ入手した！（所持：", nullptr, 0},
    {"アケローンコース", WorldFlag::PhantomCourse, &GameState::moonShadowCount,
     "素材【月の影】を１コ入手した！（所持：", nullptr, 0},
    {"ファントムコース", nullptr, &GameState::thanksStoneCount,
     "【ありがとうの石】を１コ入手した！（所持：", nullptr, 0},
    {"さよなら！！！！", nullptr, nullptr, nullptr, "称号【さよなら】を入手した！", 1},
    {"？？？？", nullptr, nullptr, nullptr, "称号【????】を入手した！", 2},
}};

void clearCourse(Game& g, int area) {
    BattleState& b = battleState(g);
    b.chain = -1;
    hideBattlePanel(g);
    playMusic(g, "not");
    playSound(g, 0, "battle_clear.wav");
    const CourseClear& c = kCourseClears[static_cast<size_t>(area - kFirstCourseArea)];
    if (c.opens) c.opens(g.s) = 1;
    // A later, harder course's title is never replaced by an earlier one's.
    if (c.finalClears > 0) g.s.finalCourseClears = std::max(g.s.finalCourseClears, c.finalClears);
    showMessage(g, name(g) + "は『" + c.course + "』をクリアした！");
    if (c.reward != nullptr) {
        int32_t& count = c.reward(g.s);
        count += 1;
        appendMessage(g, c.rewardPrefix + num(count) + "）");
    }
    if (c.title != nullptr) appendMessage(g, c.title);
    waitForClick(g);
    endBattle(g);
}

}  // namespace

void startBattle(Game& g) {
    BattleState& b = battleState(g);
    const int area = b.area;
    if (!hasCurrentCharacter(g)) return;
    if (area >= 0 && area <= 15) b.chain = 0;

    if (isExplorationArea(area)) {
        const ExplorationEnemies& t = kExplorationEnemies[static_cast<size_t>(area)];
        const int32_t n = g.s.cur().strength < t.strengthThreshold ? 3 : 4;
        setEnemy(b, t.rows[static_cast<size_t>(g.rng.random(n))]);
    } else if (isColosseumArea(area)) {
        setEnemy(b, kColosseumEnemies[static_cast<size_t>(area - kFirstColosseumArea)]);
        showMessage(g, "コロシアムバトルスタート！！！");
        waitForClick(g);
    } else if (isCourseArea(area)) {
        b.chain += 1;
        const auto& course = kCourseEnemies[static_cast<size_t>(area - kFirstCourseArea)];
        setEnemy(b, course[static_cast<size_t>(g.rng.random(3))]);
    } else {
        // No enemy lives in this area: there is no battle to start.
        b.area = -1;
        return;
    }

    g.form.hide("tansaku_box");
    b.reviveUsed = false;
    showScene(g, b.enemyPicture);
    playSound(g, 0, "teki.wav");
    if (!isCourseArea(area))
        playMusic(g, "battle.mid");
    else if (b.chain == 1)
        playMusic(g, "svival.mid");
    showMessage(g, "敵【" + b.enemyName + "】が現れた！！");
    appendMessage(g, "※どうしますか？");
    showBattleCommands(g);
}

void showBattleCommands(Game& g) {
    if (!hasCurrentCharacter(g)) return;
    const int k = g.s.currentCharacter;
    FormModel& f = g.form;
    const ComponentId magic = f.id("magic_b");
    f.setVisible(magic, flag(g, WorldFlag::MagicBook) >= 2);
    f.setCaption(magic, flag(g, WorldFlag::HighMagicBook) >= 2 ? "上級魔法" : "魔法");
    f.setVisible(f.id("kaifuku_b"), flag(g, WorldFlag::MysticBook) >= 2);
    f.setVisible(f.id("lazer_b"), flag(g, WorldFlag::Laser) >= 1 && k == kSpark);
    f.setVisible(f.id("toubou_b"), flag(g, abilityFlag(BattleAbility::Flee, k)) >= 1 &&
                                       isExplorationArea(battleState(g).area));
    g.host.repaint();
    f.show("battle_box");
    g.host.repaint();
}

namespace {

void attack(Game& g) {
    const int k = g.s.currentCharacter;
    hideBattlePanel(g);
    playSound(g, 1, "ken.wav");
    showMessageAtOnce(g, name(g) + "は攻撃した！");
    if (g.rng.random(10) == 0) {
        miss(g);
        return;
    }
    g.host.flash(Flash{"red", kFlashMs});
    const Character& c = g.s.cur();
    int32_t damage = c.strength / 2;
    if (flag(g, WorldFlag::GreatSword) >= 1) damage += 5;
    if (flag(g, WorldFlag::Sword) >= 1) damage += c.zoology / 3;
    if (battleState(g).enemyResistance == 1) damage /= 4;
    damage += g.rng.random(2);
    if (flag(g, abilityFlag(BattleAbility::Critical, k)) >= 1 && g.rng.random(10) == 0) {
        playSound(g, 2, "cli.wav");
        appendMessage(g, "クリティカルヒット！！");
        damage = damage * 5 / 3;
    }
    dealDamage(g, damage);
    afterPlayerDamage(g);
}

void castMagic(Game& g) {
    hideBattlePanel(g);
    playSound(g, 1, "magic.wav");
    showMessage(g, name(g) + "は魔法で攻撃した！");
    if (g.rng.random(10) == 0) {
        miss(g);
        return;
    }
    g.host.flash(Flash{"cyan", kFlashMs});
    int32_t damage = g.s.cur().dexterity;
    if (flag(g, WorldFlag::HighMagicBook) < 2) damage /= 3;
    if (battleState(g).enemyResistance == 2) damage /= 4;
    damage += g.rng.random(2);
    dealDamage(g, damage);
    afterPlayerDamage(g);
}

void heal(Game& g) {
    if (g.s.cur().actionPoints < 2) {
        showMessage(g, "回復に必要な行動力が足りません");
        return;
    }
    hideBattlePanel(g);
    playSound(g, 1, "kaifuku.wav");
    showMessage(g, name(g) + "は回復をはかった！！");
    const int32_t gain = g.s.cur().botany / 2 + g.rng.random(2);
    g.s.cur().stamina += gain;
    appendMessage(g, "【体力】が" + num(gain) + "回復した！！");
    g.s.cur().actionPoints -= 2;
    appendMessage(g, "【行動力】が2減少した！");
    waitForClick(g);
    enemyTurn(g);
}

void fireLaser(Game& g) {
    hideBattlePanel(g);
    playSound(g, 1, "lazer.wav");
    showMessage(g, name(g) + "はレーザーを発射した！！");
    g.host.flash(Flash{"yellow", kFlashMs});
    Character& c = g.s.cur();
    c.stamina /= 2;
    dealDamage(g, c.strength + c.dexterity + g.rng.random(2));
    appendMessage(g, "【体力】の半分を失った。");
    waitForClick(g);
    afterPlayerDamage(g);
}

void flee(Game& g) {
    // Flight exists only in exploration battles.
    if (!isExplorationArea(battleState(g).area)) return;
    hideBattlePanel(g);
    playSound(g, 1, "nigeru.wav");
    if (g.rng.random(3) != 0) {
        showScene(g, "");
        showMessage(g, name(g) + "は逃亡に成功した！！");
        waitForClick(g);
        endBattle(g);
    } else {
        showMessage(g, name(g) + "は逃亡に失敗した・・・・");
        waitForClick(g);
        enemyTurn(g);
    }
}

}  // namespace

void enemyTurn(Game& g) {
    if (!inBattle(g)) return;
    BattleState& b = battleState(g);
    const int k = g.s.currentCharacter;
    hideBattlePanel(g);
    showMessage(g, b.enemyName + "の攻撃");

    if (flag(g, abilityFlag(BattleAbility::Dodge, k)) >= 1 && g.rng.random(10) == 0) {
        playSound(g, 2, "kawasu.wav");
        appendMessage(g, name(g) + "攻撃をかわした！");
        showBattleCommands(g);
        return;
    }

    int32_t blow = b.enemyAttack;
    b.enemyAttack += g.rng.random(2);
    for (const auto& [entry, reduction] : kArmours)
        if (flag(g, entry) >= 1) blow -= reduction;
    blow = std::max(blow, 0);
    playSound(g, 1, "damage.wav");
    appendMessage(g, num(blow) + "ダメージ食らった！！");

    if (flag(g, abilityFlag(BattleAbility::Reflect, k)) >= 1 && g.rng.random(10) == 0) {
        playSound(g, 3, "hansya.wav");
        appendMessage(g, name(g) + "攻撃を反射した！");
        waitForClick(g);
        const int32_t reflected = std::max(blow / 3, 1);
        b.enemyHp -= reflected;
        appendMessage(g, b.enemyName + "に" + num(reflected) + "ダメージ与えた！");
        g.host.flash(Flash{"red", kFlashMs});
        showBattleCommands(g);
        return;
    }

    g.s.cur().stamina -= blow;
    g.host.flash(Flash{"hp", kFlashMs});
    if (g.s.cur().stamina > 0) {
        showBattleCommands(g);
        return;
    }

    waitForClick(g);
    playSound(g, 2, "bad.wav");
    showMessage(g, name(g) + "は気絶してしまった・・・・");
    if (k == kZankyo && flag(g, WorldFlag::Revival) >= 1 && !b.reviveUsed) {
        waitForClick(g);
        b.reviveUsed = true;
        appendMessage(g, "残響は【蘇生呪術】を唱え、復活した！！");
        g.s.cur().stamina = 1 + g.rng.random(2);
        waitForClick(g);
        showBattleCommands(g);
        return;
    }
    playMusic(g, "not");
    g.s.cur().obesity += 15 + g.rng.random(3);
    waitForClick(g);
    const int32_t s = 40 + g.rng.random(20);
    g.s.cur().stress -= s;
    appendMessage(g, "【ストレス】が" + num(s) + "減った。");
    waitForClick(g);
    endBattle(g);
}

void winBattle(Game& g) {
    if (!inBattle(g)) return;
    BattleState& b = battleState(g);
    const int area = b.area;
    hideBattlePanel(g);
    playSound(g, 2, "victory.wav");
    showScene(g, "");
    if (!isCourseArea(area)) playMusic(g, "not");
    showMessage(g, b.enemyName + "を見事、倒した！！");

    const int32_t points = 6 + b.enemyAttack / 5 + g.rng.random(4);
    Character& c = g.s.cur();
    c.phantom += points;
    c.obesity += 3 + g.rng.random(3);
    appendMessage(g, "【ファントム】が" + num(points) + "追加された！");
    waitForClick(g);

    if (isColosseumArea(area)) giveColosseumPrize(g, area);
    switch (area) {
        case 4:
            findFruit(g);
            break;
        case 0:
            findAnimal(g);
            findSeaCatch(g);
            break;
        case 1:
            findSeaCatch(g);
            break;
        case 2:
            findFruit(g);
            findFruit(g);
            break;
        case 3:
            findRareItem(g);
            break;
        default:
            break;
    }

    if (!isCourseArea(area)) {
        endBattle(g);
        return;
    }
    if (b.chain >= 1 && b.chain <= 3) {
        startBattle(g);
        return;
    }
    clearCourse(g, area);
}

void endBattle(Game& g) {
    BattleState& b = battleState(g);
    playDayMusic(g);
    b.chain = -1;
    hideBattlePanel(g);
    showScene(g, "");
    const int area = b.area;
    if (area >= kFirstColosseumArea && area <= 15)
        g.form.show("colo_box");
    else if (isCourseArea(area))
        g.form.show("svival_box");
    else
        g.form.show("tansaku_box");
    b.area = -1;
}

void learnBattleAbilities(Game& g) {
    if (!hasCurrentCharacter(g)) return;
    const int k = g.s.currentCharacter;
    struct Ability {
        int32_t minTraining;
        int onlyCharacter;  // 0: every character
        WorldFlag entry;
        const char* message;
        const char* note;
    };
    const std::array<Ability, 6> abilities = {{
        {6, 0, abilityFlag(BattleAbility::Dodge, k), "は戦闘能力【回避】を修得した！",
         "（※敵の攻撃を稀に交わします）"},
        {20, 0, abilityFlag(BattleAbility::Critical, k), "は戦闘能力【クリティカル】を修得した！",
         "（※稀に大ダメージを与えます）"},
        {25, 0, abilityFlag(BattleAbility::Reflect, k), "は戦闘能力【反射】を修得した！",
         "（※稀にダメージをはね返します）"},
        {15, 0, abilityFlag(BattleAbility::Flee, k), "は戦闘コマンド【逃亡】を修得した！",
         "（探索時の戦闘時のみ使用可能）"},
        {30, kSpark, WorldFlag::Laser, "は戦闘コマンド【レーザー】を修得した！", nullptr},
        {30, kZankyo, WorldFlag::Revival, "は戦闘能力【蘇生呪術】を修得した！", nullptr},
    }};
    for (const Ability& a : abilities) {
        if (a.onlyCharacter != 0 && a.onlyCharacter != k) continue;
        if (g.s.cur().trainingLevel < a.minTraining || flag(g, a.entry) >= 1) continue;
        playSound(g, 2, "waza.wav");
        flag(g, a.entry) = 1;
        showMessage(g, name(g) + a.message);
        if (a.note != nullptr) appendMessage(g, a.note);
        waitForClick(g);
    }
}

void registerBattleHandlers(HandlerRegistry& r) {
    r.add("BitBtn9", Guard::Battle, attack);
    r.add("magic_b", Guard::Battle, castMagic);
    r.add("kaifuku_b", Guard::Battle, heal);
    r.add("lazer_b", Guard::Battle, fireLaser);
    r.add("toubou_b", Guard::Battle, flee);
}

}  // namespace kotou
