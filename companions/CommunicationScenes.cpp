#include "companions/CommunicationScenes.h"

#include <array>

namespace kotou::companions {
namespace {

constexpr int R = 1;  // ルル
constexpr int A = 2;  // 嵐
constexpr int S = 3;  // スパーク
constexpr int Z = 4;  // 残響
constexpr SceneBeat kBlushOfPartner{kBlushPartner, nullptr};
constexpr SceneBeat kBlushOfSelf{kBlushSelf, nullptr};

// The story phase from which スパーク calls 嵐 アニキ (the chapter of their
// night talk); the scenes between the two have a variant from then on.
constexpr int kBrothers = 13;

// --- Night walks: confidences under the night sky ---------------------------

constexpr SceneBeat kWalkArashiRuru[] = {
    {A, "……星が多いな。ルル、寒くないか。ほら、俺の上着だ。着てろ"},
    kBlushOfPartner,
    {R, "えへへ、あったかい……。ねえ嵐、もう少しだけ、こうして並んで歩いててもいいかな？"},
};
constexpr SceneBeat kWalkSparkRuru[] = {
    {S,
     "見てろよ、ルル！　あの一番光ってる星に、オレが名前つけてやる！　……ルル星！　どうだ、すっげー"
     "だろ！"},
    {R,
     "えへへ、なにそれ。でも、うれしいな。じゃあ隣の小さい星はスパーク星だね。いつもいっしょに光っ"
     "てるもん"},
};
constexpr SceneBeat kWalkZankyouRuru[] = {
    {Z,
     "ルルさん、あの星の並びを、古い本では帰り道の灯と呼びます。……つまり、船乗りが家を思い出す星で"
     "す"},
    {R,
     "帰り道の灯……。わたしね、ときどき港町を思い出して、少しだけ泣いちゃうんだ。みんなには、ないし"
     "ょだよ？"},
    {Z,
     "ふふ、もう聞いてしまいました。泣きたい夜は、私の隣で泣いてください。姉のようなものだと思って"
     "、ね"},
};
constexpr SceneBeat kWalkRuruArashi[] = {
    {R,
     "波の音、きれいだね。……ねえ嵐、火の番をしてる時って、いつも何を考えてるの？　ずっと聞いてみた"
     "かったんだ"},
    {A,
     "……材木があと何本、つるがあと何束。数えてると落ち着く。……あとは、お前が明日も笑ってるか、だ"
     "な"},
};
constexpr SceneBeat kWalkSparkArashi[] = {
    {S,
     "なあ、夜の海ってちょっと不気味じゃねえか？　……べ、別にオレが怖いって言ってるわけじゃねえから"
     "な！"},
    {A, "……まあな。俺も怖い。だから二人で歩いてる。坊主、黙って隣にいろ。それで十分だ"},
};
constexpr SceneBeat kWalkSparkArashiLater[] = {
    {S, "アニキ、夜の海って吸いこまれそうだよな。……あの軍船も、この暗がりのどっかにいるんだろ"},
    {A, "……ああ。だが、こっちには俺とお前がいる。見張りは、二人のほうがよく見える"},
};
constexpr SceneBeat kWalkZankyouArashi[] = {
    {Z,
     "嵐さん、月の位置から潮の満ち引きがわかるのですよ。……つまり、この島を出る日も、空が教えてくれ"
     "るのです"},
    {A, "……そうか。なら、その日に間に合う舟を作っておく。空が決めた日に、置いていかれないようにな"},
};
constexpr SceneBeat kWalkRuruSpark[] = {
    {R,
     "スパーク、夜なのに連れ出してごめんね。ひとりで星を見てたら、急に誰かとお話ししたくなっちゃっ"
     "て"},
    {S,
     "へへっ、謝んなよ！　ルルに呼ばれたら、オレ、夜中だってどこだって行くって！　……あ、今のは、そ"
     "の、忘れてくれ！"},
};
constexpr SceneBeat kWalkArashiSpark[] = {
    {S, "そっちから散歩に誘うなんて珍しいじゃん！　なんだよ、オレに説教でもあんのか？"},
    {A, "……昼間、ノコギリの目立てをしたのはお前だろ。悪くない仕事だった。……それだけだ、坊主"},
};
constexpr SceneBeat kWalkArashiSparkLater[] = {
    {S, "アニキから誘ってくれるなんて、今夜は雪でも降るんじゃねえの？　へへっ、で、何の話だよ"},
    {A, "……昼間、斧の柄を付け直したのはお前だろ。いい仕事だった。……頼りにしてる、それだけだ"},
};
constexpr SceneBeat kWalkZankyouSpark[] = {
    {Z,
     "スパークくん、北の空に三つ並んだ星があるでしょう。古い航海記には、あれを頼りに時化の海を渡っ"
     "た子の話があるのです"},
    {S,
     "すっげー！　センセイ、その話もっと聞かせてくれよ！　オレもいつか、あの星を頼りに海を渡ってや"
     "るからな！"},
};
constexpr SceneBeat kWalkRuruZankyou[] = {
    {R,
     "残響さん、夜風が気持ちいいね。いつも本のお話ばっかりだけど、今夜は残響さんのこと、聞かせてほ"
     "しいな"},
    {Z,
     "私のこと、ですか？　……ふふ、困りましたね。物語よりずっと地味ですよ。でも、ルルさんにだけな"
     "ら"},
};
constexpr SceneBeat kWalkArashiZankyou[] = {
    {A, "……残響。お前の頭には、本が何冊入ってるんだ。重くないのか、そういうのは"},
    {Z,
     "重いですよ。ええ、とても。でも今夜、嵐さんが聞いてくれたので、ほんの少しだけ軽くなりました"},
};
constexpr SceneBeat kWalkSparkZankyou[] = {
    {Z,
     "スパークくんから散歩に誘ってくれるなんて、うれしいですね。何か、相談したいことがあるのでしょ"
     "う？"},
    {S,
     "な、なんでわかるんだよ！　……オレさ、みんなの役に立ってんのかなって。レーザーくらいしか取り柄"
     "ないじゃん"},
    {Z,
     "……つまり、自分を小さく見積もりすぎです。あなたが笑うと、みんなが笑います。立派な取り柄です"
     "よ"},
};

// --- Bed visits: an advance, and embarrassment -------------------------------

constexpr SceneBeat kBedArashiRuru[] = {
    {R, "……ん、嵐？　どうしたの、こんな夜中に。寝床、まちがえちゃった？"},
    {A, "……間違えてない。お前、うなされてた。手、握っててやる。朝までだ"},
    kBlushOfPartner,
    {R, "……うん。えへへ、嵐の手、大きいね。こうしてると、もう怖い夢なんて見ない気がするよ"},
};
constexpr SceneBeat kBedSparkRuru[] = {
    {R, "ひゃっ！？　……スパーク？　びっくりした……。どうしたの、そんなに顔を真っ赤にして"},
    {S,
     "べ、別に！　寒そうだったから毛布持ってきただけだし！　……ルルの隣、ちょっとだけ、いてもいいか"
     "？"},
    kBlushOfPartner,
    {R, "……うん、いいよ。えへへ、なんだかわたしまで顔が熱くなってきちゃった。……おやすみ、スパーク"},
};
constexpr SceneBeat kBedZankyouRuru[] = {
    {Z, "ルルさん、起きていますか？　……今夜は風の音が気になって。少しだけ、隣にお邪魔しても？"},
    {R, "残響さんが？　めずらしいね。うん、どうぞ。……えへへ、お姉ちゃんといっしょに寝てるみたい"},
    {Z,
     "ふふ。では今夜は姉らしく、子守歌の代わりに古いお話をひとつ。……むかしむかし、海の底に、歌の好"
     "きな竜がおりました"},
};
constexpr SceneBeat kBedRuruArashi[] = {
    {R, "嵐、起きてる？　……えへへ、来ちゃった。ひとりだと波の音が大きくて、落ち着かないんだもん"},
    {A, "……仕方ないな。ほら、こっち来い。毛布は半分だ。寝相が悪かったら叩き出すぞ"},
    kBlushOfSelf,
    {R,
     "う、うん……。嵐の背中、あったかいね。……あれ、なんだか急にどきどきしてきちゃった。どうしよう"},
};
constexpr SceneBeat kBedSparkArashi[] = {
    {A, "……スパーク。人の寝床に潜りこんで、何のつもりだ、坊主"},
    {S,
     "いいじゃんかよ！　……アンタ、口うるさいけど、兄ちゃんみたいなんだよ。今夜だけ、隣で寝かせてく"
     "れよ"},
    kBlushOfPartner,
    {A,
     "……っ。急に何を言いだすんだ、お前は。……仕方ない、今夜だけだぞ。いびきをかいたら蹴り出すから"
     "な"},
};
constexpr SceneBeat kBedSparkArashiLater[] = {
    {A, "……スパーク。また人の寝床に潜りこんで。今度は何だ"},
    {S, "いいじゃんかよ、アニキ！　アニキって呼んでんだから、弟分が隣で寝たっていいだろ"},
    kBlushOfPartner,
    {A, "……っ。勝手にしろ。……寝言でルルの名前を呼んだら、叩き起こすからな"},
};
constexpr SceneBeat kBedZankyouArashi[] = {
    {Z,
     "嵐さん、失礼します。……島を出る方法を考えていたら、目がさえてしまって。続きは、隣で考えてもい"
     "いですか？"},
    kBlushOfPartner,
    {A, "……と、隣でって、お前……。いや、いい。話なら、聞く。……少し、近いぞ"},
    {Z,
     "ふふ、嵐さんも赤くなるのですね。新しい発見です。……今夜のことは、記憶の一番奥にしまっておきま"
     "す"},
};
constexpr SceneBeat kBedRuruSpark[] = {
    {S, "……ん？　なんかいい匂い……って、ルル！？　い、いつからそこにいたんだよ！"},
    {R, "えへへ、さっきから。今日いっぱい助けてくれたから、お礼が言いたくて。ありがとう、スパーク"},
    kBlushOfPartner,
    {S, "べ、別に礼なんていらねえし！　……でも、その、もうちょっとだけ、ここにいてくれても、いいぜ"},
};
constexpr SceneBeat kBedArashiSpark[] = {
    {S, "……ん？　嵐？　なんだよ、夜中に人の寝床のぞきこんで。まさか、寝顔でも見に来たのかよ"},
    {A,
     "……毛布、蹴飛ばしてたぞ。風邪をひかれると俺が困る。ほら、かけとけ。お前も大事な仲間だからな"},
    kBlushOfPartner,
    {S, "な、なんだよ急に……。べ、別に、うれしくなんかねえからな！　……でも、ありがとな、嵐"},
};
constexpr SceneBeat kBedArashiSparkLater[] = {
    {S, "……ん？　アニキ？　どうしたんだよ、夜中に。……まさか、また見回りか？"},
    {A, "……毛布、蹴飛ばしてたぞ。お前が風邪をひいたら、誰が俺の背中を守る。ほら、かけとけ"},
    kBlushOfPartner,
    {S, "へへっ……。アニキにそう言われると、なんか照れるな。……ありがとな。おやすみ"},
};
constexpr SceneBeat kBedZankyouSpark[] = {
    {Z,
     "スパークくん、まだ起きていますね？　……実は私、真っ暗な夜が少しだけ苦手なのです。隣にいてもい"
     "いですか？"},
    {S,
     "センセイが！？　へへっ、しょうがねえなあ！　オレがいれば大丈夫だって！　ほら、手、つないでて"
     "やるよ！"},
    kBlushOfSelf,
    {Z,
     "……あら。守られるのは、思っていたより照れるものですね。本には書いてありませんでした。……おやす"
     "みなさい"},
};
constexpr SceneBeat kBedRuruZankyou[] = {
    {Z, "ルルさん？　……こんな夜更けに、どうしました。怖い夢でも見たのですか？"},
    {R,
     "ううん、ちがうの。残響さん、いつも一人で遅くまで起きてるから……。今夜は、わたしが隣にいてあげ"
     "たくて"},
    {Z,
     "……ふふ、参りましたね。守るつもりが、守られてしまいました。では今夜だけ、甘えさせてもらいます"
     "ね"},
};
constexpr SceneBeat kBedArashiZankyou[] = {
    {Z, "嵐さん？　……寝床を間違えたのでは、ありませんよね。何か、ご用でしょうか"},
    {A, "……寒いと言ってたろ。皮が余ってた。一枚、二枚、三枚。……一枚は、お前のだ"},
    kBlushOfPartner,
    {Z,
     "……まあ。わざわざ、私のために？　……ふふ、困りました。顔が熱くて、しばらく眠れそうにありませ"
     "ん"},
};
constexpr SceneBeat kBedSparkZankyou[] = {
    {S, "センセイ、起きてる？　……へへっ、なんか話してくれよ。センセイの話、聞いてると落ち着くんだ"},
    {Z,
     "ふふ、仕方のない生徒ですね。では、星と潮のお話を。……途中で寝てしまったら、続きはまた明日にし"
     "ましょう"},
    {S, "やった！　……なあセンセイ、この島を出ても、ずっとオレのセンセイでいてくれよな。約束だぜ！"},
};

using W = NightActivity;
constexpr std::array<NightScene, 28> kScenes = {{
    {A, R, W::Walk, kWalkArashiRuru},       {S, R, W::Walk, kWalkSparkRuru},
    {Z, R, W::Walk, kWalkZankyouRuru},      {R, A, W::Walk, kWalkRuruArashi},
    {S, A, W::Walk, kWalkSparkArashi},      {S, A, W::Walk, kWalkSparkArashiLater, kBrothers},
    {Z, A, W::Walk, kWalkZankyouArashi},    {R, S, W::Walk, kWalkRuruSpark},
    {A, S, W::Walk, kWalkArashiSpark},      {A, S, W::Walk, kWalkArashiSparkLater, kBrothers},
    {Z, S, W::Walk, kWalkZankyouSpark},     {R, Z, W::Walk, kWalkRuruZankyou},
    {A, Z, W::Walk, kWalkArashiZankyou},    {S, Z, W::Walk, kWalkSparkZankyou},
    {A, R, W::BedVisit, kBedArashiRuru},    {S, R, W::BedVisit, kBedSparkRuru},
    {Z, R, W::BedVisit, kBedZankyouRuru},   {R, A, W::BedVisit, kBedRuruArashi},
    {S, A, W::BedVisit, kBedSparkArashi},   {S, A, W::BedVisit, kBedSparkArashiLater, kBrothers},
    {Z, A, W::BedVisit, kBedZankyouArashi}, {R, S, W::BedVisit, kBedRuruSpark},
    {A, S, W::BedVisit, kBedArashiSpark},   {A, S, W::BedVisit, kBedArashiSparkLater, kBrothers},
    {Z, S, W::BedVisit, kBedZankyouSpark},  {R, Z, W::BedVisit, kBedRuruZankyou},
    {A, Z, W::BedVisit, kBedArashiZankyou}, {S, Z, W::BedVisit, kBedSparkZankyou},
}};

}  // namespace

std::span<const NightScene> nightScenes() {
    return kScenes;
}

const NightScene* findNightScene(int current, int partner, NightActivity activity, int storyPhase) {
    const NightScene* found = nullptr;
    for (const NightScene& s : kScenes)
        if (s.current == current && s.partner == partner && s.activity == activity &&
            s.fromPhase <= storyPhase && (found == nullptr || s.fromPhase > found->fromPhase))
            found = &s;
    return found;
}

}  // namespace kotou::companions
