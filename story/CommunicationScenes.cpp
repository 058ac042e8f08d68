#include "story/CommunicationScenes.h"

#include <array>

namespace kotou::companions {
namespace {

constexpr int R = 1;  // ルル
constexpr int A = 2;  // 嵐
constexpr int S = 3;  // スパーク
constexpr int Z = 4;  // 残響
constexpr SceneBeat kBlushOfPartner{kBlushPartner, nullptr};
constexpr SceneBeat kBlushOfSelf{kBlushSelf, nullptr};

// --- Night walks: confidences under the night sky ---------------------------

constexpr SceneBeat kWalkArashiRuru[] = {
    {A, "……星が多いな。ルル、寒くないか。ほら、俺の上着だ。着てろ"},
    kBlushOfPartner,
    {R, "えへへ、あったかい……。ねえ嵐、もう少しだけ、こうして並んで歩いててもいいかな？"},
};
constexpr SceneBeat kWalkSparkRuru[] = {
    {S,
     "見てろよ、ルル！あの一番光ってる星に、オレが名前つけてやる！……「ルル星」！どうだ、すっげーだ"
     "ろ！"},
    {R,
     "えへへ、なにそれ。でも、うれしいな。じゃあ隣の小さい星は「スパーク星」だね。いつも一緒に光っ"
     "てるもん"},
};
constexpr SceneBeat kWalkZankyouRuru[] = {
    {Z,
     "ルルさん、あの星の並びを古い本では「帰り道の灯」と呼びます。……つまり、船乗りが家を思い出す星"
     "です"},
    {R,
     "帰り道の灯……。わたしね、ときどき港町を思い出して、少しだけ泣いちゃうんだ。みんなには、ないし"
     "ょだよ？"},
    {Z,
     "ふふ、もう聞いてしまいました。泣きたい夜は、私の隣で泣いてください。姉のようなものだと思って"
     "、ね"},
};
constexpr SceneBeat kWalkRuruArashi[] = {
    {R,
     "波の音、きれいだね。……ねえ嵐、眠れない夜はいつも何を考えてるの？ずっと聞いてみたかったんだ"},
    {A,
     "……丸太があと何本、蔓があと何本。数えてると落ち着く。……あとは、お前が明日も笑ってるか、だな"},
};
constexpr SceneBeat kWalkSparkArashi[] = {
    {S,
     "なあ嵐、夜の海ってちょっと不気味じゃねえか？……べ、別にオレが怖いって言ってるわけじゃねえから"
     "な！"},
    {A, "……まあな。俺も怖い。だから二人で歩いてる。坊主、黙って隣にいろ。それで十分だ"},
};
constexpr SceneBeat kWalkZankyouArashi[] = {
    {Z,
     "嵐さん、月の位置から潮の満ち引きがわかるのですよ。……つまり、この島を出る日も、空が教えてくれ"
     "るのです"},
    {A, "……そうか。なら、その日までにイカダを仕上げる。空が決めた日に、俺たちが間に合うようにな"},
};
constexpr SceneBeat kWalkRuruSpark[] = {
    {R,
     "スパーク、夜なのに連れ出してごめんね。ひとりで星を見てたら、急に誰かとお話ししたくなっちゃっ"
     "て"},
    {S,
     "へへっ、謝んなよ！ルルに呼ばれたら、オレ、夜中だってどこだって行くって！……あ、今のは、その、"
     "忘れてくれ！"},
};
constexpr SceneBeat kWalkArashiSpark[] = {
    {S, "嵐から散歩に誘うなんて珍しいじゃん！なんだよ、オレに説教でもあんのか？"},
    {A, "……昼間の罠、お前が直したんだろ。悪くない仕事だった。……それだけだ、坊主"},
};
constexpr SceneBeat kWalkZankyouSpark[] = {
    {Z,
     "スパークくん、北の空に三つ並んだ星があるでしょう。古い航海記には、あれを頼りに嵐の海を渡った"
     "子の話があるのです"},
    {S,
     "すっげー！センセイ、その話もっと聞かせてくれよ！オレもいつか、あの星を頼りに海を渡ってやるか"
     "らな！"},
};
constexpr SceneBeat kWalkRuruZankyou[] = {
    {R,
     "残響さん、夜風が気持ちいいね。いつも本のお話ばっかりだけど、今夜は残響さんのこと、聞かせてほ"
     "しいな"},
    {Z,
     "私のこと、ですか？……ふふ、困りましたね。物語よりずっと地味ですよ。でも、ルルさんにだけなら"},
};
constexpr SceneBeat kWalkArashiZankyou[] = {
    {A, "……残響。焼けた書庫の本、全部覚えてるって本当か。重くないのか、そういうのは"},
    {Z,
     "重いですよ。ええ、とても。でも今夜、嵐さんが聞いてくれたので、ほんの少しだけ軽くなりました"},
};
constexpr SceneBeat kWalkSparkZankyou[] = {
    {Z,
     "スパークくんから散歩に誘ってくれるなんて、嬉しいですね。何か、相談したいことがあるのでしょう"
     "？"},
    {S,
     "な、なんでわかるんだよ！……オレさ、みんなの役に立ってんのかなって。レーザーくらいしか取り柄な"
     "いじゃん"},
    {Z,
     "……つまり、自分を小さく見積もりすぎです。あなたが笑うと、みんなが笑います。立派な取り柄です"
     "よ"},
};

// --- Bed visits: an advance, and embarrassment -------------------------------

constexpr SceneBeat kBedArashiRuru[] = {
    {R, "……ん、嵐？どうしたの、こんな夜中に。寝床、まちがえちゃった？"},
    {A, "……間違えてない。お前、うなされてた。手、握っててやる。朝までだ"},
    kBlushOfPartner,
    {R, "……うん。えへへ、嵐の手、大きいね。こうしてると、もう怖い夢なんて見ない気がするよ"},
};
constexpr SceneBeat kBedSparkRuru[] = {
    {R, "ひゃっ！？……スパーク？びっくりした……。どうしたの、そんなに顔を真っ赤にして"},
    {S,
     "べ、別に！寒そうだったから毛布持ってきただけだし！……ルルの隣、ちょっとだけ、いてもいいか？"},
    kBlushOfPartner,
    {R, "……うん、いいよ。えへへ、なんだかわたしまで顔が熱くなってきちゃった。……おやすみ、スパーク"},
};
constexpr SceneBeat kBedZankyouRuru[] = {
    {Z,
     "ルルさん、起きていますか？……眠れなくて、つい来てしまいました。少しだけ、隣にお邪魔しても？"},
    {R, "残響さんが？めずらしいね。うん、どうぞ。……えへへ、お姉ちゃんと一緒に寝てるみたい"},
    {Z, "ふふ。では今夜は姉らしく、子守唄の代わりに古い本のお話をひとつ。……むかしむかし、海の底に"},
};
constexpr SceneBeat kBedRuruArashi[] = {
    {R, "嵐、起きてる？……えへへ、来ちゃった。ひとりだと波の音が大きくて、眠れないんだもん"},
    {A, "……仕方ないな。ほら、こっち来い。毛布は半分だ。寝相が悪かったら叩き出すぞ"},
    kBlushOfSelf,
    {R,
     "う、うん……。嵐の背中、あったかいね。……あれ、なんだか急にどきどきしてきちゃった。どうしよう"},
};
constexpr SceneBeat kBedSparkArashi[] = {
    {A, "……スパーク。人の寝床に潜りこんで、何のつもりだ、坊主"},
    {S, "いいじゃんかよ！オレ、嵐のこと兄ちゃんみたいに思ってんだ。……今夜だけ、隣で寝かせてくれよ"},
    kBlushOfPartner,
    {A,
     "……っ。急に何を言いだすんだ、お前は。……まあな。今夜だけだぞ。いびきをかいたら蹴り出すからな"},
};
constexpr SceneBeat kBedZankyouArashi[] = {
    {Z,
     "嵐さん、失礼します。……脱出の計画を考えていたら眠れなくて。続きは、隣でお話ししてもいいですか"
     "？"},
    kBlushOfPartner,
    {A, "……と、隣でって、お前……。いや、いい。計画の話なら、聞く。……少し、近いぞ"},
    {Z,
     "ふふ、嵐さんも赤くなるのですね。新しい発見です。……今夜のことは、記憶の一番奥にしまっておきま"
     "す"},
};
constexpr SceneBeat kBedRuruSpark[] = {
    {S, "うわっ！？ル、ルル！？なんでオレの寝床にいるんだよ！"},
    {R,
     "しーっ、みんな起きちゃうよ。えへへ、今日いっぱい助けてくれたから、お礼が言いたくて。ありがと"
     "う、スパーク"},
    kBlushOfPartner,
    {S, "べ、別に礼なんていらねえし！……でも、その、もうちょっとだけ、ここにいてくれても、いいぜ"},
};
constexpr SceneBeat kBedArashiSpark[] = {
    {S, "……ん？嵐？なんだよ、夜中に人の寝床のぞきこんで。まさか、寝顔でも見に来たのかよ"},
    {A,
     "……毛布、蹴飛ばしてたぞ。風邪をひかれると俺が困る。ほら、かけとけ。お前は大事な仲間だからな"},
    kBlushOfPartner,
    {S, "な、なんだよ急に……。べ、別に、うれしくなんかねえからな！……でも、ありがとな、嵐"},
};
constexpr SceneBeat kBedZankyouSpark[] = {
    {Z,
     "スパークくん、まだ起きていますね？……実は私、真っ暗な夜が少しだけ苦手なのです。隣にいてもいい"
     "ですか？"},
    {S,
     "センセイが！？へへっ、しょうがねえなあ！オレがいれば大丈夫だって！ほら、手、つないでてやるよ"
     "！"},
    kBlushOfSelf,
    {Z,
     "……あら。守られるのは、思っていたより照れるものですね。本には書いてありませんでした。……おやす"
     "みなさい"},
};
constexpr SceneBeat kBedRuruZankyou[] = {
    {Z, "ルルさん？……こんな夜更けに、どうしました。怖い夢でも見たのですか？"},
    {R,
     "ううん、ちがうの。残響さん、いつも一人で遅くまで起きてるから……。今夜は、わたしが隣にいてあげ"
     "たくて"},
    {Z,
     "……ふふ、参りましたね。守るつもりが、守られてしまいました。では今夜だけ、甘えさせてもらいます"
     "ね"},
};
constexpr SceneBeat kBedArashiZankyou[] = {
    {Z, "嵐さん？……寝床を間違えたのでは、ありませんよね。何か、ご用でしょうか"},
    {A, "……寒いと言ってたろ。毛皮、余ってた。一枚、二枚、三枚。……一枚は、お前のだ"},
    kBlushOfPartner,
    {Z,
     "……まあ。わざわざ、私のために？……ふふ、困りました。顔が熱くて、しばらく眠れそうにありません"},
};
constexpr SceneBeat kBedSparkZankyou[] = {
    {S,
     "センセイ、起きてる？……へへっ、眠れねえからさ、なんか話してくれよ。センセイの話、聞いてると落"
     "ち着くんだ"},
    {Z,
     "ふふ、仕方のない生徒ですね。では、星と潮のお話を。……途中で寝てしまっても、続きは明日してあげ"
     "ますよ"},
    {S, "やった！……なあセンセイ、この島を出ても、ずっとオレのセンセイでいてくれよな。約束だぜ！"},
};

using W = NightActivity;
constexpr std::array<NightScene, 24> kScenes = {{
    {A, R, W::Walk, kWalkArashiRuru},       {S, R, W::Walk, kWalkSparkRuru},
    {Z, R, W::Walk, kWalkZankyouRuru},      {R, A, W::Walk, kWalkRuruArashi},
    {S, A, W::Walk, kWalkSparkArashi},      {Z, A, W::Walk, kWalkZankyouArashi},
    {R, S, W::Walk, kWalkRuruSpark},        {A, S, W::Walk, kWalkArashiSpark},
    {Z, S, W::Walk, kWalkZankyouSpark},     {R, Z, W::Walk, kWalkRuruZankyou},
    {A, Z, W::Walk, kWalkArashiZankyou},    {S, Z, W::Walk, kWalkSparkZankyou},
    {A, R, W::BedVisit, kBedArashiRuru},    {S, R, W::BedVisit, kBedSparkRuru},
    {Z, R, W::BedVisit, kBedZankyouRuru},   {R, A, W::BedVisit, kBedRuruArashi},
    {S, A, W::BedVisit, kBedSparkArashi},   {Z, A, W::BedVisit, kBedZankyouArashi},
    {R, S, W::BedVisit, kBedRuruSpark},     {A, S, W::BedVisit, kBedArashiSpark},
    {Z, S, W::BedVisit, kBedZankyouSpark},  {R, Z, W::BedVisit, kBedRuruZankyou},
    {A, Z, W::BedVisit, kBedArashiZankyou}, {S, Z, W::BedVisit, kBedSparkZankyou},
}};

}  // namespace

std::span<const NightScene> nightScenes() {
    return kScenes;
}

const NightScene* findNightScene(int current, int partner, NightActivity activity) {
    for (const NightScene& s : kScenes)
        if (s.current == current && s.partner == partner && s.activity == activity) return &s;
    return nullptr;
}

}  // namespace kotou::companions
