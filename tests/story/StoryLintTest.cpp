// Every text of the story and its scenes against the house rules of
// docs/story.md: code page 932 within the message box's 150 bytes, one
// typographic convention, and only the game's item names in 「」 or 【】.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "companions/CommunicationScenes.h"
#include "daycycle/ItemUse.h"
#include "ending/EscapePlan.h"
#include "field/Radio.h"
#include "shell/FormLayout.h"
#include "shell/Inventory.h"
#include "state/SaveLayout.h"
#include "state/Text.h"
#include "story/Script.h"

namespace kotou {
namespace {

// Every message of the story and its scenes as the player sees it.
std::vector<std::string> storyTexts() {
    std::vector<std::string> out;
    auto add = [&out](Scene scene) {
        for (const Step& s : scene)
            if (!lineText(s).empty()) out.push_back(lineText(s));
    };
    for (int phase = 0; phase < kChapterCount; ++phase) {
        add(chapterAt(phase)->steps);
        if (const NightChoice* c = chapterAt(phase)->choice)
            for (int i = 0; i < 2; ++i) {
                add(c->scenes[i]);
                out.push_back(c->captions[i]);
            }
    }
    for (int pair = 0; pair < kPairCount; ++pair) {
        const FinalPairScene* f = finalPairScene(pair);
        add(f->before);
        for (int i = 0; i < 2; ++i) {
            add(f->partings[i]);
            out.push_back(spokenLine(f->speaker, f->captions[i]));
        }
    }
    for (const companions::NightScene& s : companions::nightScenes())
        for (const companions::SceneBeat& b : s.beats)
            if (b.words != nullptr)
                out.push_back(spokenLine(kCharacterNames[static_cast<size_t>(b.speaker)], b.words));
    for (int k = 1; k <= kCharacterCount; ++k) out.push_back(wreathThanks(k));
    for (const RadioChannel& c : radioChannels(2)) out.push_back(c.title);
    return out;
}

// The names the game gives what the islanders hold and make: its inventory
// lists (with every saved count at one), its escape builds and its buttons
// that make something from materials ("…（要：…）").
std::set<std::string> itemNames() {
    auto trimmed = [](std::string name) {
        while (name.ends_with("　")) name.resize(name.size() - 3);
        return name;
    };
    struct AllOnes {
        void integer(const std::string&, int32_t& v) { v = 1; }
        void text(const std::string&, std::string&) {}
    };
    GameState s;
    visitSaved(s, AllOnes{});
    std::set<std::string> names;
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

// What breaks the convention in one text, or "".
std::string punctuationFault(const std::string& text) {
    if (text.find("・・・") != std::string::npos) return "・・・ instead of ……";
    static const std::set<std::string> kAfterMark = {"！", "？", "　", "」", "』", "）", "】"};
    size_t ellipses = 0;
    for (size_t i = 0, n = 0; i < text.size(); i += n) {
        n = 1;
        while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
        const std::string ch = text.substr(i, n);
        if (ch == "…") {
            ++ellipses;
            continue;
        }
        if (ellipses % 2 != 0) return "an odd … run";
        ellipses = 0;
        if ((ch == "！" || ch == "？") && i + n < text.size() &&
            !kAfterMark.count(text.substr(i + n, 3)))
            return "no full-width space after " + ch;
    }
    return ellipses % 2 != 0 ? "an odd … run" : "";
}

TEST(StoryLint, EveryTextKeepsTheHouseRules) {
    EXPECT_EQ(punctuationFault("ルル！？　……え？』"), "");
    for (const char* fault : {"うん！ 行こう", "うん！行こう", "『・・・』", "あ…"})
        EXPECT_NE(punctuationFault(fault), "") << fault;

    const std::set<std::string> items = itemNames();
    ASSERT_TRUE(items.count("希望のデザート") && items.count("石人形") && items.count("信号灯"));
    for (const std::string& t : storyTexts()) {
        SCOPED_TRACE(t);
        EXPECT_NO_THROW(toCp932(t));
        EXPECT_LE(cp932Length(t), 150u);
        EXPECT_EQ(punctuationFault(t), "");
        // Past the speaker's tag, 「」 and 【】 hold item names.
        const size_t words = t.starts_with("【") ? t.find("】") + 3 : 0;
        for (const auto& [open, close] : {std::pair{"「", "」"}, std::pair{"【", "】"}})
            for (size_t at = t.find(open, words); at != std::string::npos;
                 at = t.find(open, at + 1)) {
                const std::string name = t.substr(at + 3, t.find(close, at) - at - 3);
                EXPECT_TRUE(items.count(name)) << open << name << close << " is no item";
            }
    }
}

}  // namespace
}  // namespace kotou
