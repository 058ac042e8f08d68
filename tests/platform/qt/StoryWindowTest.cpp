// The story in the Qt window (offscreen): every line of the script in the
// message box with the window's own font, and chapters played with clicks on
// the message line, screenshotted as a player sees them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
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
#include "state/Text.h"
#include "story/Script.h"
#include "story/Story.h"
#include "tests/platform/qt/QtTestSupport.h"

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
    for (int pair = 0; pair < kPairCount; ++pair) {
        const FinalPairScene* f = finalPairScene(pair);
        scenes.push_back(f->before);
        scenes.insert(scenes.end(), f->partings.begin(), f->partings.end());
        for (const char* farewell : f->captions) {
            ++lines;
            EXPECT_TRUE(fits(spokenLine(f->speaker, farewell))) << farewell;
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
    playClicking([this] { endTurn(game); },
                 {{"【嵐】", "story-chapter0.png"}, {"≪ルルのターン≫", "story-after-chapter0.png"}});
    EXPECT_EQ(game.s.storyPhase, 1);

    nightOf(6);
    playClicking([this] { playNightEvent(game); }, {{"【スパーク】『べ、別に", "story-chapter6-blush.png"}});

    nightOf(18);
    playClicking([this] { playNightEvent(game); }, {});
    ASSERT_TRUE(game.form.effectivelyVisible(game.form.id("select_b1")));
    window->syncModel();
    QTest::qWait(60);
    fs::create_directories(KOTOU_TEST_OUTPUT);
    EXPECT_TRUE(window->grab().save(QString::fromStdString(
        (fs::path(KOTOU_TEST_OUTPUT) / "story-chapter18-choice.png").string())));
    playClicking([this] { QTest::mouseClick(window->findChild<QWidget*>("select_b2"), Qt::LeftButton); },
                 {{"【スパーク】『……好きだ", "story-chapter18-spark.png"}});
    EXPECT_EQ(game.s.storyPhase, 19);

    nightOf(kEscapeChapter);
    playClicking([this] { playNightEvent(game); },
                 {{"【スパーク】『おい、でっかいの", "story-escape-giant.png"},
                  {"やがて最後の光も消え", "story-escape-last.png"}});
    EXPECT_GE(game.s.storyPhase, 21);
}

}  // namespace
}  // namespace kotou
