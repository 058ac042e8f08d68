// The script against the shape every chapter must have: background,
// pictures, the speakers in order, narration and picture changes; and every
// line against the message box (code page 932, length).
#include <gtest/gtest.h>

#include <string>

#include "state/Text.h"
#include "story/Script.h"

namespace kotou {
namespace {

// One token per step: the speaker of a line, "narr" for narration, and the
// other steps by kind.
std::string shape(Scene scene) {
    std::string out;
    for (const Step& s : scene) {
        if (!out.empty()) out += ' ';
        switch (s.kind) {
            case StepKind::Say:
                out += s.who;
                break;
            case StepKind::Narrate:
                out += "narr";
                break;
            case StepKind::Portrait:
                out += std::string("pic=") + s.text;
                break;
            case StepKind::Picture:
                out += std::string("cg2=") + s.text;
                break;
            case StepKind::WorldFlag:
                out += "flag" + std::to_string(s.value);
                break;
            case StepKind::Sound:
                out += "snd" + std::to_string(s.value) + "=" + s.text;
                break;
            case StepKind::Music:
                out += std::string("music=") + s.text;
                break;
            case StepKind::WideBackdrop:
                out += std::string("wide=") + s.text;
                break;
            case StepKind::LastBackdrop:
                out += std::string("last=") + s.text;
                break;
        }
    }
    return out;
}

int lineCount(Scene scene) {
    int n = 0;
    for (const Step& s : scene) n += !lineText(s).empty();
    return n;
}

TEST(Script, EveryChapterHasItsBackgroundPicturesAndSpeakersInOrder) {
    const struct {
        const char* head;  // background|pic|cg2
        const char* steps;
    } expected[kChapterCount] = {
        {"背景・夜|嵐|ルル.jpg", "嵐 ルル 嵐 ルル 嵐 ルル"},
        {"背景・夜|ルル|残響.jpg", "残響 ルル 残響 ルル 残響 残響"},
        {"背景・朝|スパーク|嵐.jpg", "嵐 スパーク 嵐 スパーク 嵐 スパーク 嵐 スパーク"},
        {"背景・朝|ルル|", "ルル cg2=残響.jpg 残響 ルル 残響 ルル 残響 ルル 残響"},
        {"背景・朝|嵐|ルル.jpg", "嵐 ルル 嵐 嵐 嵐 嵐 ルル"},
        {"背景・朝|嵐|ルル.jpg", "嵐 ルル 嵐 ルル 嵐"},
        {"背景・朝|スパーク|ルル.jpg",
         "スパーク ルル スパーク ルル スパーク cg2= ルル スパーク narr ルル narr "
         "pic=スパーク頬 スパーク narr"},
        {"背景・夜|スパーク|ルル.jpg",
         "ルル スパーク ルル スパーク スパーク スパーク ルル スパーク ルル"},
        {"背景・朝|ルル|スパーク.jpg", "スパーク ルル スパーク ルル スパーク ルル スパーク"},
        {"背景・夜|嵐|ルル.jpg", "ルル 嵐 ルル 嵐 ルル"},
        {"背景・夜|残響|ルル.jpg",
         "ルル narr 残響 ルル 残響 narr ルル 残響 narr narr 残響 ルル narr 残響"},
        {"背景・朝|嵐|ルル.jpg", "嵐 ルル 嵐 ルル 嵐 嵐 嵐 ルル 嵐 嵐"},
        {"背景・朝|残響|ルル.jpg",
         "残響 ルル 残響 ルル 残響 残響 ルル 残響 残響 残響 残響 残響 ルル 残響"},
        {"背景・夜|嵐|スパーク.jpg", "嵐 スパーク 嵐 スパーク 嵐 スパーク 嵐 スパーク 嵐"},
        {"背景・朝|嵐|残響.jpg", "嵐 残響 残響 嵐 残響"},
        {"背景・朝|嵐|スパーク.jpg", "嵐 スパーク 嵐 スパーク 嵐 pic=残響 残響 嵐"},
        {"背景・夜|残響|嵐.jpg", "嵐 残響 嵐 残響 cg2=ルル.jpg ルル 残響"},
        {"背景・朝|嵐|スパーク.jpg",
         "嵐 flag10 スパーク 嵐 スパーク 嵐 スパーク 嵐 pic=オルガン ？？？ cg2=嵐.jpg 嵐 ？？？ "
         "嵐 "
         "cg2=残響.jpg 残響 オルガン"},
        {"背景・夜|ルル|", "ルル"},
        {"背景・夜|ルル|", "ルル"},
        {"背景・海上|嵐|ルル.jpg",
         "嵐 ルル cg2=ゴルドス.jpg ゴルドス ゴルドス 嵐 ゴルドス 嵐 cg2=ルル.jpg ルル cg2= narr "
         "cg2=スパーク.jpg スパーク 嵐 snd2=baku.wav narr 嵐 スパーク pic=残響 残響 "
         "cg2=ゴルドス.jpg ゴルドス 残響 cg2=スパーク.jpg スパーク スパーク 残響 music=title.mid "
         "スパーク 残響 pic=嵐 嵐 スパーク 嵐 cg2=残響.jpg 残響 pic=ルル cg2=ゴルドス.jpg ルル "
         "ゴルドス ルル pic= narr pic=スパーク スパーク スパーク ゴルドス スパーク pic= cg2= "
         "wide=ゴルドス2.jpg スパーク ゴルドス スパーク スパーク snd0=baku.wav last=背景・最後 "
         "narr narr"},
    };
    int nightLines = 0;
    for (int phase = 0; phase < kChapterCount; ++phase) {
        const Chapter* c = chapterAt(phase);
        ASSERT_NE(c, nullptr) << phase;
        EXPECT_EQ(std::string(c->background) + "|" + c->portrait + "|" + c->picture,
                  expected[phase].head)
            << "chapter " << phase;
        EXPECT_EQ(shape(c->steps), expected[phase].steps) << "chapter " << phase;
        const ChapterEnd end = phase == 20   ? ChapterEnd::FinalChoice
                               : phase >= 18 ? ChapterEnd::NightChoice
                                             : ChapterEnd::NextDay;
        EXPECT_EQ(c->end, end) << "chapter " << phase;
        EXPECT_EQ(c->choice != nullptr, end == ChapterEnd::NightChoice) << "chapter " << phase;
        if (phase < kEscapeChapter) nightLines += lineCount(c->steps);
    }
    EXPECT_EQ(nightLines, 153);
    EXPECT_EQ(lineCount(chapterAt(kEscapeChapter)->steps), 40);
    for (int phase : {-1, 21, 1000}) EXPECT_EQ(chapterAt(phase), nullptr) << phase;
}

TEST(Script, TheNightChoicesAskWhereLuluGoesAndPlayTheirScenes) {
    const NightChoice* c18 = chapterAt(18)->choice;
    const NightChoice* c19 = chapterAt(19)->choice;
    ASSERT_NE(c18, nullptr);
    ASSERT_NE(c19, nullptr);
    EXPECT_STREQ(c18->question, "☆だれの寝床へ行きますか？");
    EXPECT_STREQ(c18->captions[0], "嵐の寝床へ");
    EXPECT_STREQ(c18->captions[1], "スパークの寝床へ");
    EXPECT_STREQ(c19->question, "☆どこへ行きますか？");
    EXPECT_STREQ(c19->captions[0], "残響の寝床へ");
    EXPECT_STREQ(c19->captions[1], "海辺へ");

    EXPECT_EQ(shape(c18->scenes[0]),
              "cg2=嵐.jpg 嵐 ルル 嵐 ルル 嵐 ルル 嵐 narr ルル 嵐 pic=ルル頬 ルル 嵐 ルル 嵐");
    EXPECT_EQ(shape(c18->scenes[1]),
              "cg2=スパーク.jpg スパーク ルル スパーク ルル スパーク ルル スパーク ルル narr "
              "スパーク ルル スパーク narr スパーク スパーク ルル narr スパーク ルル スパーク");
    EXPECT_EQ(shape(c19->scenes[0]),
              "cg2=残響.jpg 残響 ルル 残響 ルル 残響 ルル 残響 ルル ルル 残響 ルル narr 残響 "
              "pic=ルル頬 ルル");
    EXPECT_EQ(
        shape(c19->scenes[1]),
        "narr cg2=スパーク.jpg pic=嵐 嵐 スパーク 嵐 スパーク 嵐 スパーク 嵐 スパーク 嵐 narr "
        "スパーク 嵐 スパーク");
    // スパーク's twelfth line is his tenth again: the words fail him twice.
    const Scene spark = c18->scenes[1];
    EXPECT_EQ(lineText(spark[10]), lineText(spark[12]));

    int lines = 0;
    for (const NightChoice* c : {c18, c19})
        for (Scene s : c->scenes) lines += lineCount(s);
    EXPECT_EQ(lines, 62);
}

// The message box shows a line over at most three rows; 150 bytes of code
// page 932 keep every line, tag included, within them (the window test
// measures the same lines with the window's font).
TEST(Script, EveryLineIsCodePage932TextThatFitsTheMessageBox) {
    constexpr size_t kMaxLineBytes = 150;
    std::vector<Scene> scenes;
    for (int phase = 0; phase < kChapterCount; ++phase) {
        scenes.push_back(chapterAt(phase)->steps);
        if (const NightChoice* c = chapterAt(phase)->choice) {
            scenes.insert(scenes.end(), c->scenes.begin(), c->scenes.end());
            for (const char* t : {c->question, c->captions[0], c->captions[1]})
                EXPECT_NO_THROW(toCp932(t)) << t;
        }
    }
    for (int pair = 0; pair < kPairCount; ++pair) {
        const FinalPairScene* f = finalPairScene(pair);
        scenes.push_back(f->before);
        scenes.insert(scenes.end(), f->partings.begin(), f->partings.end());
    }
    for (Scene scene : scenes) {
        for (const Step& s : scene) {
            const std::string line = lineText(s);
            if (line.empty()) continue;
            EXPECT_NO_THROW(toCp932(line)) << line;
            EXPECT_LE(cp932Length(line), kMaxLineBytes) << line;
            // Words come without the brackets the spoken form adds.
            const std::string words = s.text;
            EXPECT_FALSE(words.empty()) << line;
            EXPECT_EQ(words.find("『"), std::string::npos) << line;
            EXPECT_EQ(words.find("』"), std::string::npos) << line;
        }
    }
}

// The final pair's parting: one narration for the pairs with ルル and
// another for the rest, the pictures, the lines before the choice, the two
// farewells of the option speaker and the three lines after each.
TEST(Script, EachFinalPairHasItsSceneFarewellsAndPartings) {
    const struct {
        const char* before;
        const char* speaker;
        const char* parting;  // the same speakers after either farewell
    } expected[kPairCount] = {
        {"narr pic=ルル cg2=嵐.jpg 嵐 ルル 嵐 ルル 嵐", "ルル", "嵐 ルル 嵐"},
        {"narr pic=ルル cg2=スパーク.jpg スパーク ルル スパーク ルル スパーク", "ルル",
         "スパーク ルル スパーク"},
        {"narr pic=ルル cg2=残響.jpg 残響 ルル 残響 ルル 残響", "ルル", "残響 ルル 残響"},
        {"narr pic=スパーク cg2=嵐.jpg 嵐 スパーク 嵐", "スパーク", "嵐 スパーク 嵐"},
        {"narr pic=残響 cg2=嵐.jpg 嵐 残響 嵐", "残響", "嵐 残響 嵐"},
        {"narr pic=残響 cg2=スパーク.jpg スパーク 残響 スパーク", "残響", "スパーク 残響 スパーク"},
    };
    int lines = 0;
    for (int pair = 0; pair < kPairCount; ++pair) {
        SCOPED_TRACE(pair);
        const FinalPairScene* f = finalPairScene(pair);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(shape(f->before), expected[pair].before);
        EXPECT_STREQ(f->speaker, expected[pair].speaker);
        for (Scene parting : f->partings) EXPECT_EQ(shape(parting), expected[pair].parting);
        EXPECT_NE(lineText(f->partings[0][0]), lineText(f->partings[1][0]));
        EXPECT_STRNE(f->captions[0], f->captions[1]);
        // A farewell is the option speaker's next line, and a button caption:
        // one row of the select button.
        for (const char* caption : f->captions) {
            EXPECT_NO_THROW(toCp932(caption)) << caption;
            EXPECT_GT(cp932Length(caption), 0u);
            EXPECT_LE(cp932Length(caption), 50u) << caption;
        }
        EXPECT_EQ(lineText(f->before[0]), lineText(finalPairScene(pair < 3 ? 0 : 3)->before[0]));
        lines += lineCount(f->before) + 2 + lineCount(f->partings[0]) + lineCount(f->partings[1]);
    }
    EXPECT_NE(lineText(finalPairScene(0)->before[0]), lineText(finalPairScene(3)->before[0]));
    EXPECT_EQ(lines, 78);  // 74 written: each narration serves three pairs
    EXPECT_EQ(finalPairScene(-1), nullptr);
    EXPECT_EQ(finalPairScene(kPairCount), nullptr);
}

TEST(Script, TheHintsOfChaptersOneAndFourAreSpoken) {
    auto spoken = [](int phase) {
        std::string all;
        for (const Step& s : chapterAt(phase)->steps) all += lineText(s);
        return all;
    };
    const std::string one = spoken(1);
    for (const char* hint :
         {"探索", "希望のデザート", "行動力の最大値", "バケツ", "カゴ", "シャワー", "トイレ"})
        EXPECT_NE(one.find(hint), std::string::npos) << hint;
    const std::string four = spoken(4);
    for (const char* hint :
         {"彫り物", "器用さは必ず上がる", "運しだい", "同じ物は二つ作れない", "誰か一人"})
        EXPECT_NE(four.find(hint), std::string::npos) << hint;
}

TEST(Script, ASpokenLineCarriesItsSpeakerAndBrackets) {
    EXPECT_EQ(spokenLine("嵐", "行くぞ"), "【嵐】『行くぞ』");
    EXPECT_EQ(lineText(say("？？？", "ふぉっふぉっ")), "【？？？】『ふぉっふぉっ』");
    EXPECT_EQ(lineText(narrate("波の音。")), "波の音。");
    EXPECT_EQ(lineText(picture("嵐.jpg")), "");
}

}  // namespace
}  // namespace kotou
