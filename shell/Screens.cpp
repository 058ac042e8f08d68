#include "shell/Screens.h"

#include <exception>
#include <string>

#include "shell/Background.h"
#include "shell/FormLayout.h"
#include "shell/Inventory.h"
#include "shell/Messages.h"
#include "shell/StatusRefresh.h"
#include "state/SaveFile.h"
#include "state/Text.h"

namespace kotou {
namespace {

constexpr Rgb kBlack{0, 0, 0};
constexpr int kSelectLeft = 124;
constexpr int kSelectTop = 250;

constexpr const char* kNewGameQuestion =
    "データを初期化し、はじめからケームを開始します。\r"
    "これまでのデータがある場合は全て消去されますがよろしいですか";

// Panel background pictures loaded at creation.
struct PanelPicture {
    const char* component;
    const char* file;
};
constexpr PanelPicture kPanelPictures[] = {
    {"box_cg1", "cg/haikei2.jpg"},        // cook_box
    {"bak_cg2", "cg/haikei2.jpg"},        // tansaku_box
    {"bak_cg3", "cg/haikei2.jpg"},        // sounan_box
    {"bak_cg4", "cg/haikei2.jpg"},        // seisaku_box
    {"bak_cg5", "cg/haikei2.jpg"},        // item_box
    {"bak_cg6", "cg/haikei2.jpg"},        // colo_box
    {"bak_cg_com", "cg/haikei5.jpg"},     // com_box
    {"bak_cg_battle", "cg/haikei3.jpg"},  // battle_box
    {"bak_cg_who", "cg/haikei4.jpg"},     // kanbyou_box
    {"bak_cg_who2", "cg/haikei4.jpg"},    // kyuujyo_box
    {"lv_haikei", "cg/haikei.jpg"},       // lv_up_box
};

// Panels placed over the command panel at creation (the others are opened
// there by their commands).
constexpr const char* kPanelsAtCommandPlace[] = {
    "name_box",         "kanbyou_box",       "kyuujyo_box", "nomal_item_box", "item_box",
    "list_box",         "sounan_box",        "battle_box",  "sozai_box",      "kousaku_box",
    "item_seisaku_box", "item_seisaku2_box", "lv_up_box"};

// What each back button hides before showing its panel again.
constexpr const char* kCommandSubPanels[] = {
    "battle_box", "kunren_box", "item_box", "svival_box", "tansaku_box", "cook_box", "seisaku_box"};
constexpr const char* kMealSubPanels[] = {"desert_box", "yamanosati_box", "uminosati_box"};
constexpr const char* kCraftSubPanels[] = {"sisetu_box", "item_seisaku_box", "item_seisaku2_box",
                                           "sozai_box",  "kousaku_box",      "study_box",
                                           "cominu_box"};

constexpr const char* kTitleFrames[] = {"cg/qz1.jpg", "cg/qz2.jpg", "cg/qz3.jpg", "cg/qz4.jpg",
                                        "cg/qz5.jpg"};
constexpr int kTitleFrameCount = 30;

void click(Game& g) {
    playSound(g, 0, "1.wav");
}

template <size_t N>
void backTo(Game& g, const char* const (&hide)[N], const char* show) {
    click(g);
    showScene(g, "");
    for (const char* panel : hide) g.form.hide(panel);
    g.form.show(show);
}

void backToCommands(Game& g) {
    backTo(g, kCommandSubPanels, "com_box");
}
void backToMeals(Game& g) {
    backTo(g, kMealSubPanels, "cook_box");
}
void backToCrafting(Game& g) {
    backTo(g, kCraftSubPanels, "seisaku_box");
}

// Fills the inventory list and shows it instead of the item menu.
void openList(Game& g, InventoryList list) {
    click(g);
    g.form.show("list_box");
    g.form.hide("item_box");
    g.form.setCaption(g.form.id("list_l"), inventoryTitle(list));
    g.form.setItems(g.form.id("list"), inventoryLines(g.s, list));
}

}  // namespace

void openPanelOver(Game& g, const char* panel, const char* from) {
    const Component& base = g.form.at("com_box");
    const ComponentId p = g.form.id(panel);
    g.form.setPosition(p, base.left, base.top);
    g.form.setVisible(p, true);
    if (from) g.form.hide(from);
}

void closePanelTo(Game& g, const char* panel, const char* to) {
    playSound(g, 0, "1.wav");
    g.form.hide(panel);
    g.form.show(to);
}

void FormCreate(Game& g) {
    FormModel& f = g.form;
    g.s.runtime.clickState = 1;
    f.setPosition(f.id("com_box"), kCommandLeft, kCommandTop);
    f.setPicture(f.id("title_cg"), "cg/title.jpg");
    const Component& window = f.at("Form1");
    f.setBounds(f.id("Form1"), window.left, window.top, kWindowWidth, kWindowHeight);
    playMusic(g, "title.mid");
    for (const PanelPicture& p : kPanelPictures) f.setPicture(f.id(p.component), p.file);

    const Component& com = f.at("com_box");
    const int left = com.left, top = com.top;
    for (const char* panel : kPanelsAtCommandPlace) f.setPosition(f.id(panel), left, top);
    f.setPosition(f.id("select_box"), kSelectLeft, kSelectTop);

    f.setPosition(f.id("start_box"), 0, 0);
    f.show("start_box");
    f.hide("com_box");
}

void FormClose(Game& g) {
    g.s.runtime.clickState = -1;
}

void FormDestroy(Game&) {}

void Timer1Timer(Game& g) {
    refreshStatus(g);
}

void Timer2Timer(Game& g) {
    if (!g.form.visible("start_box")) return;
    int32_t& frame = g.s.runtime.titleFrame;
    frame = frame + 1 >= kTitleFrameCount || frame < 0 ? 0 : frame + 1;
    g.form.setPicture(g.form.id("qz_cg"), kTitleFrames[frame % 5]);
}

bool isValidIslandName(const std::string& name) {
    if (name.empty()) return false;
    for (unsigned char c : name)
        if (c < 0x20 || c == 0x7F) return false;
    try {
        toCp932(name);
    } catch (const TextError&) {
        return false;
    }
    return true;
}

namespace {

void startNewGame(Game& g) {
    playSound(g, 1, "1.wav");
    if (!g.host.confirm(kNewGameQuestion)) {
        playSound(g, 0, "no.wav");
        return;
    }
    playSound(g, 0, "start.wav");
    // The game being left behind stays within reach (kotou-save restore).
    if (std::string error; !keepPreviousSave(saveFilePath(g.host.saveDir()), error))
        g.host.showError("これまでのセーブデータの控えを作れませんでした。\n" + error);
    // A new game clears the whole state, but the window keeps its own values:
    // the click state (a closing window stays closing) and the title frame.
    const RuntimeState window = g.s.runtime;
    initNewGame(g.s);
    g.s.runtime.clickState = window.clickState;
    g.s.runtime.titleFrame = window.titleFrame;
    g.form.setColor(g.form.id("Form1"), kBlack);
    g.form.hide("start_box");
    g.form.show("lv_up_box");
    g.s.runtime.statPointsLeft = 6;
    g.s.runtime.levelUpMode = 1;
    g.s.currentCharacter = 1;
    showPortrait(g, kCharacterNames[1]);
    showMessage(g, "キャラクターを製作します。能力値を振り分けてください");
    playMusic(g, "voice.mid");
}

void continueSavedGame(Game& g) {
    playSound(g, 0, "start.wav");
    try {
        loadGame(g.s, g.host.loadDir());
    } catch (const std::exception& e) {
        // loadGame leaves the state as it was: the title screen stays up.
        g.host.showError(std::string("セーブデータを読み込めませんでした。\n") + e.what());
        return;
    }
    g.form.hide("start_box");
    // The window behind the game is black, as after a new game: the score
    // line below the background picture is written in white.
    g.form.setColor(g.form.id("Form1"), kBlack);
    showWeatherBackground(g);
    const bool valid = GameState::isCharacterIndex(g.s.currentCharacter);
    if (valid) showPortrait(g, g.s.cur().name);
    g.form.show(valid && g.s.cur().strandedPhase != 0 ? "sounan_box" : "com_box");
    showMessage(g, "どうしますか？");
}

void acceptIslandName(Game& g) {
    const std::string name = g.form.at("name_l").caption;
    if (name.empty()) {
        showMessage(g, "名前を入力してね");
        return;
    }
    // A name the save file cannot hold would make every later save fail.
    if (!isValidIslandName(name)) {
        showMessage(g, "その名前は使えません。別の名前を入力してね");
        return;
    }
    playSound(g, 0, "key2.wav");
    g.s.islandName = name;
    g.form.hide("name_box");
    showMessage(g, "この島の名前を『" + name + "島』と決めた！");
    waitForClick(g);
    g.form.show("kousaku_box");
}

void openExploration(Game& g) {
    click(g);
    if (g.s.weather == kTyphoon) {
        showMessage(g, "台風のため、探索ができません");
        return;
    }
    if (GameState::isCharacterIndex(g.s.currentCharacter) && g.s.cur().illness > 0) {
        showMessage(g, "病気のため、探索ができません");
        return;
    }
    openPanelOver(g, "tansaku_box", "com_box");
}

void openMeals(Game& g) {
    click(g);
    openPanelOver(g, "cook_box", "com_box");
}

void openCrafting(Game& g) {
    click(g);
    openPanelOver(g, "seisaku_box", "com_box");
}

void openItemMenu(Game& g) {
    click(g);
    g.form.hide("com_box");
    g.form.show("item_box");
}

void openUsableItems(Game& g) {
    click(g);
    g.form.show("nomal_item_box");
    g.form.hide("item_box");
}

void closeUsableItems(Game& g) {
    click(g);
    g.form.hide("nomal_item_box");
    g.form.show("item_box");
}

void closeInventoryList(Game& g) {
    click(g);
    showScene(g, "");
    g.form.hide("list_box");
    g.form.hide("listen_b");
    g.form.show("item_box");
}

void pressListLine(Game& g) {
    playSound(g, 0, "key.wav");
}

void saveCommand(Game& g) {
    Character& c = g.s.cur();
    if (c.actionPoints <= 2) {
        showMessage(g, "行動力が足りません");
        return;
    }
    c.actionPoints -= 3;
    playSound(g, 0, "save.wav");
    if (saveWithReport(g)) showMessage(g, "セーブしました。");
}

}  // namespace

bool saveWithReport(Game& g) {
    try {
        saveGame(g.s, g.host.saveDir(), g.form.at("point_l").caption);
    } catch (const std::exception& e) {
        g.host.showError(std::string("セーブできませんでした。\n") + e.what());
        return false;
    }
    return true;
}

void registerShellHandlers(HandlerRegistry& r) {
    struct Entry {
        const char* component;
        Guard guard;
        void (*handler)(Game&);
    };
    // A click that arrives once the name box is gone (the name already
    // accepted) must not open the carving panel a second time: the box's
    // button is navigation.
    static constexpr Entry kEntries[] = {
        {"Button2", Guard::Navigation, startNewGame},
        {"Button12", Guard::Navigation, continueSavedGame},
        {"Button11", Guard::Navigation, acceptIslandName},
        {"BitBtn1", Guard::Navigation, openExploration},
        {"BitBtn2", Guard::Navigation, openMeals},
        {"BitBtn3", Guard::Navigation, openCrafting},
        {"BitBtn35", Guard::Navigation, openItemMenu},
        {"BitBtn39", Guard::Navigation, openUsableItems},
        {"BitBtn36", Guard::Navigation, closeUsableItems},
        {"BitBtn40", Guard::Navigation, closeInventoryList},
        {"list", Guard::Navigation, pressListLine},
        {"BitBtn20", Guard::Command, saveCommand},
        {"BitBtn41", Guard::Command, saveCommand},
    };
    for (const Entry& e : kEntries) r.add(e.component, e.guard, e.handler);
    // Back buttons, each with the panels it closes.
    struct Back {
        const char* component;
        void (*handler)(Game&);
    };
    static constexpr Back kBacks[] = {
        {"BitBtn4", backToCommands},  {"BitBtn13", backToCommands}, {"BitBtn32", backToCommands},
        {"BitBtn25", backToCommands}, {"BitBtn46", backToCommands}, {"BitBtn27", backToCommands},
        {"BitBtn7", backToMeals},     {"BitBtn11", backToMeals},    {"BitBtn12", backToMeals},
        {"BitBtn19", backToCrafting}, {"BitBtn23", backToCrafting}, {"BitBtn15", backToCrafting},
        {"BitBtn37", backToCrafting}, {"BitBtn17", backToCrafting},
    };
    for (const Back& b : kBacks) r.add(b.component, Guard::Navigation, b.handler);
    struct List {
        const char* component;
        InventoryList list;
    };
    static constexpr List kLists[] = {{"sizai_list_b", InventoryList::Materials},
                                      {"syokuzai_list_b", InventoryList::Food},
                                      {"etc_b", InventoryList::Other}};
    for (const List& l : kLists)
        r.add(l.component, Guard::Command, [list = l.list](Game& g) { openList(g, list); });
    // A click anywhere on the window's pictures or message area ends a wait.
    for (const char* c : {"Form1", "bak", "pic", "cg", "cg2", "cg_red", "moji_l", "click_l"})
        r.add(c, Guard::Wait, clickToContinue);
}

}  // namespace kotou
