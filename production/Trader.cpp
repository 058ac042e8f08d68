#include "production/Trader.h"

#include <string>
#include <vector>

#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

constexpr int32_t kVisitCost = 2;

struct Offer {
    const char* line;  // the list line, also the key a purchase looks up
    int32_t chance;    // offered when a draw of 0..chance-1 is 0
    Counter currency;
    int32_t price;
    const char* good;  // the name in the purchase message
    Counter held;
};

constexpr Counter kStone = &GameState::stoneCount;
constexpr Counter kBranch = &GameState::branchCount;

const Offer kOffers[] = {
    {"人食い魚　　（要：石５０）", 3, kStone, 50, "人食い魚", &GameState::maneaterFishCount},
    {"火炎石　　　（要：石２０）", 3, kStone, 20, "火炎石", &GameState::flameStoneCount},
    {"骨　　　　　（要：枝２０）", 3, kBranch, 20, "骨", &GameState::boneCount},
    {"皮　　　　　（要：石２０）", 3, kStone, 20, "皮", &GameState::hideCount},
    {"ヒカリゴケ　（要：石３０）", 3, kStone, 30, "ヒカリゴケ", &GameState::glowMossCount},
    {"泥　　　　　（要：石１５）", 3, kStone, 15, "泥", &GameState::mudCount},
    {"材木　　　　（要：枝３０）", 3, kBranch, 30, "材木", &GameState::lumberCount},
    {"つる　　　　（要：石１０）", 3, kStone, 10, "つる", &GameState::vineCount},
    {"漂流物　　　（要：枝１０）", 3, kBranch, 10, "漂流物", &GameState::flotsamCount},
    {"鉄　　　　　（要：石６０）", 3, kStone, 60, "鉄", &GameState::ironCount},
    {"月の影　　　（要：枝５０）", 3, kBranch, 50, "月の影", &GameState::moonShadowCount},
    {"精神安定剤　（要：枝４０）", 3, kBranch, 40, "精神安定剤", ExtraItem::Tranquilizer},
    {"アラハバキ神（要：枝５０）", 3, kBranch, 50, "アラハバキ神", RareItem::Arahabaki},
    {"宝石　　　　（要：石３０）", 3, kStone, 30, "宝石", &GameState::gemCount},
    {"魔法石　　　（要：枝３０）", 3, kBranch, 30, "魔法石", &GameState::magicStoneCount},
    {"煌く時の砂　（要：石６０）", 5, kStone, 60, "煌く時の砂", &GameState::timeSandCount},
};

const Offer* offerOf(const std::string& line) {
    for (const Offer& o : kOffers)
        if (line == o.line) return &o;
    return nullptr;
}

void visitTrader(Game& g) {
    Character& c = g.s.cur();
    if (c.actionPoints < kVisitCost) {
        showMessage(g, "行動力が足りません");
        return;
    }
    g.form.setPicture(g.form.id("mara_cg"), "cg/マーラー.jpg");
    c.actionPoints -= kVisitCost;
    playSound(g, 0, "door.wav");
    openPanelOver(g, "mara_box", "com_box");
    std::vector<std::string> lines;
    for (const Offer& o : kOffers)
        if (g.rng.random(o.chance) == 0) lines.emplace_back(o.line);
    const ComponentId list = g.form.id("mara_list");
    g.form.setItems(list, std::move(lines));
    // Same offers as last time keep their lines; the choice starts anew all the same.
    g.form.setSelected(list, -1);
}

void pressOfferLine(Game& g) {
    playSound(g, 0, "key.wav");
}

void buyOffer(Game& g) {
    playSound(g, 1, "1.wav");
    // The selection comes from the window; selectedItem is "" for an index
    // outside the lines, and a line that is no offer buys nothing.
    const Offer* o = offerOf(g.form.selectedItem(g.form.id("mara_list")));
    if (o == nullptr) return;
    int32_t& money = o->currency(g.s);
    if (money < o->price) {
        showMessage(g, "交換に必要なものが足りません");
        return;
    }
    money -= o->price;
    int32_t& held = o->held(g.s);
    held += 1;
    showMessage(g, std::string(o->good) + "を１コ購入した（所持：" + std::to_string(held) + "）");
    playSound(g, 0, "katan.wav");
}

void leaveTrader(Game& g) {
    closePanelTo(g, "mara_box", "com_box");
}

}  // namespace

std::vector<RowRequirement> traderRequirements() {
    std::vector<RowRequirement> out;
    for (const Offer& o : kOffers) out.push_back({o.line, {{"", o.currency, o.price}}, {}});
    return out;
}

void registerTraderHandlers(HandlerRegistry& r) {
    r.add("mara_b", Guard::Command, visitTrader);
    r.add("mara_list", Guard::Navigation, pressOfferLine);
    r.add("Button1", Guard::Command, buyOffer);
    r.add("BitBtn38", Guard::Navigation, leaveTrader);
}

}  // namespace kotou
