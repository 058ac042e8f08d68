#include "production/Craft.h"

#include <string>

#include "gains/Growth.h"
#include "shell/Availability.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

constexpr const char* kTooTired = "製作に必要な行動力が足りません";
constexpr const char* kDots = "・・・・・・・・・・・・・・・・・・・";

struct BenchInfo {
    const char* panel;
    int32_t actionPoints;  // tested when the panel opens, spent by every row
    const char* after;     // shown again once the item is made
};

const BenchInfo& benchOf(Bench b) {
    static constexpr BenchInfo kBenches[] = {
        // A facility closes its panel: the next one passes the opener's test again.
        {"sisetu_box", 10, "seisaku_box"},
        {"item_seisaku_box", 2, "item_seisaku_box"},
        {"item_seisaku2_box", 2, "item_seisaku2_box"},
        {"sozai_box", 2, "sozai_box"},
        {"kousaku_box", 2, "kousaku_box"},
    };
    return kBenches[static_cast<size_t>(b)];
}

std::string remainingLine(GameState& s, const CraftRow& row) {
    std::string text = "（残：";
    bool first = true;
    for (const Use& u : row.uses) {
        if (u.amount == 0) continue;
        if (!first) text += "、";
        first = false;
        text += u.material.word + std::to_string(u.material.counter(s));
    }
    return text + "）";
}

void make(GameState& s, const Product& p) {
    int32_t& v = p.counter(s);
    v = p.add ? v + p.value : p.value;
}

// Runs the finish steps; false when the row leaves its panel closed.
bool finish(Game& g, const CraftRow& row) {
    bool reopen = true;
    for (const Step& step : row.finish) {
        switch (step.op) {
            case Op::End:
                return reopen;
            case Op::Remaining:
                appendMessage(g, remainingLine(g.s, row));
                break;
            case Op::Wait:
                waitForClick(g);
                break;
            case Op::Note:
                showMessage(g, step.text);
                break;
            case Op::Line:
                appendMessage(g, step.text);
                break;
            case Op::Make:
                make(g.s, row.product);
                break;
            case Op::DexterityChance:
                chanceDexterityUp(g);
                break;
            case Op::BotanyChance:
                chanceBotanyUp(g);
                break;
            case Op::DexterityUp:
                g.s.cur().dexterity += 1;
                showMessage(g, "【器用さ】が1上がった！");
                break;
            case Op::NameBox:
                g.form.show("name_box");
                playSound(g, 1, "key3.wav");
                reopen = false;
                break;
        }
    }
    return reopen;
}

// The craft menu's entries that open a panel of rows.
struct Opener {
    const char* button;
    Bench bench;
    const char* picture;
    bool pictureFirst;  // shown even when the opener refuses
};
constexpr Opener kOpeners[] = {
    {"BitBtn29", Bench::Facilities, "背景・施設.jpg", false},
    {"BitBtn30", Bench::ToolsA, "背景・製作.jpg", true},
    {"BitBtn14", Bench::ToolsB, "背景・製作.jpg", true},
    {"BitBtn31", Bench::Materials, "背景・素材.jpg", false},
    {"kousaku_b", Bench::Carving, "背景・工作.jpg", false},
};

void open(Game& g, const Opener& o) {
    const BenchInfo& bench = benchOf(o.bench);
    playSound(g, 0, "1.wav");
    if (o.pictureFirst) showScene(g, o.picture);
    if (g.s.cur().actionPoints < bench.actionPoints) {
        showMessage(g, kTooTired);
        return;
    }
    if (!o.pictureFirst) showScene(g, o.picture);
    openPanelOver(g, bench.panel, "seisaku_box");
}

}  // namespace

std::vector<RowRequirement> craftRequirements() {
    std::vector<RowRequirement> out;
    for (std::span<const CraftRow> table : craftTables())
        for (const CraftRow& row : table) {
            RowRequirement& r = out.emplace_back();
            r.button = row.button;
            for (const Use& u : row.uses)
                if (u.amount != 0)
                    r.materials.push_back({u.material.word, u.material.counter, u.amount});
            for (const SkillTest& t : row.tests)
                if (t.skill.value != nullptr) r.minimums.emplace_back(t.skill.label, t.minimum);
        }
    return out;
}

void craft(Game& g, const CraftRow& row) {
    const BenchInfo& bench = benchOf(row.bench);
    Character& c = g.s.cur();
    playSound(g, row.clickChannel, "1.wav");
    // The points were tested when the panel opened; a row made with fewer left
    // drives them below zero, which the status refresh floors at 0.
    for (const SkillTest& t : row.tests) {
        if (t.skill.value != nullptr && c.*t.skill.value < t.minimum) {
            showMessage(
                g, std::string("製作に必要なパラメーター【") + t.skill.label + "】が低過ぎます");
            return;
        }
    }

    g.form.hide(bench.panel);
    playSound(g, 2, "hanmer.wav");
    showMessage(g, c.name + "は「" + row.name + "」" + row.startText);
    for (const Use& u : row.uses)
        if (u.amount != 0) u.material.counter(g.s) -= u.amount;
    if (row.makeWithMaterials) make(g.s, row.product);
    c.stress -= row.costs.stress;
    c.actionPoints -= bench.actionPoints;
    c.stamina -= row.costs.stamina;
    c.hygiene -= row.costs.hygiene;
    appendMessage(g, kDots);
    appendMessage(g, kDots);
    if (row.waitAfterDots) waitForClick(g);

    playSound(g, 3, "seisaku.wav");
    std::string done = std::string("「") + row.name + "」" + row.finishText;
    if (row.showHeld) done += "（所持：" + std::to_string(row.product.counter(g.s)) + "）";
    showMessage(g, done);
    if (finish(g, row)) g.form.show(bench.after);
}

std::array<std::span<const CraftRow>, 5> craftTables() {
    return {facilityRows(), toolRows(), equipmentRows(), materialRows(), carvingRows()};
}

void registerCraftHandlers(HandlerRegistry& r) {
    for (const Opener& o : kOpeners) r.add(o.button, Guard::Command, [&o](Game& g) { open(g, o); });
    for (auto rows : craftTables())
        for (const CraftRow& row : rows)
            r.add(row.button, Guard::Command, [&row](Game& g) { craft(g, row); });
}

}  // namespace kotou
