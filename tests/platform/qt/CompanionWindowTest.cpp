// The companion panels in the real window (offscreen): a player talks with a
// partner and sees the intimacy label rise, nurses an ill character, reads a
// book at the desk and has a song composed. Each panel is screenshotted.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/GameHandlers.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Screens.h"
#include "state/SaveFile.h"
#include "tests/platform/qt/QtTestSupport.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

class CompanionWindowTest : public ::testing::Test {
  protected:
    CompanionWindowTest() : game(host, rng) {}

    void SetUp() override {
        ensureApplication();
        base = fs::path(KOTOU_TEST_OUTPUT) / "companion-window";
        fs::remove_all(base);
        fs::create_directories(base / "dat");
        const fs::path cg = fs::path(KOTOU_BIN_DIR) / "cg";
        if (fs::exists(cg)) fs::create_directory_symlink(cg, base / "cg");
        host.options().baseDir = base;
        buildForm(game.form);
        registerGameHandlers(game.handlers);

        // A saved game in which the hall, the desk and the shop stand, a book
        // and song materials are held, and 嵐 is ill.
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

        window = std::make_unique<TForm1>(game, WindowHooks{FormClose, Timer1Timer, Timer2Timer});
        host.attach(window.get());
        FormCreate(game);
        window->syncModel();
        window->show();
        window->startTimers();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // Every wait is answered by a click on the message line.
        QObject::connect(&answerer, &QTimer::timeout, window.get(), [this] {
            if (game.s.runtime.clickState == 0 && shown("click_l"))
                QTest::mouseClick(find<QLabel>("moji_l"), Qt::LeftButton);
        });
        answerer.start(2);
        click("Button12");
        ASSERT_TRUE(shown("com_box"));
        QTest::qWait(120);  // a status refresh shows the commands
    }

    void TearDown() override { answerer.stop(); }

    template <class W>
    W* find(const char* name) {
        return window->findChild<W*>(QString::fromUtf8(name));
    }
    bool shown(const char* name) {
        QWidget* w = find<QWidget>(name);
        return w && w->isVisible();
    }
    void click(const char* name) {
        QPushButton* b = find<QPushButton>(name);
        ASSERT_NE(b, nullptr) << name;
        ASSERT_TRUE(b->isVisible() && b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    void screenshot(const char* file) {
        QTest::qWait(120);
        EXPECT_TRUE(window->grab().save(
            QString::fromStdString((fs::path(KOTOU_TEST_OUTPUT) / file).string())));
    }
    std::string text(const char* name) { return find<QLabel>(name)->text().toStdString(); }

    QtHost host;
    DefaultRandom rng{5};
    Game game;
    fs::path base;
    std::unique_ptr<TForm1> window;
    QTimer answerer;
};

TEST_F(CompanionWindowTest, TalkNurseStudyAndComposeInTheWindow) {
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
    screenshot("companions_cominu_who.png");
    click("who_arashi_b");
    ASSERT_TRUE(shown("cominu_box2"));
    QTest::qWait(120);
    EXPECT_NE(text("cominu_l").find("ルルと　　　嵐の親密度：11"), std::string::npos)
        << text("cominu_l");
    screenshot("companions_cominu.png");
    click("BitBtn26");

    click("kanbyou_b");
    ASSERT_TRUE(shown("kanbyou_box"));
    EXPECT_TRUE(shown("kan_arashi_b"));
    EXPECT_FALSE(shown("kan_ruru_b"));
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
    screenshot("companions_uta.png");
    click("uta_b1");
    EXPECT_EQ(game.s.blueSkySongCount(), 1);
    EXPECT_TRUE(shown("uta_box"));
}

}  // namespace
}  // namespace kotou
