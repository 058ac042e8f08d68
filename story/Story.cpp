#include "story/Story.h"

#include "shell/Messages.h"
#include "story/Script.h"

namespace kotou {
namespace {

// The two buttons with their captions, then the panel; the next click on one
// of them goes on with the story.
void offerChoice(Game& g, const std::array<const char*, 2>& captions) {
    playSound(g, 0, "key3.wav");
    g.form.setCaption(g.form.id("select_b1"), captions[0]);
    g.form.setCaption(g.form.id("select_b2"), captions[1]);
    g.form.show("select_box");
}

}  // namespace

bool playChapter(Game& g) {
    playMusic(g, "yoru.mid");
    const Chapter* c = chapterAt(g.s.storyPhase);
    if (c == nullptr) return true;
    loadBackground(g, c->background);
    waitForClick(g);
    showPortrait(g, c->portrait);
    showPicture(g, c->picture);
    playScene(g, c->steps);
    switch (c->end) {
        case ChapterEnd::NextDay:
            return true;
        case ChapterEnd::NightChoice:
            showMessage(g, c->choice->question);
            offerChoice(g, c->choice->captions);
            return false;
        case ChapterEnd::FinalChoice:
            offerFinalChoice(g);
            return false;
    }
    return true;
}

int finalPair(const GameState& s) {
    const auto& v = s.pairIntimacy;
    auto at = [&v](int i) { return v[static_cast<size_t>(i)]; };
    const int x = at(0) < at(1) ? 1 : 0;
    const int y = at(2) < at(3) ? 3 : 2;
    const int z = at(4) < at(5) ? 5 : 4;
    int w = at(x) < at(y) ? y : x;
    if (at(z) >= at(w)) w = z;
    return w;
}

void offerFinalChoice(Game& g) {
    const int pair = finalPair(g.s);
    const FinalPairScene* f = finalPairScene(pair);
    playScene(g, f->before);
    g.s.storyPhase = kFirstFinalPhase + pair;
    offerChoice(g, f->captions);
}

}  // namespace kotou
