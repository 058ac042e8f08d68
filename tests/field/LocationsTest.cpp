// The six places beyond the forest: their checks, costs, find counts and
// ranges, hazards, books, double finds, monsters and discoveries.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "combat/Battle.h"
#include "field/Exploration.h"
#include "field/Location.h"
#include "game/GameHandlers.h"
#include "tests/support/RulesTest.h"

namespace kotou {
namespace {

enum Tools : unsigned {
    kBucket = 1,
    kSaw = 2,
    kTackle = 4,
    kBoat = 8,
    kKnife = 16,
    kGun = 32,
    kZoology20 = 64
};

struct Place {
    const char* button;
    size_t flag;  // the worldFlags entry that opens it
    int32_t ap, geo;
    // 行動力, 体力, ストレス, 衛生, 肥満 after one visit (the beach's obesity draw 0)
    std::array<int32_t, 5> cost;
    const char* background;
    bool costDraw, amountDraw;
    int32_t store;  // a find draw that is a plain stored item
    const char* line;
    int discoveries;
};

const Place kPlaces[] = {
    {"hamabe_b", 1, 2, 3, {-2, -1, -1, -3, 0}, "背景・浜辺.jpg", true, true, 0, "【貝】を1個", 1},
    {"umi_b", 0, 5, 7, {-5, -4, -1, -7, 2}, "背景・海.jpg", false, false, 2, "【海藻】を1個", 1},
    {"doukutu_b",
     3,
     4,
     11,
     {-4, -2, -3, -4, 2},
     "背景・洞窟.jpg",
     false,
     true,
     1,
     "【緑キノコ】を1個",
     2},
    {"jungle_b",
     2,
     6,
     25,
     {-6, -3, -1, -3, 3},
     "背景・ジャングル.jpg",
     false,
     true,
     2,
     "【雫】を1個",
     1},
    {"mizuumi_b", 4, 3, 18, {-3, -1, -1, -2, 1}, "背景・湖.jpg", false, true, 1, "【草】を1個", 0},
    {"gake_b", 9, 7, 32, {-7, -4, -4, -5, 5}, "背景・崖.jpg", false, true, 3, "【機械】を1個", 0},
};
const Place& place(const std::string& button) {
    for (const Place& p : kPlaces)
        if (button == p.button) return p;
    throw std::out_of_range(button);
}

struct LocationsTest : test::RulesTest {
    LocationsTest() { reset(); }

    // A new game at ルル's turn that meets every check of every place.
    void reset() {
        initNewGame(g.s);
        g.s.runtime.clickState = 1;
        for (const Place& p : kPlaces) g.s.worldFlags[p.flag] = 1;
        g.s.hasLamp = 1;
        c().maxActionPoints = c().actionPoints = 199;
        c().obesity = 50;
        c().geography = 32;
        c().strength = 22;
        host.silentClicks = true;
        host.clearRecords();
        g.form.show("tansaku_box");
        g.form.hide("sounan_box");
    }
    Character& c() { return g.s.ch(1); }
    void tools(unsigned t) {
        g.s.hasBucket = (t & kBucket) ? 1 : 0;
        g.s.hasSaw = (t & kSaw) ? 1 : 0;
        g.s.hasFishingTackle = (t & kTackle) ? 1 : 0;
        g.s.hasBoat = (t & kBoat) ? 1 : 0;
        g.s.hasKnife = (t & kKnife) ? 1 : 0;
        g.s.hasGun = (t & kGun) ? 1 : 0;
        c().zoology = (t & kZoology20) ? 20 : 19;
    }
    // A visit whose finds are `finds` (draw values, each with its own
    // draws after it), no assist, no discovery, no geography growth.
    void visit(const Place& p, const std::vector<std::vector<int32_t>>& finds) {
        if (p.costDraw) rng.push(0);
        rng.push(9);
        for (const auto& f : finds) {
            if (p.amountDraw) rng.push(0);
            for (int32_t d : f) rng.push(d);
        }
        for (int i = 0; i < p.discoveries; ++i) rng.push(1);
        rng.push(1);
        press(p.button);
        EXPECT_EQ(rng.remaining(), 0u);
    }
    int tansaku() const {
        int n = 0;
        for (const auto& s : host.sounds) n += s.file == "tansaku.wav";
        return n;
    }
};

TEST_F(LocationsTest, EachPlaceChecksItsThresholdsThenSpendsAndFinds) {
    for (const Place& p : kPlaces) {
        SCOPED_TRACE(p.button);
        reset();
        c().actionPoints = p.ap - 1;
        c().geography = p.geo;
        const GameState before = g.s;
        const size_t draws = rng.requests().size();
        press(p.button);
        EXPECT_EQ(host.lastMessage(), "必要な行動力が足りません");
        c().actionPoints = p.ap;
        c().geography = p.geo - 1;
        press(p.button);
        EXPECT_EQ(host.lastMessage(), "探索に必要なパラメーター【地理学】が低過ぎます");
        EXPECT_EQ(rng.requests().size(), draws);
        EXPECT_TRUE(g.form.visible("tansaku_box"));

        c().geography = p.geo;
        visit(p, {{p.store}});
        EXPECT_EQ(c().actionPoints, 0);
        // Again with points to spare, so that no clamp hides the cost.
        reset();
        const Character b = c();
        visit(p, {{p.store}});
        EXPECT_EQ((std::array<int32_t, 5>{c().actionPoints - b.actionPoints,
                                          c().stamina - b.stamina, c().stress - b.stress,
                                          c().hygiene - b.hygiene, c().obesity - b.obesity}),
                  p.cost);
        EXPECT_EQ(g.form.at("cg").picture, std::string("cg/") + p.background);
        EXPECT_TRUE(host.saw(p.line));
        EXPECT_TRUE(g.form.visible("tansaku_box"));
    }
}

TEST_F(LocationsTest, ChecksComeInOrderAndRefuseWithoutSpending) {
    // The cave without its lamp refuses first, even short of action points.
    const auto untouched = [this] {
        return std::array{c().stamina, c().stress, c().hygiene, c().obesity};
    };
    const auto before = untouched();
    g.s.hasLamp = 0;
    c().actionPoints = 0;
    press("doukutu_b");
    EXPECT_EQ(host.lastMessage(), "暗くて探索できませんでした。");
    EXPECT_TRUE(host.played("1.wav", 0));
    // The cliff: action points, then geography, then strength.
    c().actionPoints = 6;
    c().geography = 0;
    c().strength = 0;
    press("gake_b");
    EXPECT_EQ(host.lastMessage(), "必要な行動力が足りません");
    c().actionPoints = 7;
    press("gake_b");
    EXPECT_EQ(host.lastMessage(), "探索に必要なパラメーター【地理学】が低過ぎます");
    c().geography = 32;
    c().strength = 21;
    press("gake_b");
    EXPECT_EQ(host.lastMessage(), "探索に必要なパラメーター【腕力】が低過ぎます");
    EXPECT_TRUE(rng.requests().empty());
    EXPECT_EQ(c().actionPoints, 7);
    EXPECT_EQ(untouched(), before);
    // A place not yet discovered does nothing at all.
    g.s.worldFlags[9] = 0;
    c().strength = 22;
    host.clearRecords();
    press("gake_b");
    EXPECT_TRUE(host.sounds.empty());
}

TEST_F(LocationsTest, ToolsAndGeographyAddFinds) {
    const struct {
        const char* button;
        void (*tools)(GameState&);
        int32_t geo;
        int finds;
    } rows[] = {
        {"hamabe_b", [](GameState& s) { s.hasBucket = s.extraItems[1] = 1; }, 35, 4},
        {"umi_b", [](GameState& s) { s.hasNet = s.extraItems[2] = 1; }, 40, 4},
        {"doukutu_b", [](GameState& s) { s.hasRucksack = 1; }, 40, 3},
        {"jungle_b", [](GameState& s) { s.hasRucksack = 1; }, 50, 3},
        {"mizuumi_b", [](GameState& s) { s.hasRucksack = 1; }, 45, 3},
        {"gake_b", [](GameState&) {}, 60, 2},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.button);
        const Place& p = place(r.button);
        for (int32_t less : {0, 1}) {
            reset();
            r.tools(g.s);
            c().geography = r.geo - less;
            const int n = r.finds - less;
            visit(p, std::vector<std::vector<int32_t>>(static_cast<size_t>(n), {p.store}));
            EXPECT_EQ(tansaku(), n);
            EXPECT_EQ(host.clicks, n - 1);
        }
    }
}

TEST_F(LocationsTest, TheLastRangeWhoseToolsAreOwnedSizesTheFindDraw) {
    const struct {
        const char* button;
        unsigned tools;
        int32_t range;
        int finds = 1;  // the bucket brings a second find on the beach
    } rows[] = {
        {"hamabe_b", 0, 5},
        {"hamabe_b", kBucket, 6, 2},
        {"hamabe_b", kSaw, 7},
        {"umi_b", kBoat | kBucket, 5},
        {"umi_b", kTackle | kBoat, 6},
        {"umi_b", kTackle | kBoat | kBucket, 8},
        {"doukutu_b", kSaw | kBucket, 12},
        {"jungle_b", kKnife | kGun, 7},
        {"jungle_b", kSaw | kGun, 8},
        {"jungle_b", kSaw | kKnife, 11},
        {"jungle_b", kSaw | kKnife | kGun, 14},
        {"mizuumi_b", kTackle | kZoology20, 4},
        {"mizuumi_b", kBucket | kZoology20, 6},
        {"mizuumi_b", kBucket | kTackle, 8},
        {"mizuumi_b", kBucket | kTackle | kZoology20, 9},
        {"gake_b", kSaw | kBucket, 9},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.button) + " " + std::to_string(r.tools));
        reset();
        tools(r.tools);
        const Place& p = place(r.button);
        const size_t at = rng.requests().size();
        visit(p, std::vector<std::vector<int32_t>>(static_cast<size_t>(r.finds), {p.store}));
        EXPECT_EQ(rng.requests()[at + (p.costDraw ? 1 : 0) + 1 + (p.amountDraw ? 1 : 0)], r.range);
        if (p.costDraw) {
            EXPECT_EQ(rng.requests()[at], 2) << "the beach's obesity draw";
        }
    }
}

TEST_F(LocationsTest, HazardsHurtAndPoison) {
    const struct {
        const char* button;
        int32_t draw;
        const char* text;
        const char* damage;
        int32_t stress, stamina;
        bool poison;
        int32_t tableSize;
    } rows[] = {
        {"doukutu_b", 0, "クモに噛まれてしまった・・・！", "【体力】に１のダメージを受けた", -7, -1,
         true, 9},
        {"doukutu_b", 1, "吸血コウモリに襲われた・・・！！", "【体力】に３のダメージを受けた", -10,
         -3, false, 9},
        {"doukutu_b", 2, "探索中に怪我を負ってしまった・・・！", "【体力】に２のダメージを受けた",
         -6, -2, false, 9},
        {"jungle_b", 0, "蛇に噛まれてしまった・・・！", "【体力】に２のダメージを受けた", -7, -2,
         true, 4},
        {"jungle_b", 1, "猛獣に襲われた・・・！！", "【体力】に６のダメージを受けた", -15, -6,
         false, 4},
        {"jungle_b", 2, "探索中に怪我を負ってしまった・・・！", "【体力】に３のダメージを受けた",
         -6, -3, false, 4},
        {"mizuumi_b", 0, "赤葉虫に襲われた・・・！！", "【体力】に２のダメージを受けた", -6, -2,
         false, 2},
        {"mizuumi_b", 1, "探索中に怪我を負ってしまった・・・！", "【体力】に１のダメージを受けた",
         -6, -1, false, 2},
        {"gake_b", 0, "毒の茨で足を切ってしまった！！", "【体力】に２のダメージを受けた", -7, -2,
         true, 4},
        {"gake_b", 1, "崖から転げ落ちてしまった・・・！", "【体力】に10のダメージを受けた", -15,
         -10, false, 4},
        {"gake_b", 2, "探索中に怪我を負ってしまった・・・！", "【体力】に３のダメージを受けた", -6,
         -3, false, 4},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.button) + " " + std::to_string(r.draw));
        reset();
        const Place& p = place(r.button);
        const Character b = c();
        const size_t at = rng.requests().size();
        visit(p, {{0, r.draw}});
        EXPECT_EQ(rng.requests()[at + 3], r.tableSize);
        EXPECT_EQ(c().stress - b.stress, p.cost[2] + r.stress);
        EXPECT_EQ(c().stamina - b.stamina, p.cost[1] + r.stamina);
        const int i = host.indexOf(r.text);
        ASSERT_GE(i, 0);
        EXPECT_EQ(host.messages[static_cast<size_t>(i) + 1].text, r.damage);
        EXPECT_EQ(c().poison, r.poison ? 1 : 0);
        EXPECT_EQ(host.played("bad.wav", 2), r.poison);
        EXPECT_EQ(host.saw("ルル【毒】におかされてしまった！"), r.poison);
        EXPECT_EQ(host.clicks, r.poison ? 1 : 0);
    }
}

TEST_F(LocationsTest, CaveBooksAreFoundOnceAndTheCatsCornerThenLosesTheWay) {
    const struct {
        int32_t draw;
        int32_t GameState::*state;
        const char* text;
    } rows[] = {
        {4, &GameState::worldBookFound, "レアアイテム【絵本「せかいのはて」】を手に入れた！"},
        {5, &GameState::flowerBookFound, "レアアイテム【Ｎ・リーフの手記】を手に入れた！"},
        {6, &GameState::cakeBookState, "レアアイテム【本・ケーキの作り方】を手に入れた！"},
        {7, &GameState::herbTeaBookState, "レアアイテム【本・ハーブティの作り方】を手に入れた！"},
        {8, &GameState::medicineBookState, "レアアイテム【本・薬の作り方】を手に入れた！"},
        {3, &GameState::catBookFound, "レアアイテム【絵本「ねこと月」】を手に入れた！"},
    };
    const Place& cave = place("doukutu_b");
    for (const auto& r : rows) {
        SCOPED_TRACE(r.draw);
        visit(cave, {{0, r.draw}});
        EXPECT_EQ(g.s.*r.state, 1);
        EXPECT_EQ(host.messages.back().text, r.text);
    }
    // A book already read is not found again.
    g.s.cakeBookState = 2;
    for (int32_t draw : {4, 5, 6, 7, 8}) {
        host.clearRecords();
        visit(cave, {{0, draw}});
        EXPECT_EQ(host.messages.back().text, "なにも見つけられなかった");
    }
    EXPECT_EQ(g.s.cakeBookState, 2);
    // The cat's corner now means getting lost, with the stranded background.
    host.clearRecords();
    rng.push({9, 0, 0, 3});
    press("doukutu_b");
    EXPECT_EQ(rng.remaining(), 0u);
    EXPECT_EQ(host.lastMessage(), "なんと・・・・ルルは遭難してしまった！！！");
    EXPECT_EQ(c().strandedPhase, 10);
    EXPECT_EQ(g.form.at("bak").picture, "cg/背景・遭難.bmp");
}

TEST_F(LocationsTest, LostOnTheFirstOfThreeFindsEndsTheExploration) {
    g.s.hasRucksack = 1;
    c().geography = 50;
    rng.push({9, 0, 0, 3});  // no assist; amount; hazard; lost
    press("jungle_b");
    EXPECT_EQ(rng.remaining(), 0u);
    EXPECT_EQ(rng.requests().size(), 4u);
    EXPECT_EQ(c().strandedPhase, 10);
    EXPECT_TRUE(g.form.visible("sounan_box"));
    EXPECT_FALSE(g.form.visible("tansaku_box"));
    EXPECT_FALSE(g.form.visible("cg"));
    EXPECT_EQ(host.music, std::vector<std::string>{"tensai.mid"});
    EXPECT_EQ(c().geography, 50);
    // Only the cave shows the stranded background at once.
    EXPECT_EQ(g.form.at("bak").picture, "");
}

TEST_F(LocationsTest, DoubleFindsAppendBothWithoutWaiting) {
    g.s.hasRucksack = 1;
    // jungle: two fruit finds (1 りんご, 2 火の実), then one 雫
    visit(place("jungle_b"), {{5, 0, 0, 1, 1}, {2}});
    EXPECT_EQ(g.s.appleCount, 1);
    EXPECT_EQ(g.s.fireFruitCount, 2);
    EXPECT_EQ(g.s.dropCount, 1);
    EXPECT_EQ(host.clicks, 0);
    // cliff: a fruit and an animal; then a fruit and a rare item
    visit(place("gake_b"), {{5, 2, 4, 0, 5}});
    EXPECT_EQ(g.s.sevenFruitCount, 3);
    EXPECT_EQ(g.s.moonShadowCount, 1);
    visit(place("gake_b"), {{6, 0, 0, 7}});
    EXPECT_EQ(g.s.appleCount, 2);
    EXPECT_EQ(g.s.rareItems[7], 1);
    EXPECT_EQ(host.clicks, 0);
}

TEST_F(LocationsTest, MonstersStartTheBattleOfTheirArea) {
    const struct {
        const char* button;
        int32_t draw;
        int area;
    } rows[] = {{"umi_b", 0, 1},    {"umi_b", 1, 1},     {"doukutu_b", 10, 2}, {"doukutu_b", 11, 2},
                {"jungle_b", 1, 0}, {"jungle_b", 13, 0}, {"gake_b", 1, 3},     {"gake_b", 2, 3}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.button) + " " + std::to_string(r.draw));
        reset();
        tools(kSaw | kKnife | kGun);
        const Place& p = place(r.button);
        rng.push(9);
        if (p.amountDraw) rng.push(0);
        rng.push({r.draw, 0});  // the find, then the enemy
        press(r.button);
        EXPECT_EQ(rng.remaining(), 0u);
        EXPECT_EQ(battleState(g).area, r.area);
        EXPECT_TRUE(host.played("teki.wav", 2));
    }
    // The sea's catches are single: no amount is drawn there.
    reset();
    tools(kTackle | kBoat | kBucket);
    visit(place("umi_b"), {{7}});
    EXPECT_EQ(g.s.mermaidCount, 1);
}

TEST_F(LocationsTest, DiscoveriesOpenTheNextPlaces) {
    const struct {
        const char* button;
        std::vector<int32_t> draws;  // discovery draws, then geography
        size_t flag;
        const char* message;
        int32_t chance;
    } rows[] = {
        {"hamabe_b", {0, 1}, 0, "浜辺の向こう側に、ＭＡＰ【海】を発見した！", 20},
        {"umi_b", {0, 1}, 3, "林の向こう側に、ＭＡＰ【洞窟】を発見した！", 15},
        {"doukutu_b", {0, 1, 1}, 2, "洞窟を抜けた所に、ＭＡＰ【ジャングル】を発見した！", 20},
        {"doukutu_b", {1, 0, 1}, 4, "洞窟を抜けた所に、ＭＡＰ【湖】を発見した！", 20},
        {"jungle_b", {0, 1}, 4, "洞窟を抜けた所に、ＭＡＰ【湖】を発見した！", 20},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.message);
        reset();
        const Place& p = place(r.button);
        g.s.worldFlags[r.flag] = 0;
        if (p.costDraw) rng.push(0);
        rng.push(9);
        if (p.amountDraw) rng.push(0);
        rng.push(p.store);
        for (int32_t d : r.draws) rng.push(d);
        press(r.button);
        EXPECT_EQ(rng.remaining(), 0u);
        EXPECT_EQ(g.s.worldFlags[r.flag], 1);
        EXPECT_EQ(host.lastMessage(), r.message);
        EXPECT_TRUE(host.played("place.wav", 2));
        const auto& req = rng.requests();
        const auto hit = std::find(r.draws.begin(), r.draws.end(), 0) - r.draws.begin();
        EXPECT_EQ(req[req.size() - r.draws.size() + static_cast<size_t>(hit)], r.chance);
    }
}

TEST_F(LocationsTest, EveryTableCoversItsDrawsAndADrawBeyondItIsLoud) {
    for (const Location* loc :
         {&forestLocation(), &beachLocation(), &seaLocation(), &caveLocation(), &jungleLocation(),
          &lakeLocation(), &cliffLocation()}) {
        SCOPED_TRACE(loc->name);
        const auto size = static_cast<int32_t>(loc->finds.size());
        ASSERT_FALSE(loc->ranges.empty());
        EXPECT_EQ(loc->ranges.front().when, nullptr) << "the first range always applies";
        int32_t widest = 0;
        for (const FindRange& r : loc->ranges) widest = std::max(widest, r.size);
        EXPECT_EQ(widest, size) << "every row can be drawn and no draw falls outside";
        for (const Find& f : loc->finds)
            if (f.kind == Find::Kind::Monster) {
                EXPECT_GE(loc->battleArea, 0);
            }
    }
    Location faulty = lakeLocation();
    faulty.ranges = {{nullptr, 10}};
    rng.push({9, 0, 9});
    try {
        explore(g, faulty);
        ADD_FAILURE() << "a draw beyond the table found something";
    } catch (const std::logic_error& e) {
        EXPECT_STREQ(e.what(), "湖: a find draw beyond the table");
    }
}

}  // namespace
}  // namespace kotou
