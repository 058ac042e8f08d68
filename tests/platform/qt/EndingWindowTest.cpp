// The end of the game in the Qt window (offscreen): the escape plan, the
// escape, the final choice and the clear screen, played with clicks until
// the window closes and the event loop ends, as the program does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>

#include "app/GameHandlers.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Screens.h"
#include "state/RecordsFile.h"
#include "state/SaveFile.h"
#include "state/Text.h"
#include "story/Script.h"
#include "tests/platform/qt/QtTestSupport.h"
#include "tests/support/Files.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

class EndingWindow : public ::testing::Test {
  protected:
    EndingWindow() : game(host, rng) {}

    void SetUp() override {
        ensureApplication();
        base = test::scratchDir("ending-window", ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(base / "dat");
        const fs::path cg = fs::path(KOTOU_BIN_DIR) / "cg";
        if (fs::exists(cg)) fs::create_directory_symlink(cg, base / "cg");
        host.options().baseDir = base;
        host.options().error = [this](const std::string& text) { errors.push_back(text); };
        buildForm(game.form);
        registerGameHandlers(game.handlers);
        window = std::make_unique<TForm1>(game, WindowHooks{FormClose, Timer1Timer, Timer2Timer});
        host.attach(window.get());
        FormCreate(game);
        initNewGame(game.s);
        game.s.runtime.clickState = 1;
        game.s.currentCharacter = 1;
        game.form.hide("start_box");
        game.form.show("com_box");
        window->syncModel();
        window->show();
        window->startTimers();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    template <class W>
    W* find(const char* name) {
        return window->findChild<W*>(QString::fromUtf8(name));
    }
    void screenshot(const std::string& file) {
        window->syncModel();
        EXPECT_TRUE(window->grab().save(QString::fromStdString((fs::path(KOTOU_TEST_OUTPUT) / file).string())));
    }

    QtHost host;
    DefaultRandom rng{3};
    Game game;
    fs::path base;
    std::unique_ptr<TForm1> window;
    std::vector<std::string> errors;
};

// Every farewell fits on one row of its button with the window's font.
TEST_F(EndingWindow, EveryFarewellFitsItsButton) {
    auto* button = qobject_cast<QPushButton*>(window->widgetOf("select_b1"));
    ASSERT_NE(button, nullptr);
    const int room = button->width() - 8;
    for (int pair = 0; pair < kPairCount; ++pair)
        for (const char* caption : finalPairScene(pair)->captions)
            EXPECT_LE(button->fontMetrics().horizontalAdvance(QString::fromUtf8(caption)), room) << caption;
}

// From the plan's panel to the end of the program: the window closes after
// the clear screen and the application's event loop ends with it.
TEST_F(EndingWindow, TheEndingClosesTheWindowAndEndsTheProgram) {
    GameState& s = game.s;
    s.raftProgress() = 1;  // one stage left, to show a build button
    s.hasSaw = s.hasAxe = 1;
    s.lumberCount = 7, s.driftwoodCount = 5, s.vineCount = 6, s.hideCount = 3;
    s.oarProgress() = 2, s.signalLightProgress() = 3, s.weaponProgress() = 4;
    s.pairIntimacy = {10, 10, 10, 10, 10, 10};  // all tied: 嵐–残響
    s.storyPhase = 17;
    s.dayNumber = 130;
    s.cur().actionPoints = s.cur().maxActionPoints = 12;
    s.cur().strength = 30;
    s.cur().illness = 3;
    QTest::qWait(120);  // a status refresh shows the plan's command
    QTest::mouseClick(find<QPushButton>("dassyutu_b"), Qt::LeftButton);
    QTest::qWait(120);
    screenshot("ending-plan.png");

    // Every wait is answered by a click on the message line; the messages
    // named here are screenshotted first.
    std::map<std::string, std::string> shots = {
        {"★イカダ", "ending-raft.png"},
        {"とうとう脱出", "ending-escape.png"},
        {"やがて東の空が", "ending-dawn.png"},
        {"クリアタイム", "ending-clear.png"},
        {"ベストカップルリング", "ending-the-end.png"},
    };
    bool illMarkSeen = false;
    QTimer answerer;
    QObject::connect(&answerer, &QTimer::timeout, window.get(), [&] {
        if (game.s.runtime.endingStarted) illMarkSeen = illMarkSeen || find<QWidget>("ill_l")->isVisible();
        if (game.s.runtime.clickState != 0) return;
        const std::string text = game.form.at("moji_l").caption;
        for (auto it = shots.begin(); it != shots.end(); ++it) {
            const bool last = it->first == "ベストカップルリング";
            if (text.rfind(it->first, 0) != 0 || (last && text.find("ＴＨＥ ＥＮＤ") == std::string::npos)) continue;
            screenshot(it->second);
            shots.erase(it);
            break;
        }
        QTest::mouseClick(find<QLabel>("moji_l"), Qt::LeftButton);
    });
    answerer.start(1);

    QTest::mouseClick(find<QPushButton>("ikada_b"), Qt::LeftButton);
    ASSERT_EQ(s.raftProgress(), 2);
    QTest::qWait(120);
    QTest::mouseClick(find<QPushButton>("clear_b"), Qt::LeftButton);
    ASSERT_EQ(s.storyPhase, 25);
    ASSERT_TRUE(find<QWidget>("select_box")->isVisible());
    screenshot("ending-choice.png");

    // The choice is clicked from inside the event loop, as a player would.
    QApplication::setQuitOnLastWindowClosed(true);
    QTimer::singleShot(0, window.get(), [&] { QTest::mouseClick(find<QPushButton>("select_b1"), Qt::LeftButton); });
    QTimer::singleShot(60000, window.get(), [] { QApplication::exit(1); });  // never hang
    const int code = QApplication::exec();
    QApplication::setQuitOnLastWindowClosed(false);
    answerer.stop();

    EXPECT_EQ(code, 0);
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(shots.empty()) << shots.begin()->first;
    EXPECT_FALSE(illMarkSeen);
    EXPECT_TRUE(errors.empty());
    EXPECT_EQ(s.runtime.clickState, -1);
    const GameState saved = loadSaveImage(test::readAll(saveFilePath(base)), GameState{});
    EXPECT_EQ(saved.bestCoupleText, "嵐×残響");
    EXPECT_EQ(saved.bestDays, 130);
    EXPECT_NE(fromCp932(test::readAll(recordsFilePath(base))).find("ﾍﾞｽﾄｶｯﾌﾟﾘﾝｸﾞ：嵐×残響"), std::string::npos);
}

}  // namespace
}  // namespace kotou
