// The story in the Qt window (offscreen): every line of the script in the
// message box with the window's own font, and chapters played with clicks on
// the message line, screenshotted as a player sees them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <map>

#include "app/GameHandlers.h"
#include "daycycle/Night.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Screens.h"
#include "state/GameState.h"
#include "state/RecordsFile.h"
#include "state/SaveFile.h"
#include "state/Text.h"
#include "story/Script.h"
#include "story/Story.h"
#include "tests/platform/qt/QtTestSupport.h"
#include "tests/support/Files.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

class StoryWindow : public ::testing::Test {
  protected:
    StoryWindow() : game(host, rng) {}

    void SetUp() override {
        ensureApplication();
        host.options().baseDir = KOTOU_BIN_DIR;
        buildForm(game.form);
        registerGameHandlers(game.handlers);
        window = std::make_unique<TForm1>(game, WindowHooks{FormClose, Timer1Timer, Timer2Timer});
        host.attach(window.get());
        FormCreate(game);
        initNewGame(game.s);
        game.form.hide("start_box");
        window->syncModel();
        window->show();
        window->startTimers();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // A chapter starts after a night, which hides the command panel.
    void nightOf(int phase) {
        game.s.storyPhase = phase;
        game.form.hide("com_box");
    }

    QLabel* message() { return window->findChild<QLabel*>(QStringLiteral("moji_l")); }

    // Runs `play` while every wait is answered by a click on the message
    // line; the first wait on a message starting with one of the keys is
    // screenshotted into the named file first.
    void playClicking(const std::function<void()>& play, std::map<std::string, std::string> shots) {
        QTimer answerer;
        QObject::connect(&answerer, &QTimer::timeout, window.get(), [&] {
            if (game.s.runtime.clickState != 0) return;
            const std::string text = game.form.at("moji_l").caption;
            for (auto it = shots.begin(); it != shots.end(); ++it) {
                if (text.rfind(it->first, 0) != 0) continue;
                fs::create_directories(KOTOU_TEST_OUTPUT);
                window->syncModel();
                EXPECT_TRUE(window->grab().save(
                    QString::fromStdString((fs::path(KOTOU_TEST_OUTPUT) / it->second).string())));
                shots.erase(it);
                break;
            }
            QTest::mouseClick(message(), Qt::LeftButton);
        });
        answerer.start(1);
        play();
        answerer.stop();
        EXPECT_TRUE(shots.empty()) << shots.begin()->first;
    }

    QtHost host;
    DefaultRandom rng{11};
    Game game;
    std::unique_ptr<TForm1> window;
};

// The byte budget of the script check holds with the window's font: a line
// of 150 bytes of full-width characters fits the message box, and so does
// every line of the script.
TEST_F(StoryWindow, EveryLineFitsTheMessageBox) {
    QLabel* box = message();
    ASSERT_NE(box, nullptr);
    auto fits = [box](const std::string& text) {
        box->setText(QString::fromStdString(text));
        return box->heightForWidth(box->width()) <= box->height();
    };
    std::string widest = spokenLine("スパーク", "");
    while (cp932Length(widest) < 150) widest += "あ";
    EXPECT_TRUE(fits(widest));

    std::vector<Scene> scenes;
    for (int phase = 0; phase < kChapterCount; ++phase) {
        scenes.push_back(chapterAt(phase)->steps);
        if (const NightChoice* c = chapterAt(phase)->choice)
            scenes.insert(scenes.end(), c->scenes.begin(), c->scenes.end());
    }
    int lines = 0;
    // A farewell is a button's caption on one row, then the speaker's line.
    auto* button = qobject_cast<QPushButton*>(window->widgetOf("select_b1"));
    ASSERT_NE(button, nullptr);
    for (int pair = 0; pair < kPairCount; ++pair) {
        const FinalPairScene* f = finalPairScene(pair);
        scenes.push_back(f->before);
        scenes.insert(scenes.end(), f->partings.begin(), f->partings.end());
        for (const char* farewell : f->captions) {
            ++lines;
            EXPECT_TRUE(fits(spokenLine(f->speaker, farewell))) << farewell;
            EXPECT_LE(button->fontMetrics().horizontalAdvance(QString::fromUtf8(farewell)),
                      button->width() - 8)
                << farewell;
        }
    }
    for (Scene scene : scenes)
        for (const Step& s : scene)
            if (!lineText(s).empty()) {
                ++lines;
                EXPECT_TRUE(fits(lineText(s))) << lineText(s);
            }
    EXPECT_EQ(lines, 255 + 78);  // the story, then the final pairs
}

TEST_F(StoryWindow, ChaptersAsAPlayerSeesThem) {
    nightOf(0);
    game.s.currentCharacter = 4;
    game.s.dayNumber = 6;
    game.s.weather = kClear;
    playClicking([this] { endTurn(game); }, {{"【嵐】", "story-chapter0.png"},
                                             {"≪ルルのターン≫", "story-after-chapter0.png"}});
    EXPECT_EQ(game.s.storyPhase, 1);

    nightOf(6);
    playClicking([this] { playNightEvent(game); },
                 {{"【スパーク】『べ、別に", "story-chapter6-blush.png"}});

    nightOf(18);
    playClicking([this] { playNightEvent(game); }, {});
    ASSERT_TRUE(game.form.effectivelyVisible(game.form.id("select_b1")));
    window->syncModel();
    QTest::qWait(60);
    fs::create_directories(KOTOU_TEST_OUTPUT);
    EXPECT_TRUE(window->grab().save(QString::fromStdString(
        (fs::path(KOTOU_TEST_OUTPUT) / "story-chapter18-choice.png").string())));
    playClicking(
        [this] { QTest::mouseClick(window->findChild<QWidget*>("select_b2"), Qt::LeftButton); },
        {{"【スパーク】『……好きだ", "story-chapter18-spark.png"}});
    EXPECT_EQ(game.s.storyPhase, 19);

    nightOf(kEscapeChapter);
    playClicking([this] { playNightEvent(game); },
                 {{"【スパーク】『おい、でっかいの", "story-escape-giant.png"},
                  {"嵐の腕の中で", "story-escape-last.png"}});
    EXPECT_GE(game.s.storyPhase, 21);
}

// The end of the game as the program plays it: from the plan's panel to the
// clear screen, which closes the window and so ends the event loop.
TEST_F(StoryWindow, TheEndingClosesTheWindowAndEndsTheProgram) {
    const fs::path base = test::scratchDir("story-window", "ending");
    fs::create_directories(base / "dat");
    fs::create_directory_symlink(fs::path(KOTOU_BIN_DIR) / "cg", base / "cg");
    host.options().baseDir = base;
    GameState& s = game.s;
    s.runtime.clickState = 1;
    s.currentCharacter = 1;
    s.hasSaw = s.hasAxe = 1;
    s.lumberCount = 7, s.driftwoodCount = 5, s.vineCount = 6, s.hideCount = 3;
    s.escape = {1, 2, 3, 4};                    // the raft's last stage to build
    s.pairIntimacy = {10, 10, 10, 10, 10, 10};  // all tied: 嵐–残響
    s.storyPhase = 17;
    s.dayNumber = 130;
    s.cur().actionPoints = s.cur().maxActionPoints = 12;
    s.cur().strength = 30;
    game.form.show("com_box");
    QTest::qWait(120);  // a status refresh offers the plan
    QTest::mouseClick(window->findChild<QWidget*>("dassyutu_b"), Qt::LeftButton);
    playClicking(
        [this] { QTest::mouseClick(window->findChild<QWidget*>("ikada_b"), Qt::LeftButton); },
        {{"★イカダ", "ending-raft.png"}});
    QTest::qWait(120);
    playClicking(
        [this] { QTest::mouseClick(window->findChild<QWidget*>("clear_b"), Qt::LeftButton); },
        {{"夜が明け", "ending-dawn.png"}});
    ASSERT_EQ(s.storyPhase, 25);

    QApplication::setQuitOnLastWindowClosed(true);
    int code = -1;
    playClicking(
        [&] {
            QTimer::singleShot(0, window.get(), [this] {
                QTest::mouseClick(window->findChild<QWidget*>("select_b1"), Qt::LeftButton);
            });
            QTimer::singleShot(60000, [] { QApplication::exit(1); });  // never hang
            code = QApplication::exec();
        },
        {{"ベストカップルリング", "ending-clear.png"}});
    QApplication::setQuitOnLastWindowClosed(false);
    EXPECT_EQ(code, 0);
    EXPECT_FALSE(window->isVisible());
    const GameState saved = loadSaveImage(test::readAll(saveFilePath(base)), GameState{});
    EXPECT_EQ(saved.bestCoupleText, "嵐×残響");
    EXPECT_EQ(saved.bestDays, 130);
    EXPECT_NE(fromCp932(test::readAll(recordsFilePath(base))).find("ﾍﾞｽﾄｶｯﾌﾟﾘﾝｸﾞ：嵐×残響"),
              std::string::npos);
}

}  // namespace
}  // namespace kotou
