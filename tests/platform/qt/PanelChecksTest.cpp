// Every panel of the game, opened through the form model in the real window,
// checked over what is drawn: texts read against what lies behind them,
// enabled buttons take their clicks, captions fit. A screenshot of each panel
// goes to the test output folder (panels/<panel>.png) for a person to look at.
#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "game/GameHandlers.h"
#include "platform/qt/Overlays.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/Dispatch.h"
#include "shell/FormLayout.h"
#include "shell/Messages.h"
#include "shell/Screens.h"
#include "shell/StatusRefresh.h"
#include "state/GameState.h"
#include "state/SaveFile.h"
#include "tests/platform/qt/QtTestSupport.h"
#include "tests/platform/qt/WindowChecks.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

// Every panel family of the window. A new panel is checked by adding it here.
const char* const kPanels[] = {
    "start_box",        "com_box",           "sounan_box",     "tansaku_box", "cook_box",
    "desert_box",       "uminosati_box",     "yamanosati_box", "seisaku_box", "sisetu_box",
    "item_seisaku_box", "item_seisaku2_box", "sozai_box",      "kousaku_box", "item_box",
    "nomal_item_box",   "list_box",          "battle_box",     "colo_box",    "kunren_box",
    "svival_box",       "study_box",         "cominu_box",     "kanbyou_box", "kyuujyo_box",
    "dassyutu_box",     "mara_box",          "uta_box",        "select_box",  "lv_up_box",
    "name_box",
};

// Buttons that share a slot with a later button lying on top of them by
// design: never shown together with their partner in a check.
const char* const kUnderSharedSlot[] = {"kunren_b", "dassyutu_b", "mara_b"};

class PanelChecks : public ::testing::Test {
  protected:
    PanelChecks() : game(host, rng) {}

    void SetUp() override {
        ensureApplication();
        base = fs::path(KOTOU_TEST_OUTPUT) /
               (std::string("panel-checks-") +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(base);
        fs::create_directories(base / "dat");
        const fs::path cg = fs::path(KOTOU_BIN_DIR) / "cg";
        if (fs::exists(cg)) fs::create_directory_symlink(cg, base / "cg");
        host.options().baseDir = base;
        host.options().confirm = [](const std::string&) { return true; };
        host.options().error = [](const std::string&) {};
        buildForm(game.form);
        registerGameHandlers(game.handlers);

        window = std::make_unique<TForm1>(game, WindowHooks{FormClose, {}, {}});
        host.attach(window.get());
        FormCreate(game);
        // A saved game continued from the title: the first character's turn
        // on a fine day, with a scene picture up (it must never cover a
        // panel's buttons).
        GameState saved;
        initNewGame(saved);
        saved.currentCharacter = 1;
        saved.dayNumber = 12;
        saved.stoneCount = 14;
        saved.branchCount = 3;
        saved.pairIntimacy = {12, 40, 7, 0, 99, 100};
        saved.ch(1).trainingLevel = 25;
        saveGame(saved, base, "得点：0点");
        dispatch(game, "Button12");
        ASSERT_EQ(game.s.dayNumber, 12);
        showScene(game, "背景・林.jpg");
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    void showAllUnder(ComponentId panel) {
        FormModel& f = game.form;
        for (ComponentId id = panel + 1; id < static_cast<ComponentId>(f.size()); ++id) {
            ComponentId p = f.at(id).parent;
            while (p != kNoComponent && p != panel) p = f.at(p).parent;
            if (p != panel) continue;
            bool under = false;
            for (const char* n : kUnderSharedSlot) under = under || f.at(id).name == n;
            f.setVisible(id, !under);
        }
    }

    // Opens one panel the way the game does (only that panel of the command
    // column up), with every component on it shown.
    QWidget* open(const std::string& name) {
        FormModel& f = game.form;
        for (ComponentId id = 0; id < static_cast<ComponentId>(f.size()); ++id) {
            const Component& c = f.at(id);
            if (c.kind == Kind::Panel && c.parent == kNoComponent) f.setVisible(id, false);
        }
        refreshStatus(game);
        const ComponentId panel = f.id(name);
        f.setVisible(panel, true);
        showAllUnder(panel);
        if (name == "select_box") {
            f.setCaption(f.id("select_b1"), "みんなで浜辺へ行く");
            f.setCaption(f.id("select_b2"), "ひとりで森に残る");
        }
        window->syncModel();
        QWidget* w = window->widgetOf(name);
        QCoreApplication::processEvents();
        return w;
    }

    void screenshot(const std::string& name) {
        const fs::path dir = fs::path(KOTOU_TEST_OUTPUT) / "panels";
        fs::create_directories(dir);
        window->grab().save(QString::fromStdString((dir / (name + ".png")).string()));
    }

    static std::string joined(const std::vector<std::string>& lines) {
        std::string s;
        for (const std::string& l : lines) s += "\n  " + l;
        return s;
    }

    QtHost host;
    DefaultRandom rng{11};
    Game game;
    fs::path base;
    std::unique_ptr<TForm1> window;
};

// At scale 1 and 2. The keyboard reaches every button a click reaches, and
// its focus ring stands out both from what lies around the button and from
// the button's face.
TEST_F(PanelChecks, EveryPanelReadsTakesItsClicksAndFitsItsCaptions) {
    for (int scale : {1, 2}) {
        window->setScale(scale);
        for (const char* name : kPanels) {
            SCOPED_TRACE(std::string(name) + " x" + std::to_string(scale));
            QWidget* panel = open(name);
            ASSERT_NE(panel, nullptr);
            ASSERT_TRUE(panel->isVisible());
            screenshot(scale == 1 ? name : std::string(name) + "@2x");
            const std::vector<std::string> found = checks::checkWindow(window.get(), panel);
            EXPECT_TRUE(found.empty()) << name << ":" << joined(found);

            const std::vector<QWidget*> order = window->focusOrder();
            for (QPushButton* b : panel->findChildren<QPushButton*>()) {
                if (b->isVisible() && b->isEnabled()) {
                    EXPECT_NE(std::find(order.begin(), order.end(), b), order.end())
                        << b->objectName().toStdString();
                }
            }
            if (order.empty()) continue;
            window->moveFocus(1);
            const FocusRing* ring = window->focusRing();
            ASSERT_TRUE(ring->isVisible());
            const QImage shot = window->grab().toImage();
            const QRect r = ring->geometry();
            const int y = r.center().y();
            const QRgb outside = shot.pixel(std::max(0, r.left() - 1), y);
            const QRgb face = shot.pixel(r.left() + 6 * scale, y);
            auto stands = [](QRgb c) {
                return std::max(checks::contrastRatio(FocusRing::kOuter, c),
                                checks::contrastRatio(FocusRing::kInner, c)) >= 3.0;
            };
            EXPECT_TRUE(stands(outside) && stands(face))
                << window->focused()->objectName().toStdString();
            window->moveFocus(0);
        }
    }
}

// The status column, the message line and the score read on the background.
TEST_F(PanelChecks, StatusColumnAndMessageLineRead) {
    open("com_box");
    showMessage(game, "【りんご】を3個入手した！（残：12）");
    window->syncModel();
    const auto found = checks::checkWindow(window.get(), window.get(), {.mayClip = {"moji_l"}});
    EXPECT_TRUE(found.empty()) << joined(found);
}

// The checks themselves: a label drawn black on black and a picture laid over
// a button are caught.
TEST_F(PanelChecks, APlantedUnreadableLabelOrCoveringPictureIsCaught) {
    FormModel& f = game.form;
    auto plant = [&f](const char* name, Kind kind, ComponentId parent, QRect r) {
        Component c;
        c.name = name;
        c.kind = kind;
        c.parent = parent;
        c.left = r.left();
        c.top = r.top();
        c.width = r.width();
        c.height = r.height();
        return f.add(std::move(c));
    };
    // Black text (the default) on a black panel without a picture.
    const ComponentId p =
        plant("planted_box", Kind::Panel, kNoComponent, {kCommandLeft, kCommandTop, 125, 325});
    f.setVisible(p, false);
    f.setCaption(plant("planted_l", Kind::Label, p, {6, 4, 113, 14}), "見えない文字");
    open("planted_box");
    auto found = checks::checkContrast(window.get(), window->widgetOf("planted_box"));
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].find("planted_l"), std::string::npos) << found[0];

    // A picture over the command panel's first button.
    const ComponentId cover =
        plant("planted_cg", Kind::Image, kNoComponent, {kCommandLeft, kCommandTop, 125, 30});
    f.setPicture(cover, "cg/haikei2.jpg");
    QWidget* com = open("com_box");
    found = checks::checkButtonsReachable(window.get(), com);
    ASSERT_EQ(found.size(), 1u);
    EXPECT_NE(found[0].find("BitBtn1: a click on its centre reaches planted_cg"), std::string::npos)
        << found[0];
}

}  // namespace
}  // namespace kotou
