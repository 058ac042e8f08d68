// Study at the desk's bookshelf. Reading costs action points and peace of
// mind; the recipe and magic books teach something for good (their state
// becomes 2 and the shelf no longer shows them), while the picture books and
// the notebook only give a chance to grow a skill and can be read again.

#include <array>
#include <string>

#include "companions/CompanionHandlers.h"
#include "gains/Growth.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

using companions::dotLine;

// A character whose stress meter is this low or lower cannot study.
constexpr int32_t kStudyStressLimit = 30;

struct Book {
    const char* button;
    int32_t cost;
    const char* readText;  // after the reader's name
    bool waits;            // a click before the effect
    int32_t stress;        // taken from the stress meter
    Counter state;         // set to 2 once read; nullptr: can be read again
    const char* learned;
    void (*growth)(Game&);  // nullptr: none
};

const std::array<Book, 9> kBooks = {{
    {"cat_book_b", 2, "は、絵本「ねこと月」を読んだ。", false, 5, nullptr, nullptr,
     chanceZoologyUp},
    {"world_book_b", 2, "は、絵本「せかいのはて」を読んだ。", false, 5, nullptr, nullptr,
     chanceGeographyUp},
    {"flower_book_b", 3, "は、Ｎ・リーフの手記を読んだ。", false, 10, nullptr, nullptr,
     chanceBotanyUp},
    {"cake_book_b", 4, "は、本・ケーキの作り方を読んだ。", true, 10, &GameState::cakeBookState,
     "ケーキの作り方を修得した！（アイテムが揃えば『デザート』欄に出現します）", chanceCookingUp},
    {"harb_book_b", 4, "は、本・ハーブティの作り方を読んだ。", true, 10,
     &GameState::herbTeaBookState,
     "ハーブティの作り方を修得した！（アイテムが揃えば『デザート』欄に出現します）",
     chanceCookingUp},
    {"kusuri_book_b", 15, "は、本・薬の作り方を読んだ。", true, 20, &GameState::medicineBookState,
     "薬の作り方を修得した！（『素材・本の製作』欄に出現します）", chanceBotanyUp},
    {"magic_book_b", 10, "は、魔術書を読んだ。", true, 20, WorldFlag::MagicBook,
     "戦闘コマンド『魔法』を修得した！", nullptr},
    {"magic_book2_b", 20, "は、上級魔術書を読んだ。", true, 30, WorldFlag::HighMagicBook,
     "戦闘コマンド『上級魔法』を修得した！", nullptr},
    {"sinpi_book_b", 15, "は、神秘学書を読んだ。", true, 20, WorldFlag::MysticBook,
     "戦闘コマンド『回復』を修得した！", nullptr},
}};

// The shelf shows a book only while it is held and unread (its row of the
// availability table).
void read(Game& g, const Book& b) {
    Character& c = g.s.cur();
    playSound(g, 1, "1.wav");
    if (c.actionPoints < b.cost) {
        showMessage(g, "行動力が足りません");
        return;
    }
    g.form.hide("study_box");
    c.actionPoints -= b.cost;
    showMessage(g, c.name + b.readText);
    appendMessage(g, dotLine(37));
    if (b.waits) waitForClick(g);
    playSound(g, 0, "ok.wav");
    c.stress -= b.stress;
    if (b.state) {
        b.state(g.s) = 2;
        appendMessage(g, b.learned);
    }
    if (b.growth) b.growth(g);
    g.form.show("study_box");
}

void openStudy(Game& g) {
    const Character& c = g.s.cur();
    playSound(g, 0, "1.wav");
    if (c.stress <= kStudyStressLimit) {
        showMessage(g, c.name + "はストレスのため勉強ができません");
        return;
    }
    openPanelOver(g, "study_box", "com_box");
}

void closeStudy(Game& g) {
    closePanelTo(g, "study_box", "com_box");
}

}  // namespace

std::vector<RowRequirement> studyRequirements() {
    std::vector<RowRequirement> out;
    for (const Book& b : kBooks) out.push_back({b.button, {}, {{"行動力", b.cost}}});
    return out;
}

void registerStudyHandlers(HandlerRegistry& r) {
    r.add("study_b", Guard::Command, openStudy);
    for (const Book& b : kBooks) r.add(b.button, Guard::Command, [&b](Game& g) { read(g, b); });
    r.add("BitBtn28", Guard::Command, closeStudy);
}

}  // namespace kotou
