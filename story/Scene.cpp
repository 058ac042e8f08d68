#include "story/Scene.h"

#include "shell/Messages.h"

namespace kotou {

std::string spokenLine(std::string_view speaker, std::string_view words) {
    std::string line = "【";
    line += speaker;
    line += "】『";
    line += words;
    line += "』";
    return line;
}

std::string lineText(const Step& s) {
    if (s.kind == StepKind::Say) return spokenLine(s.who, s.text);
    if (s.kind == StepKind::Narrate) return s.text;
    return {};
}

void playScene(Game& g, Scene scene) {
    for (const Step& s : scene) {
        switch (s.kind) {
            case StepKind::Say:
            case StepKind::Narrate:
                showMessage(g, lineText(s));
                waitForClick(g);
                break;
            case StepKind::Portrait:
                showPortrait(g, s.text);
                break;
            case StepKind::Picture:
                showPicture(g, s.text);
                break;
            case StepKind::WorldFlag:
                g.s.flag(static_cast<WorldFlag>(s.value)) = 1;
                break;
            case StepKind::Sound:
                playSound(g, s.value, s.text);
                break;
            case StepKind::Music:
                playMusic(g, s.text);
                break;
            case StepKind::WideBackdrop:
                // Cleared first, so the stretched picture never shows unstretched.
                showBackdrop(g, "", false);
                showBackdrop(g, s.text, false);
                g.host.repaint();
                break;
            case StepKind::LastBackdrop:
                showBackdrop(g, "", false);
                g.form.setColor(g.form.id("Form1"), Rgb{0, 0, 0});
                showBackdrop(g, std::string(s.text) + ".bmp", true);
                break;
        }
    }
}

}  // namespace kotou
