// A command's requirement is written in three places: the caption of its
// button ("テント（要：枝２漂流物７葉っぱ５・器用１０腕力　４）"), its row of the
// availability table (the materials that enable or show the button) and the
// row of its engine (what the craft, dish, song, book, escape build or offer
// takes and tests). This holds the three against each other, so that none of
// them drifts alone; where they differ on purpose, the difference is listed.

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "companions/CompanionHandlers.h"
#include "ending/EscapePlan.h"
#include "production/Craft.h"
#include "production/Recipes.h"
#include "production/Trader.h"
#include "shell/Availability.h"
#include "shell/FormLayout.h"

namespace kotou {
namespace {

using Amounts = std::map<std::string, int32_t>;

// A difference kept on purpose: what the caption, the availability row and
// the engine's row say of one material or skill (0: not named there).
struct Deliberate {
    const char* button;
    const char* what;
    int32_t caption, availability, row;
    const char* why;
};

const Deliberate kDeliberate[] = {
    // Enabled from more than the build takes.
    {"tento_b", "葉っぱ", 5, 5, 2, "enabled from five leaves, the tent takes two"},
    {"hightoile_b", "皮", 3, 3, 1, "enabled from three hides, the toilet takes one"},
    {"boat_b", "流木", 2, 2, 1, "enabled from two driftwood, the boat takes one"},
    {"hanakazari_b", "つる", 3, 3, 2, "enabled from three vines, the wreath takes two"},
    {"hanakazari_b", "貝", 1, 1, 0, "enabled with a shell, the wreath takes none"},
    {"toy_house_b", "石", 5, 5, 2, "enabled from five stones, the toy house takes two"},
    {"kudamono_b", "りんご", 2, 2, 1, "listed from two apples, the dish eats one"},
    // The saw: the caption asks bones, the build takes branches; every
    // count it may take is required.
    {"nokogiri_b", "骨", 2, 2, 0, "the saw's caption asks bones it does not take"},
    {"nokogiri_b", "枝", 0, 2, 2, "the saw takes branches its caption does not name"},
    // Captions that name another amount than the rules use.
    {"koya_b", "葉っぱ", 9, 3, 3, "the hut's caption asks nine leaves, it needs three"},
    {"kamado_b", "石", 3, 9, 3, "the stove's caption asks three stones, nine enable it"},
    {"toy_chair_b", "つる", 1, 2, 1, "the chair's caption asks one vine, two enable it"},
    {"nabe_b", "器用", 1, 0, 3, "the pot's caption asks 器用１, the build tests 3"},
    {"kaisoucook_b", "料理", 12, 0, 10, "the dish's caption asks 料理１２, it is open from 10"},
    {"namering_b", "器用", 50, 0, 0, "the name ring's caption asks 器用５０, it tests nothing"},
};

// Status labels as the captions shorten them.
std::string skillKey(std::string_view label) {
    if (label == "器用さ") return "器用";
    if (label == "行動力") return "行動";
    return std::string(label);
}
bool isSkill(std::string_view word) {
    for (std::string_view s : {"器用", "腕力", "料理", "植物学", "動物学", "行動"})
        if (word == s) return true;
    return false;
}

// The digit 0..9 starting at text[i] (ASCII or full-width), with its length.
std::pair<int, size_t> digitAt(std::string_view text, size_t i) {
    if (text[i] >= '0' && text[i] <= '9') return {text[i] - '0', 1};
    if (text.substr(i, 2) == "\xEF\xBC" && i + 2 < text.size()) {
        const auto last = static_cast<unsigned char>(text[i + 2]);
        if (last >= 0x90 && last <= 0x99) return {last - 0x90, 3};
    }
    return {-1, 0};
}

size_t separatorAt(std::string_view text, size_t i) {
    for (std::string_view sep : {"・", "　", "：", "）", " "})
        if (text.substr(i).starts_with(sep)) return sep.size();
    return 0;
}

// The words and numbers after 要 in a caption, in their order: "枝２漂流物７
// ・器用１０腕力　４" -> (枝 2) (漂流物 7) (器用 10) (腕力 4). Blanks and "・"
// only separate.
std::vector<std::pair<std::string, int32_t>> captionNumbers(std::string_view caption) {
    std::vector<std::pair<std::string, int32_t>> out;
    const size_t start = caption.find("要");
    if (start == std::string_view::npos) return out;
    std::string word;
    int32_t number = -1;
    for (size_t i = start + std::string_view("要").size(); i < caption.size();) {
        if (const auto [d, len] = digitAt(caption, i); len > 0) {
            number = (number < 0 ? 0 : number * 10) + d;
            i += len;
            continue;
        }
        if (number >= 0) {
            out.emplace_back(std::move(word), number);
            word.clear();
            number = -1;
        }
        if (const size_t len = separatorAt(caption, i); len > 0) {
            i += len;
            continue;
        }
        const auto lead = static_cast<unsigned char>(caption[i]);
        const size_t len = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        word.append(caption.substr(i, len));
        i += len;
    }
    if (number >= 0) out.emplace_back(std::move(word), number);
    return out;
}

class RequirementsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        buildForm(form);
        for (auto list : {craftRequirements(), recipeRequirements(), traderRequirements(),
                          songRequirements(), studyRequirements(), escapeRequirements()})
            rows.insert(rows.end(), list.begin(), list.end());
        for (const RowRequirement& r : rows)
            for (const RowRequirement::Material& m : r.materials)
                if (!m.word.empty()) words.emplace_back(m.word, m.counter);
        // Spellings only a caption uses.
        words.emplace_back("巨大なキノコ", Counter(&GameState::giantMushroomCount));
    }

    // One name per counter: the first word an engine uses for it.
    std::string nameOf(Counter c) const {
        for (const auto& [word, counter] : words)
            if (counter == c) return word;
        ADD_FAILURE() << "a counter no engine names";
        return "?";
    }
    std::string nameOfWord(const std::string& word) const {
        for (const auto& [w, counter] : words)
            if (w == word) return nameOf(counter);
        ADD_FAILURE() << "a caption names " << word << ", which no engine takes";
        return word;
    }

    const AvailabilityRow* availabilityOf(const std::string& button) const {
        for (const AvailabilityRow& r : availabilityRows())
            if (button == r.button) return &r;
        return nullptr;
    }
    std::string captionOf(const std::string& button) const {
        // An offer of the trader is its own list line.
        const ComponentId id = form.find(button);
        return id == kNoComponent ? button : form.at(id).caption;
    }

    FormModel form;
    std::vector<RowRequirement> rows;
    std::vector<std::pair<std::string, Counter>> words;
};

const Deliberate* deliberate(const std::string& button, const std::string& what) {
    for (const Deliberate& d : kDeliberate)
        if (button == d.button && what == d.what) return &d;
    return nullptr;
}

TEST_F(RequirementsTest, CaptionAvailabilityAndEngineRowAgree) {
    size_t deliberateSeen = 0;
    for (const RowRequirement& r : rows) {
        Amounts caption, availability, row;
        for (const auto& [word, n] : captionNumbers(captionOf(r.button)))
            caption[isSkill(word) ? word : nameOfWord(word)] = n;
        const AvailabilityRow* a = availabilityOf(r.button);
        if (a != nullptr)
            for (const Need& need : a->needs)
                if (need.counter) availability[nameOf(need.counter)] = need.minimum;
        for (const RowRequirement::Material& m : r.materials) row[nameOf(m.counter)] = m.amount;
        for (const auto& [label, n] : r.minimums) row[skillKey(label)] = n;

        Amounts all = caption;
        all.insert(availability.begin(), availability.end());
        all.insert(row.begin(), row.end());
        for (const auto& [what, unused] : all) {
            // The caption names every material and skill of the row; the
            // availability states the materials (skills are the engine's
            // tests), where the button has a row.
            const int32_t c = caption[what], av = availability[what], n = row[what];
            const bool agree = c == n && (a == nullptr || av == (isSkill(what) ? 0 : n));
            if (const Deliberate* d = deliberate(r.button, what)) {
                ++deliberateSeen;
                EXPECT_TRUE(d->caption == c && d->availability == av && d->row == n)
                    << r.button << " " << what << ": " << d->why;
            } else {
                EXPECT_TRUE(agree) << r.button << " " << what << ": caption " << c
                                   << ", availability " << av << ", row " << n;
            }
        }
    }
    EXPECT_EQ(deliberateSeen, std::size(kDeliberate));
}

// Every availability row that names materials belongs to an engine's row.
TEST_F(RequirementsTest, EveryRowWithMaterialsHasItsEngine) {
    for (const AvailabilityRow& a : availabilityRows()) {
        if (!a.needs.front().counter) continue;
        bool found = false;
        for (const RowRequirement& r : rows) found = found || r.button == a.button;
        EXPECT_TRUE(found) << a.button;
    }
}

}  // namespace
}  // namespace kotou
