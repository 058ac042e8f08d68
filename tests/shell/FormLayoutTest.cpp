#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "shell/Availability.h"
#include "shell/FormLayout.h"

namespace kotou {
namespace {

class FormLayoutTest : public ::testing::Test {
  protected:
    void SetUp() override { buildForm(form); }
    const Component& c(const char* name) { return form.at(name); }
    std::string parentName(const char* name) {
        const ComponentId p = c(name).parent;
        return p == kNoComponent ? std::string() : form.at(p).name;
    }
    FormModel form;
};

TEST_F(FormLayoutTest, WindowIsTheFirstRowAndEveryParentIsAnEarlierPanel) {
    const Component& w = form.at(0);
    EXPECT_EQ(w.name, "Form1");
    EXPECT_EQ(w.kind, Kind::Window);
    EXPECT_EQ(w.width, 640);
    EXPECT_EQ(w.height, 506);

    std::set<std::string> names;
    for (ComponentId id = 0; id < static_cast<ComponentId>(form.size()); ++id) {
        const Component& x = form.at(id);
        EXPECT_TRUE(names.insert(x.name).second) << x.name;
        if (x.parent == kNoComponent) continue;
        ASSERT_LT(x.parent, id) << x.name;
        EXPECT_EQ(form.at(x.parent).kind, Kind::Panel) << x.name;
        // Components lie inside their panel.
        const Component& p = form.at(x.parent);
        EXPECT_LE(x.left + x.width, p.width) << x.name;
        EXPECT_LE(x.top + x.height, p.height) << x.name;
    }
}

TEST_F(FormLayoutTest, CommandPanelButtonsSitInTheirSlots) {
    struct Slot {
        const char* name;
        int top;
        const char* caption;
    };
    const Slot slots[] = {
        {"BitBtn1", 4, "探索"},
        {"BitBtn2", 28, "食事"},
        {"BitBtn3", 52, "製作"},
        {"bath_b", 76, "お風呂（行動３）"},
        {"toile_b", 100, "トイレ（行動２）"},
        {"kunren_b", 124, "訓練"},
        {"svival_b", 124, "サバイバル"},
        {"study_b", 148, "勉強"},
        {"cominu_b", 172, "コミュニケーション"},
        {"dassyutu_b", 196, "脱出計画"},
        {"kanbyou_b", 196, "看病"},
        {"mara_b", 220, "マーラー（行動２）"},
        {"kyuujyo_b", 220, "救助"},
        {"BitBtn35", 244, "アイテム"},
        {"BitBtn20", 268, "セーブ（行動３）"},
        {"BitBtn5", 292, "寝る（ターンエンド）"},
    };
    for (const Slot& s : slots) {
        SCOPED_TRACE(s.name);
        EXPECT_EQ(parentName(s.name), "com_box");
        EXPECT_EQ(c(s.name).top, s.top);
        EXPECT_EQ(c(s.name).width, 113);
        EXPECT_EQ(c(s.name).height, 25);
        EXPECT_EQ(c(s.name).caption, s.caption);
    }
    // Of two buttons sharing a slot, the later one lies on top.
    EXPECT_GT(form.id("svival_b"), form.id("kunren_b"));
    EXPECT_GT(form.id("kanbyou_b"), form.id("dassyutu_b"));
    EXPECT_GT(form.id("kyuujyo_b"), form.id("mara_b"));
    // Always-available commands are shown, the conditional ones wait for the refresh.
    EXPECT_TRUE(c("BitBtn1").visible);
    EXPECT_TRUE(c("BitBtn5").visible);
    EXPECT_FALSE(c("bath_b").visible);
    EXPECT_FALSE(c("mara_b").visible);
}

TEST_F(FormLayoutTest, OnlyTheTitleScreenIsUpAtStart) {
    for (const Component& x : form.all()) {
        if (x.kind != Kind::Panel || x.parent != kNoComponent) continue;
        EXPECT_EQ(x.visible, x.name == "start_box") << x.name;
    }
    const Component& start = c("start_box");
    EXPECT_EQ(start.width, 650);
    EXPECT_EQ(start.height, 490);
    EXPECT_EQ(c("com_box").left, kCommandLeft);
    EXPECT_EQ(c("com_box").top, kCommandTop);
    EXPECT_EQ(c("select_box").top, 250);
    EXPECT_EQ(c("lv_up_box").width, 230);
    EXPECT_EQ(c("name_box").caption, "この島の名前をつけてね♪");
    EXPECT_EQ(c("Button2").caption, "はじめる");
    EXPECT_EQ(c("Button12").top, 352);
}

TEST_F(FormLayoutTest, WindowComponentsAndStatusColumn) {
    EXPECT_EQ(c("bak").kind, Kind::Image);
    EXPECT_TRUE(c("bak").stretch);
    EXPECT_EQ(c("pic").left, 352);
    // The scene and its flash twin, under every panel of the command column
    // (a wide panel reaches across the scene's place).
    for (const char* scene : {"cg", "cg_red"}) {
        SCOPED_TRACE(scene);
        EXPECT_EQ((std::array{c(scene).left, c(scene).top, c(scene).width, c(scene).height}),
                  (std::array{312, 124, 213, 160}));
        EXPECT_FALSE(c(scene).visible);
        EXPECT_LT(form.id(scene), form.id("com_box"));
    }
    EXPECT_EQ(c("moji_l").left, 4);
    EXPECT_EQ(c("moji_l").top, 364);
    EXPECT_EQ(c("moji_l").width, 345);
    EXPECT_EQ(c("click_l").caption, "▽");
    EXPECT_FALSE(c("click_l").visible);
    EXPECT_EQ(c("click_l").left, 8);
    EXPECT_EQ(c("click_l").top, 460);
    EXPECT_GE(c("point_l").top, c("moji_l").top + c("moji_l").height);
    EXPECT_LE(c("point_l").top + c("point_l").height, 506);

    const char* gauges[] = {"koudou_l",  "hp_l",   "str_l",    "dex_l",   "cook_l",
                            "eisei_l",   "beni_l", "stress_l", "himan_l", "syokubutu_l",
                            "doubutu_l", "tiri_l", "pp_l"};
    int previousTop = -100;
    for (const char* g : gauges) {
        SCOPED_TRACE(g);
        EXPECT_EQ(c(g).kind, Kind::Gauge);
        EXPECT_EQ(c(g).width, 113);
        EXPECT_EQ(c(g).height, 9);
        EXPECT_EQ(c(g).top - previousTop == 24 || previousTop < 0, true);
        previousTop = c(g).top;
        const std::string number = std::string(g) + "2";
        EXPECT_EQ(form.at(number).kind, Kind::Label);
        EXPECT_LT(c(g).top + c(g).height, c("moji_l").top);
    }
    EXPECT_EQ(c("hp_l3").caption, "体力");
    EXPECT_EQ(c("ill_l").kind, Kind::Image);
    EXPECT_FALSE(c("ill_l").visible);
    EXPECT_FALSE(c("poison_l").visible);
    for (const char* name : {"turn_name_l", "lv_l", "day_l", "ill_l", "poison_l"})
        EXPECT_LE(c(name).top + c(name).height, c("moji_l").top) << name;
}

TEST_F(FormLayoutTest, EveryAvailabilityButtonLiesOnItsPanel) {
    for (const AvailabilityRow& row : availabilityRows()) {
        SCOPED_TRACE(row.button);
        ASSERT_NE(form.find(row.button), kNoComponent);
        EXPECT_EQ(c(row.button).kind, Kind::Button);
        EXPECT_EQ(parentName(row.button), row.panel);
        // Conditional commands start hidden; "always" ones start shown.
        EXPECT_EQ(c(row.button).visible, !row.decidesShown());
    }
}

TEST_F(FormLayoutTest, PanelBackgroundsAndSubPanelContents) {
    struct Pic {
        const char* image;
        const char* panel;
        const char* file;
    };
    const Pic pics[] = {{"box_cg1", "cook_box", "cg/haikei2.jpg"},
                        {"bak_cg2", "tansaku_box", "cg/haikei2.jpg"},
                        {"bak_cg3", "sounan_box", "cg/haikei2.jpg"},
                        {"bak_cg4", "seisaku_box", "cg/haikei2.jpg"},
                        {"bak_cg5", "item_box", "cg/haikei2.jpg"},
                        {"bak_cg6", "colo_box", "cg/haikei2.jpg"},
                        {"bak_cg_com", "com_box", "cg/haikei5.jpg"},
                        {"bak_cg_battle", "battle_box", "cg/haikei3.jpg"},
                        {"bak_cg_who", "kanbyou_box", "cg/haikei4.jpg"},
                        {"bak_cg_who2", "kyuujyo_box", "cg/haikei4.jpg"},
                        {"lv_haikei", "lv_up_box", "cg/haikei.jpg"}};
    for (const Pic& p : pics) {
        SCOPED_TRACE(p.image);
        EXPECT_EQ(c(p.image).kind, Kind::Image);
        EXPECT_TRUE(c(p.image).stretch);
        EXPECT_EQ(c(p.image).picture, p.file);
        EXPECT_EQ(parentName(p.image), p.panel);
        EXPECT_EQ(c(p.image).width, c(p.panel).width);
        // The background is drawn first, under the panel's buttons.
        EXPECT_EQ(form.id(p.image), form.id(p.panel) + 1);
    }
    EXPECT_EQ(parentName("who_ruru_b"), "who_box");
    EXPECT_FALSE(c("who_box").visible);
    EXPECT_EQ(parentName("who_box"), "cominu_box");
    EXPECT_EQ(c("list").kind, Kind::List);
    EXPECT_EQ(c("list").width, 205);
    EXPECT_FALSE(c("listen_b").visible);
    EXPECT_EQ(c("name_l").kind, Kind::Edit);
    EXPECT_EQ(c("name_l").width, 93);
    EXPECT_EQ(parentName("Button3"), "lv_up_box2");
    EXPECT_EQ(c("kan_ruru_b").top, 28);
    EXPECT_FALSE(c("kan_ruru_b").visible);
    EXPECT_FALSE(c("kyu_zankyou_b").visible);  // the rescue opener shows the lost ones
    EXPECT_EQ(c("uta_b9").width, 461);
    EXPECT_EQ(c("clear_b").caption, "＜脱出！！！！！＞");
    EXPECT_FALSE(c("lazer_b").visible);
    EXPECT_TRUE(c("BitBtn9").visible);
}

}  // namespace
// A list keeps the line the player chose until its lines change; an index
// from outside its lines selects nothing.
TEST_F(FormLayoutTest, ListSelectionIsClearedByNewLinesAndBoundsChecked) {
    const ComponentId list = form.id("list");
    form.setItems(list, {"a", "b", "c"});
    EXPECT_EQ(form.at(list).selected, -1);
    EXPECT_EQ(form.selectedItem(list), "");
    form.setSelected(list, 2);
    EXPECT_EQ(form.selectedItem(list), "c");
    form.setItems(list, {"a", "b", "c"});  // the same lines: selection kept
    EXPECT_EQ(form.at(list).selected, 2);
    form.setItems(list, {"x", "y"});
    EXPECT_EQ(form.at(list).selected, -1);
    for (int bad : {-5, 2, 99}) {
        form.setSelected(list, bad);
        EXPECT_EQ(form.at(list).selected, -1) << bad;
    }
}

}  // namespace kotou
