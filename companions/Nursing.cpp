// Nursing: a character sits up the night with an ill or poisoned partner.
// The illness always drops by three or four; the poison clears one night in
// three. A complete cure closes the panel; otherwise it opens again so that
// the nurse may go on while points last.

#include <array>
#include <string>

#include "companions/CompanionHandlers.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

using companions::dotLine;

constexpr int32_t kNursingCost = 7;
constexpr int32_t kNursingIntimacy = 10;

constexpr std::array<const char*, kCharacterCount + 1> kPatientButtons = {
    "", "kan_ruru_b", "kan_arashi_b", "kan_spark_b", "kan_zankyou_b"};

bool needsNursing(const Character& c) {
    return c.illness > 0 || c.poison > 0;
}

// A complete cure ends the nursing: the panel gives way to the commands.
void cured(Game& g, const std::string& message) {
    playSound(g, 0, "3.wav");
    showMessage(g, message);
    waitForClick(g);
    g.form.show("com_box");
}

void nurse(Game& g, int patientIndex) {
    GameState& s = g.s;
    if (patientIndex == s.currentCharacter) return;
    Character& patient = s.ch(patientIndex);
    // The buttons are set when the panel opens; one whose patient has been
    // cured since nurses no one.
    if (!needsNursing(patient)) return;
    Character& nurse = s.cur();
    playSound(g, 0, "1.wav");
    if (s.pairIntimacy[static_cast<size_t>(pairIndex(s.currentCharacter, patientIndex))] <
        kNursingIntimacy) {
        showMessage(g, patient.name + "との親密度が低過ぎて、看病はできません");
        return;
    }
    if (nurse.actionPoints < kNursingCost) {
        showMessage(g, "行動力が足りません");
        return;
    }

    g.form.hide("kanbyou_box");
    nurse.actionPoints -= kNursingCost;
    showMessage(g, nurse.name + "は" + patient.name + "を徹夜で看病した");
    appendMessage(g, dotLine(33));
    waitForClick(g);
    playSound(g, 2, "ok.wav");

    if (patient.illness > 0) {
        patient.illness -= 3 + g.rng.random(2);
        if (patient.illness < 1) {
            patient.illness = 0;
            cured(g, patient.name + "の病気が『完治』した！！！");
            return;
        }
        showMessage(g, patient.name + "の病気が少しだけ回復した・・・");
        waitForClick(g);
    }

    if (patient.poison < 1) {
        g.form.show("kanbyou_box");
        return;
    }
    if (g.rng.random(3) == 0) {
        patient.poison = 0;
        cured(g, patient.name + "の体から毒が完全に消え去った！！");
        return;
    }
    showMessage(g, patient.name + "の体の毒は、一晩の看病では完全に消えなかった・・・");
    waitForClick(g);
    g.form.show("kanbyou_box");
}

void openNursing(Game& g) {
    GameState& s = g.s;
    playSound(g, 0, "1.wav");
    for (int k = 1; k <= kCharacterCount; ++k)
        g.form.setVisible(g.form.id(kPatientButtons[static_cast<size_t>(k)]),
                          k != s.currentCharacter && needsNursing(s.ch(k)));
    openPanelOver(g, "kanbyou_box", "com_box");
    // The requirement above the current character's three intimacy lines.
    showMessage(g,
                "誰を看病しますか？（要：行動７・親密度１０）\r" + g.form.at("cominu_l").caption);
}

void closeNursing(Game& g) {
    closePanelTo(g, "kanbyou_box", "com_box");
}

}  // namespace

void registerNursingHandlers(HandlerRegistry& r) {
    r.add("kanbyou_b", Guard::Command, openNursing);
    for (int k = 1; k <= kCharacterCount; ++k)
        r.add(kPatientButtons[static_cast<size_t>(k)], Guard::Command,
              [k](Game& g) { nurse(g, k); });
    r.add("BitBtn52", Guard::Command, closeNursing);
}

}  // namespace kotou
