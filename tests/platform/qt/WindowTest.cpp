// The Qt window on a small hand-made form: widgets by name and parent, model
// changes reaching exactly the widgets that changed, clicks and keys becoming
// handler calls, waits ending by click, key and closing, the timers.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <thread>

#include "platform/pictures/Picture.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "tests/platform/qt/QtTestSupport.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

// Writes a small solid-colour 24-bit BMP.
void writeBmp(const fs::path& file, int w, int h, uint8_t r, uint8_t g, uint8_t b) {
    const uint32_t stride = (static_cast<uint32_t>(w) * 3 + 3) & ~3u;
    std::vector<uint8_t> v(54 + stride * static_cast<uint32_t>(h), 0);
    auto put = [&](size_t at, uint32_t x, int n) {
        for (int i = 0; i < n; ++i)
            v[at + static_cast<size_t>(i)] = static_cast<uint8_t>(x >> (8 * i));
    };
    v[0] = 'B';
    v[1] = 'M';
    put(2, static_cast<uint32_t>(v.size()), 4);
    put(10, 54, 4);
    put(14, 40, 4);
    put(18, static_cast<uint32_t>(w), 4);
    put(22, static_cast<uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, 24, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint8_t* p =
                v.data() + 54 + stride * static_cast<uint32_t>(y) + static_cast<uint32_t>(x) * 3;
            p[0] = b;
            p[1] = g;
            p[2] = r;
        }
    fs::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(v.data()), static_cast<long>(v.size()));
}

class WindowTest : public ::testing::Test {
  protected:
    WindowTest() : game(host, rng) {}

    // Registers `h` for `component` in place of what SetUp registered.
    void rebind(const std::string& component, Handler h) {
        HandlerRegistry r;
        for (const auto& [name, e] : game.handlers.all())
            if (name != component) r.add(name, e.guard, e.run);
        r.add(component, Guard::Wait, std::move(h));
        game.handlers = std::move(r);
    }

    void SetUp() override {
        ensureApplication();
        // One folder per test: ctest runs the tests of this file in parallel.
        base = fs::path(KOTOU_TEST_OUTPUT) / "window-test" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        writeBmp(base / "cg" / "green.bmp", 20, 10, 0, 200, 0);
        host.options().baseDir = base;
        host.options().confirm = [this](const std::string& text) {
            questions.push_back(text);
            return answer;
        };

        FormModel& f = game.form;
        // name, kind, parent panel ("" = the window), bounds, extra settings
        auto add = [&f](const char* name, Kind kind, const char* parent, QRect r,
                        std::function<void(Component&)> more = {}) {
            Component c;
            c.name = name;
            c.kind = kind;
            c.parent = *parent ? f.id(parent) : kNoComponent;
            c.left = r.left();
            c.top = r.top();
            c.width = r.width();
            c.height = r.height();
            if (more) more(c);
            f.add(std::move(c));
        };
        add("Form1", Kind::Window, "", {0, 0, 640, 506}, [](Component& c) {
            c.color = {128, 128, 128};
        });
        add("start_box", Kind::Panel, "", {0, 0, 640, 480}, [](Component& c) {
            c.color = {0, 0, 64};
        });
        add("Button2", Kind::Button, "start_box", {268, 324, 105, 25},
            [](Component& c) { c.caption = "はじめる"; });
        add("title_cg", Kind::Image, "start_box", {10, 10, 40, 40},
            [](Component& c) { c.stretch = true; });
        add("lv_up_box", Kind::Panel, "", {124, 4, 230, 325},
            [](Component& c) { c.visible = false; });
        add("name_box", Kind::Panel, "", {124, 4, 249, 137}, [](Component& c) {
            c.caption = "この島の名前をつけてね♪";
            c.visible = false;
        });
        add("name_l", Kind::Edit, "name_box", {8, 40, 93, 20});
        add("koudou_l", Kind::Gauge, "", {4, 20, 113, 9}, [](Component& c) {
            c.color = {255, 0, 0};
        });
        add("list", Kind::List, "", {400, 300, 100, 60});
        add("turn_name_l", Kind::Label, "", {4, 330, 100, 20},
            [](Component& c) { c.caption = "ルル"; });
        add("moji_l", Kind::Label, "", {4, 364, 345, 113}, [](Component& c) {
            c.fontColor = {255, 255, 255};
        });
        add("click_l", Kind::Label, "", {8, 460, 20, 20}, [](Component& c) {
            c.caption = "▽";
            c.visible = false;
        });

        const Handler endWait = [this](Game& g) {
            ++mouseDowns;
            if (g.s.runtime.clickState != -1) g.s.runtime.clickState = 1;
        };
        game.handlers.add("moji_l", Guard::Wait, endWait);
        game.handlers.add("Form1", Guard::Wait, endWait);
        game.handlers.add("Button2", Guard::Wait, [](Game& g) {
            if (g.host.confirm("はじめますか\rよろしいですか")) {
                g.form.hide("start_box");
                g.form.show("lv_up_box");
            }
        });

        WindowHooks hooks;
        hooks.formClose = [this](Game& g) {
            ++formCloses;
            g.s.runtime.clickState = -1;
        };
        hooks.timer1 = [this](Game&) { ++timer1Ticks; };
        hooks.timer2 = [this](Game&) { ++timer2Ticks; };
        window = std::make_unique<TForm1>(game, hooks);
        host.attach(window.get());
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        // The widgets of hidden components follow the first paint.
        ASSERT_TRUE(QTest::qWaitFor([this] { return window->missingWidgets() == 0; }));
    }

    // What waitForClick does, without its marker animation: sleep in the
    // event loop until the click comes. The long timeout makes an input
    // that fails to wake the loop show as a wait of seconds.
    void waitForClick() {
        if (game.s.runtime.clickState == -1) return;
        game.s.runtime.clickState = 0;
        QElapsedTimer t;
        t.start();
        while (game.s.runtime.clickState == 0 && t.elapsed() < 5000) host.waitForEvents(10000);
    }

    template <class W>
    W* find(const char* name) {
        return window->findChild<W*>(QString::fromUtf8(name));
    }

    QtHost host;
    ScriptedRandom rng;
    Game game;
    fs::path base;
    std::unique_ptr<TForm1> window;
    bool answer = true;
    std::vector<std::string> questions;
    int mouseDowns = 0, formCloses = 0, timer1Ticks = 0, timer2Ticks = 0;
};

TEST_F(WindowTest, BuildsOneNamedWidgetPerComponentOnItsPanel) {
    EXPECT_EQ(window->size(), QSize(640, 506));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_TRUE(window->windowTitle().startsWith(QString::fromUtf8("孤島生活 ver1.4")));
    EXPECT_EQ(window->font().family(), QStringLiteral("IPAPGothic"));
    EXPECT_TRUE(window->font().bold());

    auto* button = find<QPushButton>("Button2");
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->parentWidget()->objectName(), QStringLiteral("start_box"));
    EXPECT_EQ(button->geometry(), QRect(268, 324, 105, 25));
    EXPECT_EQ(button->text(), QString::fromUtf8("はじめる"));
    ASSERT_NE(find<QGroupBox>("name_box"), nullptr);
    EXPECT_EQ(find<QGroupBox>("name_box")->title(), QString::fromUtf8("この島の名前をつけてね♪"));
    EXPECT_EQ(find<QLineEdit>("name_l")->parentWidget()->objectName(), QStringLiteral("name_box"));
    EXPECT_NE(find<QListWidget>("list"), nullptr);
    EXPECT_EQ(find<QLabel>("moji_l")->parentWidget(), window.get());
    EXPECT_TRUE(find<QWidget>("start_box")->isVisible());
    EXPECT_FALSE(find<QWidget>("lv_up_box")->isVisible());
    EXPECT_FALSE(find<QLabel>("click_l")->isVisible());
}

// Widgets come in two steps: those in view first, the rest after the first
// paint or as soon as they are needed, each on its panel and stacked in table
// order (a later sibling on top), with the model's current state.
TEST_F(WindowTest, HiddenOrCoveredComponentsGetTheirWidgetsLaterOrWhenNeeded) {
    FormModel& f = game.form;
    f.setCaption(f.id("click_l"), "▼");  // changed before it has a widget
    Component cover;                     // a later panel over the message area
    cover.name = "cover_box";
    cover.kind = Kind::Panel;
    cover.top = 350;
    cover.width = 400;
    cover.height = 140;
    f.add(cover);
    TForm1 second(game, {});
    auto has = [&second](const char* name) {
        return second.findChild<QWidget*>(QString::fromUtf8(name)) != nullptr;
    };
    for (const char* name : {"start_box", "Button2", "title_cg", "koudou_l", "turn_name_l", "list"})
        EXPECT_TRUE(has(name)) << name;
    for (const char* name : {"lv_up_box", "name_box", "name_l", "click_l", "moji_l"})
        EXPECT_FALSE(has(name)) << name;
    EXPECT_EQ(second.missingWidgets(), 5);

    // Asked for: made at once, on its (also made) panel, with its state.
    auto* edit = qobject_cast<QLineEdit*>(second.widgetOf("name_l"));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->parentWidget()->objectName(), QStringLiteral("name_box"));
    EXPECT_EQ(static_cast<QGroupBox*>(edit->parentWidget())->title(),
              QString::fromUtf8("この島の名前をつけてね♪"));
    EXPECT_EQ(second.missingWidgets(), 3);

    // Coming into view: made by the next sync, under its later siblings.
    f.hide("cover_box");
    f.show("click_l");
    second.syncModel();
    EXPECT_EQ(second.missingWidgets(), 1);
    auto* marker = second.findChild<QLabel*>(QStringLiteral("click_l"));
    ASSERT_NE(marker, nullptr);
    EXPECT_EQ(marker->text(), QString::fromUtf8("▼"));
    EXPECT_FALSE(marker->isHidden());
    const QObjectList& children = second.children();
    auto stackIndex = [&](const char* name) {
        for (int i = 0; i < children.size(); ++i)
            if (children[i]->objectName() == QString::fromUtf8(name)) return i;
        return -1;
    };
    EXPECT_LT(stackIndex("moji_l"), stackIndex("click_l"));
    EXPECT_LT(stackIndex("click_l"), stackIndex("cover_box"));
    EXPECT_LT(stackIndex("start_box"), stackIndex("name_box"));
    EXPECT_LT(stackIndex("name_box"), stackIndex("koudou_l"));

    // After the first paint nothing is missing, and the stacking order is the
    // table order.
    second.show();
    ASSERT_TRUE(QTest::qWaitFor([&second] { return second.missingWidgets() == 0; }));
    EXPECT_TRUE(has("lv_up_box"));
    EXPECT_LT(stackIndex("start_box"), stackIndex("lv_up_box"));
    EXPECT_LT(stackIndex("lv_up_box"), stackIndex("name_box"));
    EXPECT_FALSE(second.findChild<QWidget*>(QStringLiteral("lv_up_box"))->isVisible());
    EXPECT_TRUE(second.close());
}

TEST_F(WindowTest, ModelChangesReachOnlyTheChangedWidgets) {
    FormModel& f = game.form;
    EXPECT_EQ(window->syncModel(), 0);

    f.setCaption(f.id("moji_l"), "一行目\r二行目");
    EXPECT_EQ(window->syncModel(), 1);
    EXPECT_EQ(find<QLabel>("moji_l")->text(), QString::fromUtf8("一行目\n二行目"));
    EXPECT_TRUE(find<QLabel>("moji_l")->wordWrap());

    f.show("click_l");
    f.setFontSize(f.id("click_l"), 21);
    f.setPosition(f.id("click_l"), 4, 454);
    f.setItems(f.id("list"), {"りんご　　　：3", "バナナ　　　：1"});
    f.setEnabled(f.id("Button2"), false);
    EXPECT_EQ(window->syncModel(), 3);
    auto* marker = find<QLabel>("click_l");
    EXPECT_TRUE(marker->isVisible());
    EXPECT_EQ(marker->pos(), QPoint(4, 454));
    EXPECT_EQ(marker->font().pixelSize(), 28);
    EXPECT_EQ(find<QListWidget>("list")->count(), 2);
    EXPECT_EQ(find<QListWidget>("list")->item(1)->text(), QString::fromUtf8("バナナ　　　：1"));
    EXPECT_FALSE(find<QPushButton>("Button2")->isEnabled());
}

TEST_F(WindowTest, GaugesAndPicturesAreDrawn) {
    FormModel& f = game.form;
    f.setGauge(f.id("koudou_l"), 10, 5);
    f.setPicture(f.id("title_cg"), "cg/green.bmp");
    host.repaint();
    const QImage shot = window->grab().toImage();
    // Gauge at (4, 20), 113 wide: red up to the middle, trough after it.
    EXPECT_EQ(shot.pixelColor(10, 24), QColor(255, 0, 0));
    EXPECT_NE(shot.pixelColor(100, 24), QColor(255, 0, 0));
    // The 20 x 10 bitmap stretched over the 40 x 40 image.
    EXPECT_EQ(shot.pixelColor(45, 45), QColor(0, 200, 0));

    // A missing picture clears the image instead of failing.
    f.setPicture(f.id("title_cg"), "cg/none.jpg");
    host.repaint();
    EXPECT_NE(window->grab().toImage().pixelColor(45, 45), QColor(0, 200, 0));
}

TEST_F(WindowTest, TypedTextGoesIntoTheModel) {
    FormModel& f = game.form;
    f.show("name_box");
    window->syncModel();
    auto* edit = find<QLineEdit>("name_l");
    QTest::keyClicks(edit, QStringLiteral("Kotou"));
    EXPECT_EQ(f.at("name_l").caption, "Kotou");
    EXPECT_EQ(window->syncModel(), 0);  // not written back under the cursor
    f.setCaption(f.id("name_l"), "");
    window->syncModel();
    EXPECT_EQ(edit->text(), QString());
}

TEST_F(WindowTest, ButtonsCallTheirHandlersAndTheAnswerDecides) {
    answer = false;
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_TRUE(find<QWidget>("start_box")->isVisible());
    EXPECT_FALSE(find<QWidget>("lv_up_box")->isVisible());

    answer = true;
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_FALSE(find<QWidget>("start_box")->isVisible());
    EXPECT_TRUE(find<QWidget>("lv_up_box")->isVisible());
}

TEST_F(WindowTest, APressedListLineReachesTheHandlerAndStaysSelected) {
    FormModel& f = game.form;
    std::string seen;
    game.handlers.add("list", Guard::Wait,
                      [&seen](Game& g) { seen = g.form.selectedItem(g.form.id("list")); });
    f.setItems(f.id("list"), {"りんご　　　：3", "バナナ　　　：1"});
    window->syncModel();
    auto* list = find<QListWidget>("list");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(1)).center());
    EXPECT_EQ(seen, "バナナ　　　：1");
    EXPECT_EQ(f.at("list").selected, 1);

    // A repaint refills the list; the line stays chosen until new lines come.
    f.setCaption(f.id("list"), "refill");
    window->syncModel();
    EXPECT_EQ(list->currentRow(), 1);
    f.setItems(f.id("list"), {"りんご　　　：2"});
    window->syncModel();
    EXPECT_EQ(f.at("list").selected, -1);
    EXPECT_EQ(list->currentRow(), -1);
}

TEST_F(WindowTest, ClicksOnTheMessageAreaOrTheWindowAndTheKeysEndAWait) {
    int ended = 0;
    auto waitThen = [&](std::function<void()> act) {
        QTimer::singleShot(30, window.get(), act);
        waitForClick();
        if (game.s.runtime.clickState == 1) ++ended;
    };
    waitThen([&] { QTest::mouseClick(find<QLabel>("moji_l"), Qt::LeftButton); });
    waitThen([&] { QTest::mouseClick(window.get(), Qt::LeftButton, {}, QPoint(600, 495)); });
    waitThen([&] { QTest::keyClick(window.get(), Qt::Key_Return); });
    waitThen([&] { QTest::keyClick(window.get(), Qt::Key_Space); });
    EXPECT_EQ(ended, 4);
    EXPECT_EQ(mouseDowns, 4);

    // A press on a component without a handler (a status label, a panel)
    // does not fall through to the window.
    QTest::mouseClick(find<QLabel>("turn_name_l"), Qt::LeftButton);
    QTest::mouseClick(find<QWidget>("start_box"), Qt::LeftButton, {}, QPoint(5, 200));
    EXPECT_EQ(mouseDowns, 4);
}

TEST_F(WindowTest, AFailingHandlerDoesNotEndTheProgram) {
    rebind("Button2", [](Game& g) {
        g.form.show("lv_up_box");
        g.form.show("no_such_box");  // throws std::out_of_range
    });
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_FALSE(window->handlerRunning());
    EXPECT_TRUE(find<QWidget>("lv_up_box")->isVisible());  // what it did before failing shows
    // The window goes on: clicks and closing work as before.
    QTest::mouseClick(find<QLabel>("moji_l"), Qt::LeftButton);
    EXPECT_EQ(mouseDowns, 1);
    EXPECT_TRUE(window->close());
}

// The title animation runs from its timer, also while a handler waits; the
// status refresh runs after every handler and message step, never by a clock.
TEST_F(WindowTest, TitleTimerRunsWhileAHandlerWaitsAndTheRefreshFollowsChanges) {
    window->startTimers();
    QTimer::singleShot(400, window.get(),
                       [&] { QTest::mouseClick(find<QLabel>("moji_l"), Qt::LeftButton); });
    waitForClick();
    EXPECT_GE(timer2Ticks, 2);
    EXPECT_EQ(timer1Ticks, timer2Ticks + 1);  // after each animation step and the click
    host.repaint();                           // a message step
    EXPECT_EQ(timer1Ticks, timer2Ticks + 2);
    QTest::qWait(3200);  // the animation plays once through, then stops
    EXPECT_EQ(timer2Ticks, kTitleAnimationTicks);
    EXPECT_EQ(timer1Ticks, timer2Ticks + 2);
    window->stopTimers();
}

TEST_F(WindowTest, ClosingDuringAWaitEndsItAndClosesAfterTheHandler) {
    std::vector<std::string> steps;
    rebind("Button2", [&](Game& g) {
        steps.push_back("start");
        waitForClick();
        steps.push_back(g.s.runtime.clickState == -1 ? "wait ended by closing" : "clicked");
        // Still inside the handler: the window must not be gone yet.
        steps.push_back(window->isVisible() ? "window still open" : "window closed early");
        waitForClick();  // returns at once while closing
        steps.push_back("end");
    });
    QTimer::singleShot(30, window.get(), [&] { window->close(); });
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_EQ(steps, (std::vector<std::string>{"start", "wait ended by closing",
                                               "window still open", "end"}));
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(formCloses, 1);
    EXPECT_EQ(game.s.runtime.clickState, -1);
}

TEST_F(WindowTest, ClosingWithoutAHandlerClosesAtOnce) {
    EXPECT_TRUE(window->close());
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(formCloses, 1);
}

TEST_F(WindowTest, AHandlerCanCloseTheWindowItself) {
    rebind("Button2", [](Game& g) {
        g.host.closeWindow();
        g.host.processEvents();
    });
    QTest::mouseClick(find<QPushButton>("Button2"), Qt::LeftButton);
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(formCloses, 1);
}

// A wait sleeps in the event loop: without input it uses its whole time;
// a click or a key from outside (the display's input arrives on another
// thread) wakes it at once, and none is lost.
TEST_F(WindowTest, AWaitSleepsUntilInputArrivesAndNeverMissesIt) {
    QElapsedTimer t;
    t.start();
    int passes = 0;
    while (t.elapsed() < 150) {
        host.waitForEvents(static_cast<int>(150 - t.elapsed()));
        ++passes;
    }
    EXPECT_LT(passes, 10);  // slept, did not spin

    QWidget* message = find<QWidget>("moji_l");
    const std::vector<std::function<QEvent*()>> inputs = {
        [] {
            return new QMouseEvent(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5),
                                   Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        },
        [] { return new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier); },
        [] { return new QKeyEvent(QEvent::KeyPress, Qt::Key_Enter, Qt::KeypadModifier); },
    };
    const int rounds = 30;
    for (int i = 0; i < rounds; ++i) {
        QObject* target = i % 3 == 0 ? static_cast<QObject*>(message) : window.get();
        std::thread input([&, i] {
            std::this_thread::sleep_for(std::chrono::milliseconds(i % 7));
            QCoreApplication::postEvent(target, inputs[static_cast<size_t>(i % 3)]());
        });
        t.restart();
        waitForClick();
        input.join();
        EXPECT_EQ(game.s.runtime.clickState, 1) << "round " << i;
        EXPECT_LT(t.elapsed(), 2000) << "round " << i;
    }
    EXPECT_EQ(mouseDowns, rounds);
}

}  // namespace
}  // namespace kotou
