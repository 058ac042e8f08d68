// A player's afternoon in the real window (offscreen): training, a colosseum
// prize, the item panel and a survival course, clicked on the widgets, with
// a screenshot and a fit check of each panel on the way.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "game/GameHandlers.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Screens.h"
#include "state/SaveFile.h"
#include "tests/platform/qt/GameWindowFixture.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

class PlayWindowTest : public test::GameWindowFixture {
  protected:
    // Continues a saved game, reading along.
    void continueGame(const GameState& saved) {
        openWithSave(saved);
        readAlong();
        click("Button12");
    }

    // 攻撃 until the battle is over (a miss or two included).
    void fightOn() {
        for (int blow = 0; blow < 40 && shown("battle_box"); ++blow) click("BitBtn9");
        EXPECT_FALSE(shown("battle_box"));
    }

    // Looks at a panel as a player would: a screenshot, and every button of
    // the panel (the hidden ones too, as they will show one day) inside it
    // with its caption readable in full.
    void look(const char* panel) {
        QTest::qWait(120);  // a status refresh or two
        window->buildRemaining();
        ASSERT_TRUE(shown(panel)) << panel;
        screenshot(std::string("panel_") + panel + ".png");
        const QWidget* box = find<QWidget>(panel);
        int buttons = 0;
        for (const QPushButton* b : box->findChildren<QPushButton*>()) {
            if (b->isVisible()) ++buttons;
            const std::string name = b->objectName().toStdString();
            EXPECT_TRUE(box->rect().contains(b->geometry())) << panel << ": " << name;
            EXPECT_LE(b->fontMetrics().horizontalAdvance(b->text()), b->width())
                << panel << ": " << name << " cuts " << b->text().toStdString();
        }
        EXPECT_GT(buttons, 1) << panel;
    }
};

TEST_F(PlayWindowTest, TrainingAColosseumPrizeItemsAndASurvivalCourse) {
    GameState s;
    initNewGame(s);
    s.currentCharacter = 1;
    s.dayNumber = 4;
    s.worldFlags[17] = 1;  // training ground
    s.worldFlags[50] = 1;  // colosseum
    s.worldFlags[5] = 1;   // the second course is open
    s.medicinalHerbCount = 1;
    s.rareItems[2] = 1;  // おもいかねの神
    s.extra(ExtraItem::Perfume) = 2;
    s.extra(ExtraItem::HealingSong) = 1;
    Character& c = s.ch(1);
    c.actionPoints = c.maxActionPoints = 99;
    c.stamina = c.maxStamina = 150;
    c.strength = 90;
    c.obesity = 80;
    c.illness = 2;
    continueGame(s);
    ASSERT_TRUE(shown("com_box"));

    click("kunren_b");
    look("kunren_box");
    click("BitBtn18");
    EXPECT_EQ(game.s.cur().trainingLevel, 1);
    EXPECT_EQ(game.s.cur().actionPoints, 93);
    ASSERT_TRUE(shown("kunren_box"));

    click("colo_b");
    look("colo_box");
    click("colo_b1");
    fightOn();
    EXPECT_EQ(game.s.worldFlags[51], 1);
    EXPECT_EQ(game.s.fireFruitCount, 10);
    ASSERT_TRUE(shown("colo_box"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("colo_b1"); }, 500));
    click("BitBtn22");
    click("BitBtn27");

    click("BitBtn35");
    click("BitBtn39");
    look("nomal_item_box");
    click("yakusou_use_b");
    EXPECT_EQ(game.s.cur().illness, 0);
    const int32_t strength = game.s.cur().strength;
    click("omoi_b");
    EXPECT_EQ(game.s.cur().strength, strength + 1);
    EXPECT_EQ(game.s.rareItems[2], 0);
    EXPECT_TRUE(QTest::qWaitFor([&] { return !shown("omoi_b"); }, 500));
    click("BitBtn36");
    click("BitBtn46");

    // サバイバル lies over 訓練 on the command panel and shows every fifth day.
    game.s.dayNumber = 5;
    window->refreshNow();  // changed outside a handler: the window is told
    click("svival_b");
    look("svival_box");
    click("BitBtn24");
    for (int battle = 0; battle < 4 && !shown("svival_box"); ++battle) fightOn();
    EXPECT_EQ(game.s.worldFlags[5], 1);
    EXPECT_TRUE(shown("svival_box"));
}

}  // namespace
}  // namespace kotou
