// The real game in the Qt window (offscreen): the full layout, the shell's
// handlers and the saved game, driven by clicks on the widgets.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "game/GameHandlers.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Screens.h"
#include "state/GameState.h"
#include "state/SaveFile.h"
#include "tests/platform/qt/GameWindowFixture.h"
#include "tests/platform/qt/QtTestSupport.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

class GameWindowTest : public test::GameWindowFixture {
  protected:
    void saveWithCurrentCharacter(int strandedPhase) {
        GameState s;
        initNewGame(s);
        s.currentCharacter = 2;
        s.dayNumber = 3;
        s.cur().strandedPhase = strandedPhase;
        saveGame(s, base, "得点：0点");
    }
};

TEST_F(GameWindowTest, OpensOnTheTitleScreenWithEveryComponentAWidget) {
    open();
    EXPECT_EQ(window->size(), QSize(640, 506));
    EXPECT_TRUE(shown("start_box"));
    EXPECT_FALSE(shown("com_box"));
    EXPECT_EQ(find<QPushButton>("Button2")->text(), QString::fromUtf8("はじめる"));
    EXPECT_EQ(find<QPushButton>("Button12")->text(), QString::fromUtf8("つづける"));
    // The widgets of what is not in view follow the first paint.
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->missingWidgets() == 0; }));
    for (const Component& c : game.form.all()) {
        if (c.kind == Kind::Window) continue;
        QWidget* w = find<QWidget>(c.name.c_str());
        ASSERT_NE(w, nullptr) << c.name;
        EXPECT_EQ(w, window->widgetOf(c.name)) << c.name;
        if (c.parent != kNoComponent && game.form.at(c.parent).kind != Kind::Window) {
            EXPECT_EQ(w->parentWidget(), find<QWidget>(game.form.at(c.parent).name.c_str()))
                << c.name;
        }
    }
    ASSERT_NE(find<QPushButton>("hayasi_b"), nullptr);
    EXPECT_FALSE(find<QPushButton>("hayasi_b")->isVisible());

    // The title animation runs from Timer2.
    const int frame = game.s.runtime.titleFrame;
    QTest::qWait(350);
    EXPECT_NE(game.s.runtime.titleFrame, frame);
    screenshot("title.png");
}

TEST_F(GameWindowTest, NewGameAnsweredNoKeepsTheTitle) {
    open();
    answer = false;
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(shown("start_box"));
    EXPECT_FALSE(shown("lv_up_box"));
}

TEST_F(GameWindowTest, NewGameAnsweredYesOpensTheCharacterCreation) {
    open();
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_FALSE(shown("start_box"));
    EXPECT_TRUE(shown("lv_up_box"));
    EXPECT_TRUE(
        find<QLabel>("moji_l")->text().startsWith(QString::fromUtf8("キャラクターを製作します")));
}

TEST_F(GameWindowTest, ContinueShowsThePanelOfTheSavedCharacter) {
    saveWithCurrentCharacter(1);
    open();
    QTest::mouseClick(find<QPushButton>("Button12"), Qt::LeftButton);
    EXPECT_TRUE(errors.empty());
    EXPECT_FALSE(shown("start_box"));
    EXPECT_TRUE(shown("sounan_box"));
    EXPECT_FALSE(shown("com_box"));
}

TEST_F(GameWindowTest, ContinueWithACharacterAtHomeShowsTheCommandPanel) {
    saveWithCurrentCharacter(0);
    open();
    QTest::mouseClick(find<QPushButton>("Button12"), Qt::LeftButton);
    EXPECT_TRUE(shown("com_box"));
    EXPECT_FALSE(shown("sounan_box"));
    EXPECT_TRUE(shown("BitBtn1"));
    QTest::qWait(120);  // one status refresh at least
    screenshot("command_panel.png");
}

TEST_F(GameWindowTest, ContinueWithoutASaveReportsAndStaysOnTheTitle) {
    open();
    QTest::mouseClick(find<QPushButton>("Button12"), Qt::LeftButton);
    EXPECT_EQ(errors.size(), 1u);
    EXPECT_TRUE(shown("start_box"));
}

// A whole first day in the window: the four characters are created with
// clicks on the allocation panel, each goes to bed, and the day label shows
// the second day. Every wait is answered by a click on the message line.
TEST_F(GameWindowTest, AFullDayOfFourCharactersGoingToBed) {
    open();
    readAlong();

    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    ASSERT_TRUE(shown("lv_up_box"));
    for (int point = 0; point < 24 && shown("lv_up_box"); ++point)
        QTest::mouseClick(find<QPushButton>("Button3"), Qt::LeftButton);
    ASSERT_EQ(game.s.currentCharacter, 1);
    ASSERT_TRUE(shown("com_box"));
    for (int k = 1; k <= 4; ++k) game.s.ch(k).phantom = 0;  // no level-up tonight
    QTest::qWait(60);
    EXPECT_TRUE(find<QLabel>("day_l")->text().startsWith(QString::fromUtf8("1日目")));

    for (int k = 1; k <= 4; ++k) {
        ASSERT_EQ(game.s.currentCharacter, k);
        QTest::mouseClick(find<QPushButton>(shown("sounan_box") ? "BitBtn16" : "BitBtn5"),
                          Qt::LeftButton);
    }
    QTest::qWait(120);  // one status refresh at least
    EXPECT_EQ(game.s.dayNumber, 2);
    EXPECT_EQ(game.s.currentCharacter, 1);
    EXPECT_GT(waitsRead, 4);
    EXPECT_TRUE(find<QLabel>("day_l")->text().startsWith(QString::fromUtf8("2日目／")))
        << find<QLabel>("day_l")->text().toStdString();
    EXPECT_EQ(game.s.ch(1).maxActionPoints, 16);  // six points into 行動力
}

// A saved game at ルル's turn on a trader day, with stores for the meal menus.
class ShopAndKitchenTest : public GameWindowTest {
  protected:
    void continueGame() {
        GameState s;
        initNewGame(s);
        s.currentCharacter = 1;
        s.dayNumber = 12;
        Character& c = s.cur();
        c.maxActionPoints = c.actionPoints = 20;
        c.cooking = 10;
        s.stoneCount = s.branchCount = 100;
        s.fireFruitCount = s.wonderFruitCount = s.blackFruitCount = s.sevenFruitCount = 3;
        s.crucianCount = s.seaBreamCount = s.seaweedCount = s.pinkRabbitCount = 5;
        s.hasFireStarter = s.hasKnife = 1;
        s.worldFlags[18] = s.worldFlags[19] = 1;
        saveGame(s, base, "得点：0点");
        open();
        QTest::mouseClick(find<QPushButton>("Button12"), Qt::LeftButton);
        QTest::qWait(60);  // a status refresh shows the day's buttons
    }
    bool heard(const std::string& cue) const {
        return std::find(sounds.begin(), sounds.end(), cue) != sounds.end();
    }
};

TEST_F(ShopAndKitchenTest, OnDayTwelveALineClickedAtTheTraderIsBought) {
    continueGame();
    click("mara_b");
    ASSERT_TRUE(shown("mara_box"));
    auto* list = find<QListWidget>("mara_list");
    ASSERT_GT(list->count(), 0);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(0)).center());
    QTest::qWait(60);  // repaints keep the line chosen
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(heard("0:key.wav"));
    // A press below the last line clicks too and keeps the chosen line.
    sounds.clear();
    const QPoint below(4, list->viewport()->height() - 2);
    ASSERT_EQ(list->itemAt(below), nullptr);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, below);
    QTest::qWait(60);
    EXPECT_EQ(list->currentRow(), 0);
    EXPECT_TRUE(heard("0:key.wav"));
    screenshot("trader.png");
    click("Button1");
    // The good's name leads the line, before its padding and its price.
    const QString line = list->item(0)->text();
    const std::string good =
        line.left(line.indexOf(QChar(0xFF08))).remove(QChar(0x3000)).toStdString();
    EXPECT_EQ(game.form.at("moji_l").caption.rfind(good + "を１コ購入した（所持：", 0), 0u)
        << game.form.at("moji_l").caption;
    EXPECT_LT(game.s.stoneCount + game.s.branchCount, 200);
    EXPECT_TRUE(heard("0:katan.wav"));
    click("BitBtn38");
    EXPECT_TRUE(shown("com_box"));
}

TEST_F(ShopAndKitchenTest, TheThreeMenusCookWhatTheStoresAllow) {
    continueGame();
    click("BitBtn2");
    click("BitBtn6");
    click("kibou_b");
    EXPECT_EQ(game.s.fireFruitCount, 2);
    screenshot("menu_desserts.png");
    click("BitBtn12");
    click("uminosati_b");
    EXPECT_TRUE(shown("kaisou_b"));
    click("yakisakana_b");
    EXPECT_EQ(game.s.crucianCount, 4);
    screenshot("menu_sea.png");
    click("BitBtn7");
    click("yamanosati_b");
    EXPECT_TRUE(shown("nikuc_b"));
    EXPECT_FALSE(shown("nikub_b"));
    screenshot("menu_mountain.png");
    click("BitBtn11");
    EXPECT_TRUE(shown("cook_box"));
}

// A lost character calls for help and comes home; the rescue panel offers a
// partner who is still lost; the improved radio plays a chosen channel.
TEST_F(GameWindowTest, StrandedPanelRescuePanelAndRadio) {
    GameState s;
    initNewGame(s);
    s.currentCharacter = 2;
    s.cur().strandedPhase = 1;
    s.ch(4).strandedPhase = 6;
    s.pairIntimacy[static_cast<size_t>(pairIndex(2, 4))] = 12;
    s.radioState = 2;
    saveGame(s, base, "得点：0点");
    open();
    readAlong();
    const auto click = [&](const char* button) {
        ASSERT_TRUE(shown(button)) << button;
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
        QTest::qWait(60);  // a status refresh
    };

    click("Button12");
    for (const char* b : {"BitBtn8", "BitBtn10", "BitBtn41", "BitBtn16"}) EXPECT_TRUE(shown(b));
    EXPECT_EQ(find<QLabel>("sounan_l")->text(), QString::fromUtf8("遭難フェイズ＞1"));
    screenshot("stranded_panel.png");
    click("BitBtn10");
    EXPECT_EQ(game.s.cur().strandedPhase, 0);
    EXPECT_TRUE(shown("com_box"));

    click("kyuujyo_b");
    EXPECT_TRUE(shown("kyuujyo_box"));
    EXPECT_TRUE(shown("kyu_zankyou_b"));
    EXPECT_FALSE(shown("kyu_arashi_b"));
    screenshot("rescue_panel.png");
    click("BitBtn43");
    EXPECT_TRUE(shown("com_box"));

    click("BitBtn35");
    click("radio_b");
    auto* list = find<QListWidget>("list");
    ASSERT_EQ(list->count(), 23);
    const QRect line = list->visualItemRect(list->item(5));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, line.center());
    EXPECT_EQ(game.form.at("list").selected, 5);
    sounds.clear();
    click("listen_b");
    EXPECT_EQ(sounds, (std::vector<std::string>{"0:1.wav", "0:save.wav"}));
    screenshot("radio.png");
}

// The island-name box waits for a click after its message.
class IslandNameTest : public GameWindowTest {
  protected:
    void enterName() {
        saveWithCurrentCharacter(0);
        open();
        QTest::mouseClick(find<QPushButton>("Button12"), Qt::LeftButton);
        game.form.hide("com_box");
        game.form.show("name_box");
        window->syncModel();
        QTest::keyClicks(find<QLineEdit>("name_l"), QStringLiteral("Kotou"));
    }
};

TEST_F(IslandNameTest, AClickOnTheMessageEndsTheWait) {
    enterName();
    // One click while the message is still being revealed, which must not
    // count for the wait that follows; one once the wait runs. The window is
    // closed after a while so that a wait no click can end fails the test
    // instead of hanging it.
    bool earlyClick = false, clicked = false;
    QTimer poll;
    int polls = 0;
    QObject::connect(&poll, &QTimer::timeout, window.get(), [&] {
        if (!earlyClick && window->handlerRunning() && game.s.runtime.clickState == 1) {
            earlyClick = true;
            QTest::mouseClick(find<QLabel>("moji_l"), Qt::LeftButton);
        } else if (!clicked && game.s.runtime.clickState == 0 && shown("click_l")) {
            clicked = true;
            QTest::mouseClick(find<QLabel>("moji_l"), Qt::LeftButton);
        } else if (++polls > 300) {
            window->close();
        }
    });
    poll.start(5);
    QTest::mouseClick(find<QPushButton>("Button11"), Qt::LeftButton);
    poll.stop();
    EXPECT_TRUE(earlyClick);
    EXPECT_TRUE(clicked);
    EXPECT_EQ(game.s.islandName, "Kotou");
    EXPECT_TRUE(shown("kousaku_box"));
    EXPECT_FALSE(shown("click_l"));
    EXPECT_EQ(game.s.runtime.clickState, 1);
}

TEST_F(IslandNameTest, ClosingTheWindowEndsTheWaitAndClosesAfterTheHandler) {
    enterName();
    QTimer::singleShot(100, window.get(), [&] { window->close(); });
    QTest::mouseClick(find<QPushButton>("Button11"), Qt::LeftButton);
    EXPECT_EQ(game.s.runtime.clickState, -1);
    EXPECT_FALSE(window->isVisible());
}

// The companion panels: a player talks with a partner and sees the intimacy
// label rise, nurses an ill character, reads a book at the desk and has a
// song composed, in a saved game where the hall, the desk and the shop stand.
TEST_F(GameWindowTest, CompanionsTalkNurseStudyAndCompose) {
    GameState s;
    initNewGame(s);
    s.currentCharacter = 1;
    s.dayNumber = 40;
    s.worldFlags[14] = s.worldFlags[13] = s.worldFlags[10] = 1;
    s.catBookFound = 1;
    s.sunStoneCount = 2;
    s.rainStoneCount = 1;
    s.ch(1).maxActionPoints = s.ch(1).actionPoints = 60;
    s.ch(1).zoology = 9;
    s.ch(2).illness = 9;
    s.pairIntimacy[0] = 10;  // ルル–嵐
    saveGame(s, base, "得点：0点");
    open();
    readAlong();
    auto text = [&](const char* name) { return find<QLabel>(name)->text().toStdString(); };
    click("Button12");
    ASSERT_TRUE(shown("com_box"));
    QTest::qWait(120);  // a status refresh shows the commands

    click("cominu_b");
    ASSERT_TRUE(shown("cominu_box"));
    QTest::qWait(120);
    EXPECT_NE(text("cominu_l").find("ルルと　　　嵐の親密度：10"), std::string::npos)
        << text("cominu_l");
    EXPECT_TRUE(shown("tanken_b"));
    EXPECT_FALSE(shown("yoru_b"));
    click("BitBtn33");
    ASSERT_TRUE(shown("who_box"));
    EXPECT_FALSE(find<QPushButton>("who_ruru_b")->isEnabled());
    QTest::qWait(120);
    screenshot("companions_cominu_who.png");
    click("who_arashi_b");
    ASSERT_TRUE(shown("cominu_box2"));
    QTest::qWait(120);
    EXPECT_NE(text("cominu_l").find("ルルと　　　嵐の親密度：11"), std::string::npos)
        << text("cominu_l");
    QTest::qWait(120);
    screenshot("companions_cominu.png");
    click("BitBtn26");

    click("kanbyou_b");
    ASSERT_TRUE(shown("kanbyou_box"));
    EXPECT_TRUE(shown("kan_arashi_b"));
    EXPECT_FALSE(shown("kan_ruru_b"));
    QTest::qWait(120);
    screenshot("companions_kanbyou.png");
    click("kan_arashi_b");
    EXPECT_LT(game.s.ch(2).illness, 9);
    if (shown("kanbyou_box")) click("BitBtn52");
    ASSERT_TRUE(shown("com_box"));

    click("study_b");
    ASSERT_TRUE(shown("study_box"));
    QTest::qWait(120);
    EXPECT_TRUE(shown("cat_book_b"));
    EXPECT_FALSE(shown("cake_book_b"));
    QTest::qWait(120);
    screenshot("companions_study.png");
    const int32_t stress = game.s.ch(1).stress;
    click("cat_book_b");
    EXPECT_LT(game.s.ch(1).stress, stress);
    click("BitBtn28");

    click("BitBtn3");
    click("organ_b");
    ASSERT_TRUE(shown("uta_box"));
    QTest::qWait(120);
    EXPECT_TRUE(find<QPushButton>("uta_b1")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("uta_b2")->isEnabled());
    QTest::qWait(120);
    screenshot("companions_uta.png");
    click("uta_b1");
    EXPECT_EQ(game.s.extra(ExtraItem::BlueSkySong), 1);
    EXPECT_TRUE(shown("uta_box"));
}

// The battle flashes fill the scene's place with their colour in six blinks;
// the stamina gauge blinks white with red labels. Afterwards the window shows
// the model again.
TEST_F(GameWindowTest, FlashesBlinkInTheirColours) {
    open();
    ASSERT_TRUE(QTest::qWaitFor([this] { return window->missingWidgets() == 0; }));
    game.form.hide("start_box");
    window->syncModel();
    const QPoint scene(312 + 106, 124 + 80);
    struct Case {
        const char* kind;
        QColor color;
    };
    for (const Case& k : {Case{"red", QColor(255, 0, 0)}, Case{"cyan", QColor(0, 255, 255)},
                          Case{"yellow", QColor(255, 255, 0)}}) {
        SCOPED_TRACE(k.kind);
        QWidget* twin = find<QWidget>("cg_red");
        int blinks = 0;
        bool was = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, window.get(), [&] {
            if (twin->isVisible() && !was) ++blinks;
            was = twin->isVisible();
        });
        host.flash({k.kind, 600});  // 50 ms a phase
        EXPECT_EQ(window->grab().toImage().pixelColor(scene), k.color);
        was = true;
        blinks = 1;
        poll.start(2);
        EXPECT_TRUE(QTest::qWaitFor([this] { return !window->flashRunning(); }, 3000));
        poll.stop();
        EXPECT_EQ(blinks, 6);
        EXPECT_FALSE(twin->isVisible());
        EXPECT_NE(window->grab().toImage().pixelColor(scene), k.color);
    }

    // The stamina gauge (hp_l at 4, 37) and its labels.
    QWidget* gauge = find<QWidget>("hp_l");
    const QPoint bar = gauge->mapTo(window.get(), QPoint(2, 4));
    game.form.setGauge(game.form.id("hp_l"), 10, 10);
    game.form.setColor(game.form.id("hp_l"), {255, 0, 0});
    window->syncModel();
    host.flash({"hp", 600});
    EXPECT_EQ(window->grab().toImage().pixelColor(bar), QColor(255, 255, 255));
    EXPECT_EQ(find<QLabel>("hp_l2")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_EQ(find<QLabel>("hp_l3")->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !window->flashRunning(); }, 3000));
    EXPECT_EQ(window->grab().toImage().pixelColor(bar), QColor(255, 0, 0));
    EXPECT_EQ(find<QLabel>("hp_l2")->palette().color(QPalette::WindowText), QColor(255, 255, 255));
}

// Through the eight steps of a wait the click marker grows from its font of
// 13 to 21 points and back; its widget always holds the whole glyph and its
// centre stays put.
TEST_F(GameWindowTest, TheClickMarkerSwellsWholeAroundItsCentre) {
    open();
    game.form.hide("start_box");
    FormModel& f = game.form;
    const ComponentId marker = f.id("click_l");
    f.show("click_l");
    struct Step {
        int size, left, top;
    };
    const Step steps[] = {{13, 12, 458}, {15, 10, 457}, {17, 8, 456}, {19, 6, 455},
                          {21, 4, 454},  {19, 6, 455},  {17, 8, 456}, {15, 10, 457}};
    QPointF firstCentre;
    for (const Step& st : steps) {
        SCOPED_TRACE(st.size);
        f.setFontSize(marker, st.size);
        f.setPosition(marker, st.left, st.top);
        window->syncModel();
        auto* label = find<QLabel>("click_l");
        const QFontMetrics fm(label->font());
        const QRect glyph = fm.boundingRect(label->text());
        EXPECT_GE(label->width(), glyph.width());
        EXPECT_GE(label->height(), fm.height());
        EXPECT_EQ(label->pos(), QPoint(st.left, st.top));
        const QPointF centre = QRectF(label->geometry()).center();
        if (firstCentre.isNull()) firstCentre = centre;
        EXPECT_LE(std::abs(centre.x() - firstCentre.x()), 3.0);
        EXPECT_LE(std::abs(centre.y() - firstCentre.y()), 3.0);
    }
}

// Questions and errors are asked in Japanese, with the program's title.
TEST_F(GameWindowTest, DialogsSpeakJapanese) {
    open();
    QtHost plain;  // no scripted answers: real dialogs
    plain.attach(window.get());
    std::vector<QString> seen;
    auto answer = [&](const char* button) {
        QTimer::singleShot(50, window.get(), [&seen, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            seen.push_back(box->windowTitle());
            for (QAbstractButton* b : box->buttons()) seen.push_back(b->text());
            for (QAbstractButton* b : box->buttons())
                if (b->text() == QString::fromUtf8(button)) b->click();
        });
    };
    QApplication::setApplicationDisplayName(QString::fromUtf8("Ｑ．Ｚ．"));
    answer("いいえ");
    EXPECT_FALSE(plain.confirm("はじめますか"));
    answer("はい");
    EXPECT_TRUE(plain.confirm("はじめますか"));
    answer("OK");
    plain.showError("セーブデータが読めません");
    const auto u = [](const char* s) { return QString::fromUtf8(s); };
    EXPECT_EQ(seen, (std::vector<QString>{u("Ｑ．Ｚ．"), u("はい"), u("いいえ"), u("Ｑ．Ｚ．"),
                                          u("はい"), u("いいえ"), u("Ｑ．Ｚ．"), u("OK")}));
}

}  // namespace
}  // namespace kotou
