#pragma once
// The real game in the Qt window (offscreen), for tests that play it with
// clicks on the widgets: a game folder of its own per test (the pictures
// generated beside the program, an empty dat/), the full layout, every
// handler, and a host whose questions, errors and sounds the test sees.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/GameHandlers.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Screens.h"
#include "state/GameState.h"
#include "state/SaveFile.h"
#include "tests/platform/qt/QtTestSupport.h"

namespace kotou::test {

class GameWindowFixture : public ::testing::Test {
  protected:
    GameWindowFixture() : game(host, rng) {}

    void SetUp() override {
        ensureApplication();
        // One folder per test: ctest runs the tests of a file in parallel,
        // and no test may touch a player's save.
        namespace fs = std::filesystem;
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        base = fs::path(KOTOU_TEST_OUTPUT) /
               (std::string("game-window-") + info->test_suite_name() + "-" + info->name());
        fs::remove_all(base);
        fs::create_directories(base / "dat");
        const fs::path cg = fs::path(KOTOU_BIN_DIR) / "cg";
        if (fs::exists(cg)) fs::create_directory_symlink(cg, base / "cg");

        host.options().baseDir = base;
        host.options().confirm = [this](const std::string& text) {
            questions.push_back(text);
            return answer;
        };
        host.options().error = [this](const std::string& text) { errors.push_back(text); };
        host.options().soundCue = [this](int channel, const std::string& file) {
            sounds.push_back(std::to_string(channel) + ":" + file);
        };
        buildForm(game.form);
        registerGameHandlers(game.handlers);
    }

    // Creates and shows the window on its title screen, timers running.
    void open() {
        window = std::make_unique<TForm1>(game, WindowHooks{FormClose, Timer1Timer, Timer2Timer});
        host.attach(window.get());
        FormCreate(game);
        window->syncModel();
        window->show();
        window->startTimers();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    // Saves `s` as the game's save and opens the window on the title.
    void openWithSave(const GameState& s) {
        saveGame(s, base, "得点：0点");
        open();
    }

    // From now on every wait is answered by a click on the message line, as a
    // player reading along would.
    void readAlong() {
        QObject::connect(&reader, &QTimer::timeout, window.get(), [this] {
            if (game.s.runtime.clickState == 0 && shown("click_l")) {
                ++waitsRead;
                QTest::mouseClick(find<QLabel>("moji_l"), Qt::LeftButton);
            }
        });
        reader.start(2);
    }

    template <class W>
    W* find(const char* name) {
        return window->findChild<W*>(QString::fromUtf8(name));
    }
    bool shown(const char* name) {
        QWidget* w = find<QWidget>(name);
        return w && w->isVisible();
    }
    // Clicks a button once the status refresh has shown it.
    void click(const char* name) {
        ASSERT_TRUE(QTest::qWaitFor([&] { return shown(name); }, 500)) << name;
        QPushButton* b = find<QPushButton>(name);
        ASSERT_TRUE(b->isEnabled()) << name;
        QTest::mouseClick(b, Qt::LeftButton);
    }
    // The window as drawn, kept as test output for a person to look at.
    void screenshot(const std::string& file) {
        namespace fs = std::filesystem;
        fs::create_directories(KOTOU_TEST_OUTPUT);
        EXPECT_TRUE(window->grab().save(
            QString::fromStdString((fs::path(KOTOU_TEST_OUTPUT) / file).string())));
    }

    QtHost host;
    DefaultRandom rng{7};
    Game game;
    std::filesystem::path base;
    std::unique_ptr<TForm1> window;
    QTimer reader;
    int waitsRead = 0;  // waits answered by readAlong()
    bool answer = true;
    std::vector<std::string> questions, errors, sounds;
};

}  // namespace kotou::test
