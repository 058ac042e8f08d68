// The player's comforts in the real game window: the settings file, the
// scaled scene, the message history, skipping and keyboard play, and the
// copy a new game keeps of the save it leaves behind.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTextBrowser>
#include <QWheelEvent>
#include <fstream>
#include <set>

#include "platform/qt/Overlays.h"
#include "shell/Messages.h"
#include "state/SaveFile.h"
#include "tests/platform/qt/GameWindowFixture.h"
#include "tests/support/Files.h"

namespace kotou::test {
namespace {

namespace fs = std::filesystem;

TEST(Settings, RoundTripAndEveryBadFileFallsBackToTheDefaults) {
    const fs::path dir = scratchDir("settings", "roundtrip");
    const fs::path file = settingsFile((dir / "config").string(), "/nowhere");
    EXPECT_EQ(file, dir / "config" / "kotou" / "settings.ini");
    EXPECT_EQ(settingsFile("relative", "/home/p"), fs::path("/home/p/.config/kotou/settings.ini"));

    std::string warning;
    EXPECT_EQ(loadSettings(file, warning), Settings{});
    EXPECT_NE(warning.find("does not exist"), std::string::npos);

    const Settings chosen{2, true, 35, 0, true, TextSpeed::Instant, 4};
    std::string error;
    ASSERT_TRUE(saveSettings(file, chosen, error)) << error;
    EXPECT_EQ(loadSettings(file, warning), chosen);
    EXPECT_EQ(warning, "");

    // Damaged: out of range, not name=value, not text. An unknown name is
    // a newer game's and is skipped.
    for (const std::string& text : {std::string("[kotou]\nscale=4\n"), std::string("bgm=-1\n"),
                                    std::string("textSpeed=warp\n"), std::string("mute=yes\n"),
                                    std::string("garbage\n"), std::string("scale=2\0\n", 9)}) {
        std::ofstream(file, std::ios::binary | std::ios::trunc) << text;
        EXPECT_EQ(loadSettings(file, warning), Settings{}) << text;
        EXPECT_NE(warning.find("damaged"), std::string::npos) << text << warning;
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc) << "# mine\nsomeday=1\nauto=3\n";
    EXPECT_EQ(loadSettings(file, warning).autoSeconds, 3);
    EXPECT_EQ(warning, "");

    fs::remove(file);
    fs::create_directory(file);  // a folder where the file belongs
    EXPECT_EQ(loadSettings(file, warning), Settings{});
    EXPECT_NE(warning.find("cannot be read"), std::string::npos);
    EXPECT_FALSE(saveSettings(file, chosen, error));
    EXPECT_FALSE(error.empty());
}

TEST(MessageHistory, KeepsTheLastLinesInOrder) {
    MessageHistory h;
    h.add("【ルル】『おはよう』\r今日は晴れ ");
    EXPECT_EQ(h.lines().front(), "【ルル】『おはよう』");
    EXPECT_EQ(h.lines().back(), "今日は晴れ");
    EXPECT_EQ(MessageHistory::speakerOf(h.lines().front()), "ルル");
    EXPECT_EQ(MessageHistory::speakerOf(h.lines().back()), "");
    for (int i = 0; i < 250; ++i) h.add("line " + std::to_string(i));
    ASSERT_EQ(h.size(), MessageHistory::kCapacity);
    EXPECT_EQ(h.lines().front(), "line 50");
    EXPECT_EQ(h.lines().back(), "line 249");
}

class Comforts : public GameWindowFixture {
  protected:
    // Continues a saved game to its command panel.
    void toCommandPanel() {
        GameState s;
        initNewGame(s);
        s.currentCharacter = 1;
        s.dayNumber = 4;
        openWithSave(s);
        click("Button12");
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown("com_box"); }));
        window->buildRemaining();
    }
    QPoint scenePoint(const char* name) {
        const Component& c = game.form.at(name);
        const Component& parent = game.form.at(c.parent);
        const int s = window->scale();
        return window->sceneRect().topLeft() + QPoint((parent.left + c.left + c.width / 2) * s,
                                                      (parent.top + c.top + c.height / 2) * s);
    }
    void key(int k, Qt::KeyboardModifiers m = Qt::NoModifier) {
        QKeyEvent press(QEvent::KeyPress, k, m), release(QEvent::KeyRelease, k, m);
        QCoreApplication::sendEvent(window.get(), &press);
        QCoreApplication::sendEvent(window.get(), &release);
    }
};

// At every scale a point of the scene reaches the component it reaches at
// scale 1, and a click there runs that component's handler.
TEST_F(Comforts, ClicksMapBackAtEveryScale) {
    toCommandPanel();
    for (int scale : {2, 3, 1}) {
        SCOPED_TRACE(scale);
        window->setScale(scale);
        EXPECT_EQ(window->size(), QSize(640, 506) * scale);
        for (const char* name : {"BitBtn1", "BitBtn2", "BitBtn3", "BitBtn35", "BitBtn20"}) {
            QWidget* hit = window->childAt(scenePoint(name));
            ASSERT_NE(hit, nullptr) << name;
            EXPECT_EQ(hit->objectName().toStdString(), name);
        }
        QTest::mouseClick(window->childAt(scenePoint("BitBtn2")), Qt::LeftButton);
        EXPECT_TRUE(shown("cook_box"));
        click("BitBtn13");  // 戻る
        EXPECT_TRUE(shown("com_box"));
    }
}

// Every enabled button in view is in the keyboard's order, and the keyboard
// presses them; Esc presses the panel's 戻る.
TEST_F(Comforts, KeyboardReachesAndPressesTheButtons) {
    toCommandPanel();
    std::set<std::string> expected, ordered;
    for (QPushButton* b : window->findChildren<QPushButton*>())
        if (b->isVisible() && b->isEnabled()) expected.insert(b->objectName().toStdString());
    for (QWidget* w : window->focusOrder()) ordered.insert(w->objectName().toStdString());
    EXPECT_EQ(ordered, expected);

    key(Qt::Key_Tab);
    ASSERT_EQ(window->focused()->objectName(), QStringLiteral("BitBtn1"));  // 探索, top left
    key(Qt::Key_Down);
    EXPECT_EQ(window->focused()->objectName(), QStringLiteral("BitBtn2"));
    key(Qt::Key_Up);
    key(Qt::Key_Up);  // wraps to the last
    EXPECT_EQ(window->focused(), window->focusOrder().back());
    key(Qt::Key_Tab);
    key(Qt::Key_Tab);  // 食事
    key(Qt::Key_Return);
    EXPECT_TRUE(shown("cook_box"));
    EXPECT_FALSE(shown("com_box"));
    key(Qt::Key_Escape);
    EXPECT_TRUE(shown("com_box"));
    ASSERT_TRUE(window->focusRing()->isVisible());
}

// A ring that came to a new panel by itself is not the player's choice: Enter
// reads on and presses nothing until a Tab or an arrow confirms it.
TEST_F(Comforts, EnterPressesOnlyAButtonThePlayerChose) {
    toCommandPanel();
    key(Qt::Key_Tab);
    key(Qt::Key_Down);  // 食事
    key(Qt::Key_Return);
    ASSERT_TRUE(shown("cook_box"));
    key(Qt::Key_Return);  // the ring stands on デザート by itself
    EXPECT_FALSE(shown("desert_box"));
    key(Qt::Key_Tab);  // chosen where it stands
    key(Qt::Key_Return);
    EXPECT_TRUE(shown("desert_box"));
}

// The history opens over a waiting message and never answers it; skipping
// with Ctrl answers waits and never presses a command.
TEST_F(Comforts, HistoryAndSkippingLeaveCommandsAlone) {
    toCommandPanel();
    const GameState before = game.s;
    const size_t soundsBefore = sounds.size();
    key(Qt::Key_Control);  // at the command panel: nothing to skip
    window->activateWindow();
    QKeyEvent ctrl(QEvent::KeyPress, Qt::Key_Control, Qt::ControlModifier);
    QCoreApplication::sendEvent(window.get(), &ctrl);
    QTest::qWait(50);
    EXPECT_EQ(game.s.dayNumber, before.dayNumber);
    EXPECT_EQ(game.s.cur().actionPoints, before.cur().actionPoints);
    EXPECT_EQ(sounds.size(), soundsBefore);
    EXPECT_TRUE(shown("com_box"));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &release);

    // The player, while the handler below waits: opens the history with the
    // wheel, clicks and presses Enter in it, closes it with a right-click,
    // and once the message still waits, holds Ctrl.
    int stage = 0, passes = 0;
    std::string historyText;
    bool waitingAfterHistory = false;
    QTimer player;
    QObject::connect(&player, &QTimer::timeout, window.get(), [&] {
        if (!window->messageWaiting()) return;
        if (stage == 0) {
            QWheelEvent up(QPointF(100, 100), window->mapToGlobal(QPointF(100, 100)), {}, {0, 120},
                           Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(window.get(), &up);
            if (!window->overlayOpen()) return;
            historyText = window->historyView()->text()->toPlainText().toStdString();
            QTest::mouseClick(window->historyView(), Qt::LeftButton, {}, QPoint(10, 10));
            key(Qt::Key_Return);
            stage = 1;
        } else if (stage == 1 && ++passes == 20) {
            waitingAfterHistory =
                game.form.at("moji_l").caption.find("ふたつめ") == std::string::npos;
            QTest::mouseClick(window->historyView(), Qt::RightButton, {}, QPoint(10, 10));
            stage = 2;
        } else if (stage == 2 && !window->overlayOpen()) {
            window->activateWindow();
            QCoreApplication::sendEvent(window.get(), &ctrl);
            stage = 3;
        }
    });
    player.start(5);
    window->runHandler([](Game& g) {
        showMessage(g, "【ルル】『ひとつめ』");
        waitForClick(g);
        showMessage(g, "ふたつめ");
        waitForClick(g);
    });
    player.stop();
    QCoreApplication::sendEvent(window.get(), &release);
    EXPECT_NE(historyText.find("【ルル】『ひとつめ』"), std::string::npos) << historyText;
    EXPECT_TRUE(waitingAfterHistory);
    EXPECT_EQ(stage, 3);
    EXPECT_EQ(window->history().lines().back(), "ふたつめ");
}

// はじめる keeps the save it leaves behind as dat/my.dat.bak.
TEST_F(Comforts, ANewGameKeepsThePreviousSave) {
    GameState s;
    initNewGame(s);
    s.currentCharacter = 2;
    s.dayNumber = 30;
    openWithSave(s);
    const std::string saved = readAll(saveFilePath(base));
    click("Button2");
    ASSERT_TRUE(shown("lv_up_box"));
    EXPECT_EQ(readAll(backupFilePath(saveFilePath(base))), saved);
}

// Settings changed in the panel apply at once and are told to the program.
TEST_F(Comforts, SettingsPanelAppliesAtOnce) {
    open();
    std::vector<Settings> told;
    window->settingsChanged = [&](const Settings& s) { told.push_back(s); };
    click("settings_b");
    ASSERT_TRUE(window->settingsPanel() && window->settingsPanel()->isVisible());
    for (QPushButton* b : window->settingsPanel()->findChildren<QPushButton*>()) {
        if (b->text() == QStringLiteral("×2")) QTest::mouseClick(b, Qt::LeftButton);
        if (b->text() == QString::fromUtf8("瞬間")) QTest::mouseClick(b, Qt::LeftButton);
    }
    EXPECT_EQ(window->scale(), 2);
    EXPECT_EQ(window->size(), QSize(1280, 1012));
    ASSERT_EQ(told.size(), 2u);
    EXPECT_EQ(told.back().textSpeed, TextSpeed::Instant);
    EXPECT_TRUE(host.revealAtOnce());
    key(Qt::Key_Escape);
    EXPECT_FALSE(window->overlayOpen());
}

}  // namespace
}  // namespace kotou::test
