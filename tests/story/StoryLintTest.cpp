// Every text of the story and its scenes against the house rules of
// docs/story.md: code page 932 within the message box's 150 bytes, one
// typographic convention, and only things the game knows named in 「」 or 【】.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "daycycle/ItemUse.h"
#include "ending/EscapePlan.h"
#include "field/Radio.h"
#include "shell/FormLayout.h"
#include "shell/Inventory.h"
#include "state/SaveLayout.h"
#include "state/Text.h"
#include "story/CommunicationScenes.h"
#include "story/Script.h"

namespace kotou {
namespace {

struct Text {
    std::string shown;  // the message as the player sees it
    std::string words;  // the part we wrote: no speaker tag, no 『』
};

void addScene(std::vector<Text>& out, Scene scene) {
    for (const Step& s : scene)
        if (!lineText(s).empty()) out.push_back({lineText(s), s.text});
}

std::vector<Text> storyTexts() {
    std::vector<Text> out;
    for (int phase = 0; phase < kChapterCount; ++phase) {
        addScene(out, chapterAt(phase)->steps);
        if (const NightChoice* c = chapterAt(phase)->choice) {
            for (Scene s : c->scenes) addScene(out, s);
            for (const char* t : {c->question, c->captions[0], c->captions[1]})
                out.push_back({t, t});
        }
    }
    for (int pair = 0; pair < kPairCount; ++pair) {
        const FinalPairScene* f = finalPairScene(pair);
        addScene(out, f->before);
        for (Scene s : f->partings) addScene(out, s);
        for (const char* t : f->captions) out.push_back({spokenLine(f->speaker, t), t});
    }
    for (const companions::NightScene& s : companions::nightScenes())
        for (const companions::SceneBeat& b : s.beats)
            if (b.words != nullptr)
                out.push_back({spokenLine(kCharacterNames[static_cast<size_t>(b.speaker)], b.words),
                               b.words});
    for (int k = 1; k <= kCharacterCount; ++k) {
        const std::string thanks = wreathThanks(k);
        out.push_back({std::string("【") + kCharacterNames[static_cast<size_t>(k)] + "】" + thanks,
                       thanks.substr(3, thanks.size() - 6)});  // without 『』
    }
    for (const RadioChannel& c : radioChannels(2)) out.push_back({c.title, c.title});
    return out;
}

// The names the game itself gives what the islanders hold and make: the
// inventory lists (every saved count set to one), the escape builds and
// every button that makes something from materials ("…（要：…）").
std::set<std::string> itemNames() {
    auto trimmed = [](std::string name) {
        while (name.size() >= 3 && name.compare(name.size() - 3, 3, "　") == 0)
            name.resize(name.size() - 3);
        return name;
    };
    std::set<std::string> names;
    struct AllOnes {
        void integer(const std::string&, int32_t& v) { v = 1; }
        void text(const std::string&, std::string&) {}
    };
    GameState s;
    visitSaved(s, AllOnes{});
    for (InventoryList list : {InventoryList::Materials, InventoryList::Food, InventoryList::Other})
        for (const std::string& line : inventoryLines(s, list))
            names.insert(trimmed(line.substr(0, line.find("："))));
    for (const EscapeBuild& b : escapeBuilds()) names.insert(b.thing);
    FormModel form;
    buildForm(form);
    for (const Component& c : form.all())
        if (const size_t at = c.caption.find("（要"); at != std::string::npos)
            names.insert(trimmed(c.caption.substr(0, at)));
    return names;
}

// The next UTF-8 character of `text` at `i`.
std::string charAt(const std::string& text, size_t i) {
    size_t n = 1;
    while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
    return text.substr(i, n);
}

// What breaks the convention in one text, or "".
std::string punctuationFault(const std::string& text) {
    if (text.find("・・・") != std::string::npos) return "・・・ instead of ……";
    size_t ellipses = 0;
    for (size_t i = 0; i <= text.size(); i += i < text.size() ? charAt(text, i).size() : 1) {
        const std::string ch = i < text.size() ? charAt(text, i) : "";
        if (ch == "…") {
            ++ellipses;
            continue;
        }
        if (ellipses % 2 != 0) return "an odd … run";
        ellipses = 0;
        if (ch != "！" && ch != "？") continue;
        const size_t next = i + ch.size();
        if (next == text.size()) continue;
        const std::string after = charAt(text, next);
        static const std::set<std::string> kMayFollow = {"！", "？", "　", "」", "』", "）", "】"};
        if (kMayFollow.count(after) == 0) return "no full-width space after " + ch;
    }
    return "";
}

TEST(StoryLint, EveryTextKeepsTheHouseRules) {
    const std::set<std::string> items = itemNames();
    ASSERT_TRUE(items.count("希望のデザート") && items.count("石人形") && items.count("信号灯"));
    for (const Text& t : storyTexts()) {
        SCOPED_TRACE(t.shown);
        EXPECT_NO_THROW(toCp932(t.shown));
        EXPECT_LE(cp932Length(t.shown), 150u);
        EXPECT_EQ(punctuationFault(t.shown), "");
        for (const auto& [open, close] : {std::pair{"「", "」"}, std::pair{"【", "】"}}) {
            for (size_t at = t.words.find(open); at != std::string::npos;
                 at = t.words.find(open, at + 1)) {
                const size_t from = at + std::string(open).size();
                const std::string name = t.words.substr(from, t.words.find(close, from) - from);
                EXPECT_TRUE(items.count(name)) << open << name << close << " is no item";
            }
        }
    }
}

TEST(StoryLint, TheConventionCatchesWhatItShould) {
    EXPECT_EQ(punctuationFault("うん！　行こう！"), "");
    EXPECT_EQ(punctuationFault("ルル！？　……え？』"), "");
    EXPECT_NE(punctuationFault("うん！ 行こう"), "");
    EXPECT_NE(punctuationFault("うん！行こう"), "");
    EXPECT_NE(punctuationFault("『・・・』"), "");
    EXPECT_NE(punctuationFault("あ…"), "");
}

}  // namespace
}  // namespace kotou
