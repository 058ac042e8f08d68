#include "shell/FormLayout.h"

#include <algorithm>
#include <initializer_list>
#include <string>
#include <unordered_map>

#include "shell/Availability.h"
#include "state/Version.h"

namespace kotou {
namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kGrey{192, 192, 192};
// Text colours that read on the panel pictures: a dark brown on the light
// ones, white on the dark ones.
constexpr Rgb kDarkInk{32, 20, 8};
constexpr Rgb kLightInk = kWhite;
// Group boxes laid on a light picture are dark insets with a white title.
constexpr Rgb kInset{36, 44, 72};

// Panel pictures (generated with the other assets). The command column's
// narrow panels use haikei2..5; the wide menus and the dialogs have pictures
// of their own size so that nothing is stretched out of shape.
constexpr const char* kWideMenuPicture = "cg/haikei6.jpg";  // meals, crafting, items
constexpr const char* kCompanyPicture = "cg/haikei7.jpg";   // study, talk, songs, escape, trader
constexpr const char* kTrainingPicture = "cg/haikei3.jpg";  // training and survival courses
constexpr const char* kChoicePicture = "cg/haikei8.jpg";    // the story's choices
constexpr const char* kNamePicture = "cg/haikei9.jpg";      // the island-name box

// Command-column panels and their narrow buttons.
constexpr int kPanelWidth = 125;
constexpr int kPanelHeight = 325;
constexpr int kButtonLeft = 6;
constexpr int kButtonWidth = 113;
constexpr int kButtonHeight = 25;
constexpr int kRowStep = 24;
// Panels whose buttons carry long requirement captions are wider.
constexpr int kWidePanelWidth = 505;
constexpr int kWideButtonWidth = 401;
// A button must be at least this high for the 13-pixel line of the window
// font to fit inside its frame.
constexpr int kMinButtonHeight = 15;
// The survival courses' captions ("アケローンコース（行動４０）") need a
// wider column than the other command panels.
constexpr int kSurvivalWidth = 161;

struct Entry {
    const char* name;
    const char* caption;
    bool visible = true;
};

class Builder {
  public:
    explicit Builder(FormModel& f) : f_(f) {}

    // The picture a panel draws as its background and the colour of the text
    // of the labels laid on it.
    void look(ComponentId panel, const char* picture, Rgb ink) {
        f_.setPicture(panel, picture);
        ink_[panel] = ink;
    }

    ComponentId add(const char* name, ComponentId parent, Kind kind, int l, int t, int w, int h,
                    std::string caption = {}, bool visible = true) {
        Component c;
        c.name = name;
        c.parent = parent;
        c.kind = kind;
        c.left = l;
        c.top = t;
        c.width = w;
        c.height = h;
        c.caption = std::move(caption);
        c.visible = visible;
        return f_.add(std::move(c));
    }

    ComponentId panel(const char* name, int l, int t, int w, int h, bool visible = false,
                      std::string caption = {}, ComponentId parent = kNoComponent) {
        return add(name, parent, Kind::Panel, l, t, w, h, std::move(caption), visible);
    }
    // A command-column panel at the command panel's place.
    ComponentId column(const char* name, int w = kPanelWidth, int h = kPanelHeight) {
        return panel(name, kCommandLeft, kCommandTop, w, h);
    }

    ComponentId image(const char* name, ComponentId parent, int l, int t, int w, int h,
                      const char* picture = "", bool stretch = true, bool visible = true) {
        Component c;
        c.name = name;
        c.parent = parent;
        c.kind = Kind::Image;
        c.left = l;
        c.top = t;
        c.width = w;
        c.height = h;
        c.visible = visible;
        c.picture = picture;
        c.stretch = stretch;
        return f_.add(std::move(c));
    }
    // The stretched background picture that fills a panel, as a picture
    // component of its own (the panels whose pictures the game loads by name).
    void background(const char* name, ComponentId panel, const char* picture, Rgb ink) {
        const Component& p = f_.at(panel);
        image(name, panel, 0, 0, p.width, p.height, picture, true);
        ink_[panel] = ink;
    }

    // A label in the ink of its panel.
    ComponentId label(const char* name, ComponentId parent, int l, int t, int w, int h,
                      std::string caption = {}, bool visible = true) {
        const ComponentId id =
            add(name, parent, Kind::Label, l, t, w, h, std::move(caption), visible);
        if (auto it = ink_.find(parent); it != ink_.end()) f_.setFontColor(id, it->second);
        return id;
    }

    ComponentId button(const char* name, ComponentId parent, int l, int t, int w, int h,
                       std::string caption, bool visible = true) {
        return add(name, parent, Kind::Button, l, t, w, h, std::move(caption), visible);
    }

    void fill(ComponentId label) { f_.setFilled(label, true); }
    void autoSize(ComponentId label) { f_.setAutoSize(label, true); }

    // Buttons one under the other.
    void stack(ComponentId parent, std::initializer_list<Entry> entries, int left, int top,
               int step, int w, int h) {
        int y = top;
        for (const Entry& e : entries) {
            button(e.name, parent, left, y, w, h, e.caption, e.visible);
            y += step;
        }
    }
    // Narrow command-column buttons stacked 24 pixels apart from the top.
    void narrow(ComponentId parent, std::initializer_list<Entry> entries, int top = 4) {
        stack(parent, entries, kButtonLeft, top, kRowStep, kButtonWidth, kButtonHeight);
    }
    // Requirement buttons of a wide panel: one column under a heading, packed so
    // that the whole list fits above the bottom edge (the longest, twenty
    // facilities, at the least button height); the back button sits at the
    // bottom right.
    void wide(ComponentId parent, const char* heading, const char* headingText,
              std::initializer_list<Entry> entries, const char* back) {
        label(heading, parent, 4, 4, kWidePanelWidth - 8, 14, headingText);
        constexpr int kTop = 20;
        const int n = static_cast<int>(entries.size());
        const int room = kPanelHeight - kTop - 3;
        const int step = n > 0 && room / n < 17 ? std::max(room / n, kMinButtonHeight) : 17;
        stack(parent, entries, 4, kTop, step, kWideButtonWidth, step);
        button(back, parent, kWideButtonWidth + 8, kPanelHeight - 33, 89, kButtonHeight, "戻る");
    }
    // The back button at the bottom of a narrow panel.
    void back(const char* name, ComponentId parent) {
        button(name, parent, kButtonLeft, kPanelHeight - 33, kButtonWidth, kButtonHeight, "戻る");
    }

    FormModel& form() { return f_; }

  private:
    FormModel& f_;
    std::unordered_map<ComponentId, Rgb> ink_;
};

void buildStatusColumn(Builder& b) {
    struct Row {
        const char* gauge;
        const char* caption;  // name of the caption label
        const char* text;
        const char* number;
    };
    static constexpr Row kRows[] = {
        {"koudou_l", "koudou_cap", "行動力", "koudou_l2"},
        {"hp_l", "hp_l3", "体力", "hp_l2"},
        {"str_l", "str_cap", "腕力", "str_l2"},
        {"dex_l", "dex_cap", "器用さ", "dex_l2"},
        {"cook_l", "cook_cap", "料理", "cook_l2"},
        {"eisei_l", "eisei_cap", "衛生", "eisei_l2"},
        {"beni_l", "beni_cap", "便意", "beni_l2"},
        {"stress_l", "stress_cap", "ストレス", "stress_l2"},
        {"himan_l", "himan_cap", "肥満", "himan_l2"},
        {"syokubutu_l", "syokubutu_cap", "植物学", "syokubutu_l2"},
        {"doubutu_l", "doubutu_cap", "動物学", "doubutu_l2"},
        {"tiri_l", "tiri_cap", "地理学", "tiri_l2"},
        {"pp_l", "pp_cap", "ファントム", "pp_l2"},
    };
    FormModel& f = b.form();
    int y = 4;
    for (const Row& r : kRows) {
        // A caption line as high as the font's line (13 pixels), the gauge under it.
        const ComponentId cap = b.label(r.caption, kNoComponent, 4, y, 64, 13, r.text);
        const ComponentId num = b.label(r.number, kNoComponent, 68, y, 49, 13, "0");
        const ComponentId g = b.add(r.gauge, kNoComponent, Kind::Gauge, 4, y + 13, 113, 9);
        f.setFontColor(cap, kWhite);
        f.setFontColor(num, kWhite);
        f.setColor(g, {255, 0, 0});
        y += kRowStep;
    }
    // y is now 316: conditions, name, level and day fill the rest above the message.
    f.setFontColor(b.label("turn_name_l", kNoComponent, 4, y + 2, 56, 13), kWhite);
    f.setFontColor(b.label("lv_l", kNoComponent, 4, y + 17, 56, 13), kWhite);
    b.image("ill_l", kNoComponent, 64, y, 25, 25, "cg/ill.jpg", true, false);
    b.image("poison_l", kNoComponent, 92, y, 25, 25, "cg/poison.jpg", true, false);
    f.setFontColor(b.label("day_l", kNoComponent, 4, y + 31, 117, 13), kWhite);
}

void buildCommandPanel(Builder& b) {
    const ComponentId com = b.column("com_box");
    b.background("bak_cg_com", com, "cg/haikei5.jpg", kDarkInk);
    struct Slot {
        int top;
        const char* name;
        const char* caption;
    };
    // Three slots hold two buttons; the later one is added later and lies on top.
    static constexpr Slot kSlots[] = {
        {4, "BitBtn1", "探索"},
        {28, "BitBtn2", "食事"},
        {52, "BitBtn3", "製作"},
        {76, "bath_b", "お風呂（行動３）"},
        {100, "toile_b", "トイレ（行動２）"},
        {124, "kunren_b", "訓練"},
        {124, "svival_b", "サバイバル"},
        {148, "study_b", "勉強"},
        {172, "cominu_b", "コミュニケーション"},
        {196, "dassyutu_b", "脱出計画"},
        {196, "kanbyou_b", "看病"},
        {220, "mara_b", "マーラー（行動２）"},
        {220, "kyuujyo_b", "救助"},
        {244, "BitBtn35", "アイテム"},
        {268, "BitBtn20", "セーブ（行動３）"},
        {292, "BitBtn5", "寝る（ターンエンド）"},
    };
    for (const Slot& s : kSlots)
        b.button(s.name, com, kButtonLeft, s.top, kButtonWidth, kButtonHeight, s.caption);
}

void buildStrandedAndExploration(Builder& b) {
    const ComponentId sounan = b.column("sounan_box");
    b.background("bak_cg3", sounan, "cg/haikei2.jpg", kDarkInk);
    b.label("sounan_head", sounan, 6, 4, 113, 14, "◆　遭難中　◆");
    b.label("sounan_l", sounan, 6, 22, 113, 14);
    b.narrow(sounan,
             {{"BitBtn8", "探索（行動３）"},
              {"BitBtn10", "助けを呼ぶ"},
              {"BitBtn41", "セーブ（行動３）"},
              {"BitBtn16", "寝る（ターンエンド）"}},
             44);

    const ComponentId tansaku = b.column("tansaku_box");
    b.background("bak_cg2", tansaku, "cg/haikei2.jpg", kDarkInk);
    b.narrow(tansaku, {{"hayasi_b", "林（行動３）"},
                       {"hamabe_b", "浜辺（行動２地理３）"},
                       {"umi_b", "海（行動５地理７）"},
                       {"doukutu_b", "洞窟(行動4地理11)"},
                       {"jungle_b", "ｼﾞｬﾝｸﾞﾙ(行6地25)"},
                       {"mizuumi_b", "湖(行動３地理18)"},
                       {"gake_b", "崖(行7地32腕力22)"}});
    b.back("BitBtn4", tansaku);

    const ComponentId kyuujyo = b.column("kyuujyo_box");
    b.background("bak_cg_who2", kyuujyo, "cg/haikei4.jpg", kDarkInk);
    b.label("kyuujyo_head", kyuujyo, 6, 4, 113, 14, "□誰を救助しますか");
    b.narrow(kyuujyo,
             {{"kyu_ruru_b", "ルル", false},
              {"kyu_arashi_b", "嵐", false},
              {"kyu_spark_b", "スパーク", false},
              {"kyu_zankyou_b", "残響", false}},
             28);
    b.back("BitBtn43", kyuujyo);
}

void buildMeals(Builder& b) {
    const ComponentId cook = b.column("cook_box");
    b.background("box_cg1", cook, "cg/haikei2.jpg", kDarkInk);
    b.narrow(cook,
             {{"BitBtn6", "デザート"}, {"uminosati_b", "海の幸"}, {"yamanosati_b", "山の幸"}});
    b.back("BitBtn13", cook);

    const ComponentId desert = b.column("desert_box", kWidePanelWidth);
    b.look(desert, kWideMenuPicture, kDarkInk);
    b.wide(desert, "desert_head", "何を食べますか？材料の揃っているメニューのみ表示されます",
           {{"hinomi_b", "火の実"},
            {"ringo_b", "りんご"},
            {"fusimi_b", "不思実"},
            {"kurokimi_b", "黒き実"},
            {"nanatumi_b", "七つ実"},
            {"kyuui_b", "キュウイ"},
            {"water_b", "水"},
            {"kibou_b", "希望のデザート（要：火の実１不思実２黒き実１七つ実２　　　　　　）"},
            {"risou_b", "理想のデザート（要：緑キノコ１不思実３黒き実２七つ実３・料理　５）"},
            {"kiken_b", "危険なデザート（要：動くキノコ３黒き実５木蛇３　　　　・料理１５）"},
            {"kirameku_b", "煌くデザート　（要：巨大キノコ９青い鳥１かっぱ１　　　・料理２５）"},
            {"kinoko_b", "キノコスープ　（要：緑のキノコ５動くキノコ５水５　　　・料理１２）"},
            {"mixjuce_b", "ＭＩＸジュース（要：七つ実３緑のキノコ３水３　　　　　・料理　３）"},
            {"cake_b", "ケーキ　　　　（要：緑のキノコ２不思実２さとう３　　　・料理２０）"},
            {"harbtea_b", "ハーブティ　　（要：ハーブ３さとう２水２　　　　　　　・料理２４）"},
            {"kudamono_b", "くだもの盛合せ（要：火の実５りんご２　・料理　３）"},
            {"kinoko_b2", "キノコの盛合せ（要：緑のキノコ１動くキノコ１巨大キノコ１・料理６）"}},
           "BitBtn12");

    const ComponentId umi = b.column("uminosati_box", kWidePanelWidth);
    b.look(umi, kWideMenuPicture, kDarkInk);
    b.wide(umi, "uminosati_head", "何を食べますか？材料の揃っているメニューのみ表示されます",
           {{"kaisou_b", "海藻の干し物（要：海藻４　　　　・料理　１　　　　）"},
            {"nibosi_b", "にぼし　　　（要：小魚３　　　　・料理　３・行動１）"},
            {"yakisakana_b", "焼き魚　　　（要：フナ１タイ１　・料理１０・行動２）"},
            {"kaisoucook_b", "海鮮料理　　（要：タイ２海藻４　・料理１２・行動２）"},
            {"kogani_b", "小カニの煮物（要：小カニ３　　　　　　　　　　　　）"},
            {"hamabenosati_b", "浜辺の幸　　（要：貝２小カニ１　　　　　　　　　　）"},
            {"tainosasimi_b", "タイの刺身　（要：タイ４　　　　・料理　６　　　　）"},
            {"ningyo_b", "人魚の姿煮　（要：人魚１さとう３・料理１５・行動３）"}},
           "BitBtn7");

    const ComponentId yama = b.column("yamanosati_box", kWidePanelWidth);
    b.look(yama, kWideMenuPicture, kDarkInk);
    b.wide(
        yama, "yamanosati_head", "何を食べますか？材料の揃っているメニューのみ表示されます",
        {{"nikuc_b", "肉料理Ｃ　　（要：ピンク兎４　　　　　　　　　・料理　５行動　４）"},
         {"nikub_b", "肉料理Ｂ　　（要：ピンク兎３・パーセウルフ３　・料理１５行動　９）"},
         {"nikua_b", "肉料理Ａ　　（要：黒虎３・パーセウルフ３　　　・料理２０行動１０）"},
         {"nikus_b", "肉料理Ｓ　　（要：巨人３・人魚２・ピンク兎２　・料理３０行動２０）"},
         {"nikusp_b", "肉料理ＳＰ　（要：巨人３・人食い魚２・黒虎３　・料理３０行動２０）"},
         {"sansai_b", "山菜　　　　（要：草２葉っぱ３　　　　　　　　・料理　４行動　３）"},
         {"kusa_b", "草の石焼き　（要：草３石３　　　　　　　　　　・料理　１　　　　）"},
         {"hebi_b", "ヘビの丸焼き（要：トカゲ１木蛇１しお２　　　　・料理１０　　　　）"},
         {"kyodaigohan_b", "巨大ご飯　　（要：巨人１巨大なキノコ２さとう３・料理２０行動　４）"}},
        "BitBtn11");
}

void buildCrafting(Builder& b) {
    const ComponentId seisaku = b.column("seisaku_box");
    b.background("bak_cg4", seisaku, "cg/haikei2.jpg", kDarkInk);
    b.narrow(seisaku, {{"BitBtn29", "施設の製作（行１０）"},
                       {"BitBtn30", "ｱｲﾃﾑ製作Ａ（行２）"},
                       {"BitBtn14", "ｱｲﾃﾑ製作Ｂ（行２）"},
                       {"BitBtn31", "素材の製作（２）"},
                       {"kousaku_b", "工作（行動２）"},
                       {"organ_b", "ｵﾙｶﾞﾝの音楽屋(5)"}});
    b.back("BitBtn32", seisaku);

    const ComponentId sisetu = b.column("sisetu_box", kWidePanelWidth);
    b.look(sisetu, kWideMenuPicture, kDarkInk);
    b.wide(sisetu, "sisetu_head", "□施設の製作・何を製作しますか？（材料が揃えば製作できます）",
           {{"tento_b", "テント　　　（要：枝２漂流物７葉っぱ５・器用１０腕力　４）"},
            {"koya_b", "小屋　　　　（要：材木３流木５葉っぱ９・器用２３腕力１０）"},
            {"ikkenya_b", "一軒家　　　（要：材木９鉄４石９　　　・器用３０腕力３０）"},
            {"kamado_b", "かまど　　　（要：石３火炎石３泥３　　・器用　５腕力　３）"},
            {"kanitoile_b", "簡易トイレ　（要：石３貝２　　　　　　・器用　２腕力　３）"},
            {"midtoile_b", "中級トイレ　（要：石６火炎石６流木３　・器用１５腕力１０）"},
            {"hightoile_b", "高級トイレ　（要：石９材木６泥６皮３　・器用２５腕力２０）"},
            {"nebukuro_b", "寝袋　　　　（要：葉っぱ９つる２貝２　・器用　６腕力　１）"},
            {"syawaa_b", "シャワー　　（要：石３枝９葉っぱ３　　・器用１６腕力１０）"},
            {"drumhuro_b", "ドラム缶風呂（要：石８火炎石５漂流物８・器用２８腕力２１）"},
            {"suidou_b", "水道　　　　（要：漂流物９海水２０水９・器用１０腕力　８）"},
            {"sokusekisyawaa_b", "即席シャワー（要：石２枝１　　　　　　　　　　　　　　　）"},
            {"sokusekitoile_b", "即席トイレ　（要：石２　　　　　　　　　　　　　　　　　）"},
            {"syuukaijyou_b", "集会場　　　（要：石５枝３　　　　　　・器用　１腕力　１）"},
            {"kunrenjyou_b", "訓練場　　　（要：石３葉っぱ３　　　　・器用　２　　　　）"},
            {"kanisyawaa_b", "簡易シャワー（要：海水５枝５漂流物５　・器用１２腕力　５）"},
            {"asobiba_b", "遊び場　　　（要：枝３葉っぱ５つる５　・器用　４腕力　４）"},
            {"bed_b", "ベッド　　　（要：枝５太陽の石１　　　・器用１５腕力　８）"},
            {"tougi_b", "闘技場　　　（要：鉄１黒き実２０　　　・器用　５腕力　５）"},
            {"chosui_b", "貯水池　　　（要：水１０海水２０雨石１・器用２０腕力　５）"}},
           "BitBtn15");

    const ComponentId itemA = b.column("item_seisaku_box", kWidePanelWidth);
    b.look(itemA, kWideMenuPicture, kDarkInk);
    b.wide(itemA, "item_seisaku_head", "□アイテムＡの製作・何を製作しますか？",
           {{"turi_b", "釣具　　　　（要：骨１枝１　　　　　・器用　１）"},
            {"ami_b", "網　　　　　（要：つる１５　　　　　・器用１３）"},
            {"boat_b", "ボート　　　（要：つる５材木１流木２・器用２１）"},
            {"hiokosiki_b", "火起こし器　（要：枝２　　　　　　　・器用　３）"},
            {"hari_b", "針　　　　　（要：骨２　　　　　　　・器用　８）"},
            {"ono_b", "斧　　　　　（要：石１枝１つる１　　・器用　５）"},
            {"nokogiri_b", "ノコギリ　　（要：黒曜石２骨２　　　・器用　９）"},
            {"baketu_b", "バケツ　　　（要：つる３漂流物３　　・器用　６）"},
            {"kago_b", "カゴ　　　　（要：つる９　　　　　　・器用１１）"},
            {"ryukku_b", "リュック　　（要：つる８皮８　　　　・器用３２）"},
            {"naifu_b", "ナイフ　　　（要：黒曜石１骨１　　　・器用　６）"},
            {"gun_b", "銃　（要：火炎石１８火の実９漂流物８・器用４３）"},
            {"ranpu_b", "ランプ　　　（要：火の実５漂流物１　・器用　３）"},
            {"nabe_b", "なべ　　　　（要：葉っぱ１漂流物１　・器用　１）"},
            {"sekken_b", "石鹸　　　　（要：貝１漂流物１　　　　　　　　）"},
            {"tukue_b", "机　　　　　（要：枝５　　　　　　　　　　　　）"},
            {"old_radio_b", "古びたラジオ（要：漂流物１０　　　　　　　　　）"},
            {"new_radio_b", "ラジオの改良（要：漂流物５０　　　　　　　　　）"}},
           "BitBtn17");

    const ComponentId itemB = b.column("item_seisaku2_box", kWidePanelWidth);
    b.look(itemB, kWideMenuPicture, kDarkInk);
    b.wide(itemB, "item_seisaku2_head", "□アイテムＢの製作・何を製作しますか？",
           {{"yoroi_b", "鎧　　　　　（要：鉄２　　　　　　　・器用　８）"},
            {"kawanoyoroi_b", "皮の鎧　　　（要：鉄２皮５　　　　　・器用１６）"},
            {"tetunoyoroi_b", "鉄の鎧　　（要：鉄３魔法石５太陽石５・器用３０）"},
            {"ken_b", "剣　　　　　（要：宝石４煌く時の砂３・器用　６）"},
            {"bigken_b", "大剣　　　　（要：宝石６煌く時の砂６・器用３３）"},
            {"deba_b", "でば包丁　　（要：石５　　　　　　　・器用　２）"},
            {"nikugiri_b", "肉きり包丁　（要：石６黒き実１　　　・器用　５）"},
            {"bigkago_b", "大きなカゴ　（要：雫７黒曜石１５骨５・器用２８）"},
            {"bigbaketu_b", "大きなバケツ（要：雫５漂流物５０骨６・器用１８）"},
            {"bigami_b", "大きな網　　（要：雫６葉っぱ５０骨６・器用２５）"},
            {"bessatu_b", "別冊百科辞典（要：ヒカリゴケ１タイ１　　　　　）"},
            {"syokuzai_b", "食材百科辞典（要：不思実２　　　　　　　　　　）"},
            {"sizai_b", "資材百科辞典（要：つる１枝３　　　　　　　　　）"},
            {"magicbook_b", "魔術書　　（要：魔法石４煌く時の砂２・器用　８）"},
            {"magicbook2_b", "上級魔術書（要：魔法石８月の影５　　・器用１６）"},
            {"sinpi_b", "神秘学書　（要：太陽石４煌く時の砂４・器用１８）"}},
           "BitBtn37");

    const ComponentId sozai = b.column("sozai_box", kWidePanelWidth);
    b.look(sozai, kWideMenuPicture, kDarkInk);
    b.wide(sozai, "sozai_head", "□素材・本の製作・何を製作しますか？",
           {{"sio_b", "しお　　　（要・海水１０　　　　　　　　　・器用　５　料理　９）"},
            {"satou_b", "さとう　　（要・不思実１０　　　　　　　　・器用１８　料理２６）"},
            {"harb_b", "ハーブ　　（要・草１０　　　　　　　　　　・器用１１植物学３０）"},
            {"yakusou_b", "薬草　　　（要・草５葉っぱ５ヒカリゴケ２　・器用１５植物学３９）"},
            {"dokukesisou_b", "毒消し草　（要・草５葉っぱ４黒き実５　　　・器用１０植物学１０）"},
            {"hanakazari_b", "花飾り　　（要・草５葉っぱ３つる３貝１　　・器用　５植物学　５）"},
            {"tetu_b", "鉄　　　　（要・宝石１月の影１煌く時の砂１・器用　６　　　　　）"},
            {"gezai_b", "下剤　　　（要・ヒカリゴケ２木蛇２トカゲ２・器用１０植物学　３）"},
            {"kousui_b", "香水　　　（要・葉っぱ５　　　　　　　　　・器用　２植物学　１）"},
            {"hosikuzu_b", "星屑の香水（要・ハーブ３太陽石１トカゲ１　・器用　１植物学２１）"},
            {"seisin_b", "精神安定剤（要・太陽石１雨石１トカゲ３　　・器用１１植物学１６）"},
            {"syouka_b", "消火用の水（要・海水３葉っぱ３キュウイ３　　器用　１　　　　　）"},
            {"hozon_b", "保存用の水（要・水５海水１０　　　　　　　・器用　１　　　　　）"},
            {"hozonsyoku_b", "保存食　　（要・木蛇３トカゲ３煌く時の砂１・器用　１植物学　５）"},
            {"yobou_b", "予防注射　（要・ヒカリゴケ１葉っぱ２０　  ・器用　１植物学１０）"}},
           "BitBtn19");

    const ComponentId kousaku = b.column("kousaku_box", kWidePanelWidth);
    b.look(kousaku, kWideMenuPicture, kDarkInk);
    b.wide(kousaku, "kousaku_head", "□工作・何を製作しますか？（※製作可能なもののみ表示されます）",
           {{"isidoll_b", "石人形　　　　（要・石３　　　　　　　　　　　　）"},
            {"toy_house_b", "おもちゃの家　（要・枝５葉っぱ２石５　・器用　５）"},
            {"toy_chair_b", "おもちゃの椅子（要・枝４つる１　　　　　　　　　）"},
            {"toy_desk_b", "おもちゃの机　（要・枝４つる１貝３　　・器用　３）"},
            {"toy_car_b", "おもちゃの車　（要・枝８つる５骨３石３・器用　８）"},
            {"wooddoll_b", "木の人形　　　（要・枝５つる３　　　　　　　　　）"},
            {"kai_b", "貝のペンダント（要・貝２　　　　　　　　　　　　）"},
            {"happa_b", "葉っぱ船　　　（要・葉っぱ３　　　　　　　　　　）"},
            {"kibori_bird_b", "木彫りの鳥　　（要・枝５　　　　　　　・器用　７）"},
            {"kibori_ruru_b", "木彫りのルル　（要・枝８貝５　　　　　・器用１０）"},
            {"kibori_arashi_b", "木彫りの嵐　　（要・枝８火炎石３骨１　・器用２０）"},
            {"kibori_spark_b", "木彫りスパーク（要・流木３黒曜石３泥５・器用３０）"},
            {"kibori_zankyou_b", "木彫りの残響　（要・材木３草９青い鳥２・器用４０）"},
            {"amagoi_b", "雨乞い神様（要・火炎石５つる10太陽の石３動物学９）"},
            {"phantom_b", "ファントムリング（要・さよならの石１ありがとうの石１）"},
            {"namering_b", "ネームリング（要・機械１天使の涙１かっぱ１人魚１器用５０）"}},
           "BitBtn23");
}

void buildItems(Builder& b) {
    const ComponentId item = b.column("item_box");
    b.background("bak_cg5", item, "cg/haikei2.jpg", kDarkInk);
    b.narrow(item, {{"BitBtn39", "通常アイテム"},
                    {"syokuzai_list_b", "食材一覧"},
                    {"sizai_list_b", "資材一覧"},
                    {"etc_b", "その他一覧"},
                    {"radio_b", "古びたラジオ"}});
    b.back("BitBtn46", item);

    // Three columns of usable items; captions carry the counts (status refresh).
    const ComponentId normal = b.column("nomal_item_box", 465);
    b.look(normal, kWideMenuPicture, kDarkInk);
    b.label("Label3", normal, 16, 8, 200, 14, "□通常アイテム");
    constexpr int kItemWidth = 145;
    b.stack(normal,
            {{"yakusou_use_b", "薬草"},
             {"dokukesisou_use_b", "毒消し草"},
             {"hanakazari_use_b", "花飾り"},
             {"gezai_use_b", "下剤"},
             {"kousui_use_b", "香水"},
             {"hosikuzu_use_b", "星屑の香水"},
             {"seisin_use_b", "精神安定剤"},
             {"araha_b", "アラハバキ神"},
             {"osira_b", "オシラさま"},
             {"honoka_b", "ほのかぐつちの神"}},
            16, 32, kRowStep, kItemWidth, kButtonHeight);
    b.stack(normal,
            {{"oogetu_b", "おおげつ姫"},
             {"konohana_b", "この花の咲くや姫"},
             {"omoi_b", "おもいかねの神"},
             {"susano_b", "すさのおの命"},
             {"take_b", "たけみかづちの命"},
             {"tuku_b", "つくよみの命"},
             {"toki_b", "ときはかしの神"},
             {"yomo_b", "よもつおお神"},
             {"wata_b", "わたつみの神"},
             {"hetu_b", "へつなぎさびこの神"}},
            164, 32, kRowStep, kItemWidth, kButtonHeight);
    b.stack(normal,
            {{"ao_b", "青空の歌"},
             {"iyasi_b", "癒しの歌"},
             {"kaze_b", "風の歌"},
             {"kibou_song_b", "希望の歌"},
             {"tikara_b", "力の歌"},
             {"kemono_b", "獣の歌"},
             {"mirai_b", "未来の歌"},
             {"tikyu_b", "地球の歌"}},
            316, 32, kRowStep, kItemWidth, kButtonHeight);
    b.button("BitBtn36", normal, 316, kPanelHeight - 33, kItemWidth, kButtonHeight, "戻る");

    const ComponentId list = b.column("list_box", 334);
    b.look(list, kWideMenuPicture, kDarkInk);
    b.label("list_l", list, 8, 4, 205, 14);
    b.add("list", list, Kind::List, 8, 24, 205, 293);
    b.button("listen_b", list, 216, 24, kButtonWidth, kButtonHeight, "聞く", false);
    b.button("BitBtn40", list, 216, kPanelHeight - 33, kButtonWidth, kButtonHeight, "戻る");
}

void buildCombat(Builder& b) {
    const ComponentId battle = b.column("battle_box");
    b.background("bak_cg_battle", battle, "cg/haikei3.jpg", kLightInk);
    b.narrow(battle, {{"BitBtn9", "攻撃"},
                      {"magic_b", "魔法", false},
                      {"kaifuku_b", "回復", false},
                      {"lazer_b", "レーザー", false},
                      {"toubou_b", "逃亡", false}});

    const ComponentId colo = b.column("colo_box");
    b.background("bak_cg6", colo, "cg/haikei2.jpg", kDarkInk);
    b.label("colo_head", colo, 6, 4, 113, 14, "□誰と戦いますか？");
    b.label("colo_cost", colo, 6, 18, 113, 14, "（要：行動５）");
    b.stack(colo,
            {{"colo_b1", "ルピルピの亡霊"},
             {"colo_b2", "トテトテの亡霊"},
             {"colo_b3", "ゆらりの亡霊"},
             {"colo_b4", "ズンズンの亡霊"},
             {"colo_b5", "ハテナ坊の亡霊"},
             {"colo_b6", "ｼﾙﾊﾞｰｽﾞﾝｽﾞﾝの亡霊"},
             {"colo_b7", "ポロポロの亡霊"},
             {"colo_b8", "ｽｲｰﾊﾟｰﾓｸﾞﾓｸﾞの亡霊"},
             {"colo_b9", "カナメロボの亡霊"},
             {"colo_b10", "ｶﾅﾒﾛﾎﾞ(覚醒)の亡霊"}},
            kButtonLeft, 36, kRowStep, kButtonWidth, kButtonHeight);
    b.back("BitBtn22", colo);

    const ComponentId kunren = b.column("kunren_box");
    b.look(kunren, kTrainingPicture, kLightInk);
    b.label("kunren_l", kunren, 6, 4, 113, 14);
    b.narrow(kunren,
             {{"BitBtn18", "訓練ＬＶ・C(行動６)"},
              {"kunren", "訓練ＬＶ・B(行動11)"},
              {"BitBtn21", "訓練ＬＶ・A(行動16)"},
              {"colo_b", "コロシアム"}},
             24);
    b.back("BitBtn27", kunren);

    const ComponentId svival = b.column("svival_box", kSurvivalWidth);
    b.look(svival, kTrainingPicture, kLightInk);
    constexpr int kCourseWidth = kSurvivalWidth - 2 * kButtonLeft;
    b.stack(svival,
            {{"BitBtn24", "ノーマルコース（行動９）"},
             {"svival_b2", "ゴルドスコース（行動１７）"},
             {"svival_b3", "ビクトリーコース（行動２５）"},
             {"svival_b4", "アケローンコース（行動４０）"},
             {"svival_b5", "ファントムコース（行動５０）"},
             {"svival_b6", "さよなら！！！！（行動９９）"},
             {"svival_b7", "？？？？（行動１２０）"}},
            kButtonLeft, 4, kRowStep, kCourseWidth, kButtonHeight);
    b.button("BitBtn25", svival, kButtonLeft, kPanelHeight - 33, kCourseWidth, kButtonHeight,
             "戻る");
}

void buildCompanions(Builder& b) {
    const ComponentId study = b.column("study_box", kWidePanelWidth);
    b.look(study, kCompanyPicture, kDarkInk);
    b.label("Label24", study, 4, 4, 497, 14,
            "□勉強（※どの本を読みますか？ここには所持する書物が表示されます）");
    b.stack(study,
            {{"cat_book_b", "絵本「ねこと月」　　　（要・行動　２）", false},
             {"world_book_b", "絵本「せかいのはて」　（要・行動　２）", false},
             {"flower_book_b", "Ｎ・リーフの手記　　（要・行動　３）", false},
             {"cake_book_b", "本・ケーキの作り方　　（要・行動　４）", false},
             {"harb_book_b", "本・ハーブティの作り方（要・行動　４）", false},
             {"kusuri_book_b", "本・薬の作り方　　　　（要・行動１５）", false},
             {"magic_book_b", "魔術書　　　　　　　　（要・行動１０）", false},
             {"magic_book2_b", "上級魔術書　　　　　　（要・行動２０）", false},
             {"sinpi_book_b", "神秘学書　　　　　　　（要・行動１５）", false}},
            4, 24, 16, 289, 17);
    b.button("BitBtn28", study, kWideButtonWidth + 8, kPanelHeight - 33, 89, kButtonHeight, "戻る");

    const ComponentId cominu = b.column("cominu_box", kWidePanelWidth);
    b.look(cominu, kCompanyPicture, kDarkInk);
    b.label("Label25", cominu, 4, 4, 401, 14, "■コミュニケーションモード");
    b.label("cominu_l", cominu, 4, 28, 401, 81);
    // The two group boxes are dark insets on the panel's light picture.
    const ComponentId box2 = b.panel("cominu_box2", 8, 120, 261, 189, true, "コマンド", cominu);
    b.form().setColor(box2, kInset);
    b.form().setFontColor(box2, kLightInk);
    b.stack(box2,
            {{"BitBtn33", "話す（要：行動　４）"},
             {"asobu_b", "遊ぶ（要：行動　７）"},
             {"tanken_b", "探検（要：行動１０）", false},
             {"yoru_b", "夜の散歩（要：行動２０）", false},
             {"nedoko_b", "寝床を襲う（要：行動３０）", false}},
            8, 16, 16, 241, 17);
    b.button("BitBtn26", box2, 160, 160, 97, kButtonHeight, "戻る");
    const ComponentId who = b.panel("who_box", 272, 120, 133, 189, false, "誰と？", cominu);
    b.form().setColor(who, kInset);
    b.form().setFontColor(who, kLightInk);
    b.stack(who,
            {{"who_ruru_b", "ルル"},
             {"who_arashi_b", "嵐"},
             {"who_spark_b", "スパーク"},
             {"who_zankyou_b", "残響"}},
            12, 20, 32, 109, 33);
    b.button("Button17", who, 12, 152, 109, 29, "Cancel");

    const ComponentId kanbyou = b.column("kanbyou_box");
    b.background("bak_cg_who", kanbyou, "cg/haikei4.jpg", kDarkInk);
    b.label("Label28", kanbyou, 6, 4, 113, 14, "□誰を看病しますか");
    b.narrow(kanbyou,
             {{"kan_ruru_b", "ルル", false},
              {"kan_arashi_b", "嵐", false},
              {"kan_spark_b", "スパーク", false},
              {"kan_zankyou_b", "残響", false}},
             28);
    b.back("BitBtn52", kanbyou);

    const ComponentId uta = b.column("uta_box", kWidePanelWidth);
    b.look(uta, kCompanyPicture, kDarkInk);
    b.label("Label32", uta, 4, 4, 401, 14, "□オルガンの音楽屋");
    b.stack(uta,
            {{"uta_b1", "青空の歌　（要・太陽の石２雨の石１　　　　　　・動物学　９）"},
             {"uta_b2", "癒しの歌　（要・雨の石１天使の涙３魔法石３　　・動物学２０）"},
             {"uta_b3", "風の歌　　（要・月の影２太陽石１煌く時の砂２　・動物学１５）"},
             {"uta_b4", "希望の歌　（要・雫３天使の涙５宝石３　　　　　・動物学３０）"},
             {"uta_b5", "力の歌　　（要・巨人１青い鳥１機械３　　　　　・動物学２５）"},
             {"uta_b6", "獣の歌　　（要・ほのかぐつちの神２黒虎３　　　・動物学　５）"},
             {"uta_b7", "未来の歌　（要・かっぱ１人魚３機械５魔法石３　・動物学５０）"},
             {"uta_b8", "地球の歌　（要・月の影３煌く時の砂３天使の涙６・動物学５０）"}},
            4, 36, 16, 393, 17);
    b.button("uta_b9", uta, 4, 36 + 8 * 16, 461, 17,
             "オルガンの歌　（要・天使の涙１０機械１０ありがとうの石１・動物学６０）");
    b.button("BitBtn42", uta, kWideButtonWidth + 8, kPanelHeight - 33, 89, kButtonHeight, "戻る");

    const ComponentId dassyutu = b.column("dassyutu_box", kWidePanelWidth);
    b.look(dassyutu, kCompanyPicture, kDarkInk);
    b.label("dassyutu_head", dassyutu, 4, 4, 497, 14,
            "■脱出準備(※現在の道具などで作成可能な物のみが表示されます)");
    // The escape progress is a white card with dark text.
    const ComponentId progress = b.label("dassyutu_l", dassyutu, 4, 22, 401, 81);
    b.form().setColor(progress, kWhite);
    b.fill(progress);
    b.stack(dassyutu,
            {{"ikada_b", "イカダ作り（要：材木７流木５つる６皮３・　腕力２５行動１０）"},
             {"all_b", "オール　　（要：流木２雨の石１鉄１　　・　器用２５行動　５）"},
             {"singou_b", "信号灯　　（要：ヒカリゴケ３・黒曜石５・植物学１０行動　７）"},
             {"buki_b", "武器　　　（要：雫１魔法石１骨１枝３　・　器用２０行動　５）"},
             {"clear_b", "＜脱出！！！！！＞"}},
            4, 112, kRowStep, kWideButtonWidth, kButtonHeight);
    b.button("BitBtn34", dassyutu, kWideButtonWidth + 8, kPanelHeight - 33, 89, kButtonHeight,
             "戻る");

    const ComponentId mara = b.column("mara_box", kWidePanelWidth);
    b.look(mara, kCompanyPicture, kDarkInk);
    b.label("mara_head", mara, 4, 4, 240, 14, "□マーラー");
    b.label("mara_say", mara, 4, 20, 240, 14, "※石や枝と、交換するよ♪");
    b.label("mara_l", mara, 4, 40, 240, 30);
    b.image("mara_cg", mara, 252, 4, 249, 160, "cg/マーラー.jpg");
    b.add("mara_list", mara, Kind::List, 4, 76, 240, 241);
    b.button("Button1", mara, 252, 260, 113, kButtonHeight, "購入");
    b.button("BitBtn38", mara, 252 + 120, 260, 113, kButtonHeight, "戻る");
}

void buildDialogs(Builder& b) {
    const ComponentId lv = b.column("lv_up_box", 230);
    b.background("lv_haikei", lv, "cg/haikei.jpg", kDarkInk);
    b.label("lv_up_head", lv, 8, 8, 214, 14, "どのパラメーターを増やしますか？");
    b.label("nouryoku_l", lv, 8, 26, 214, 30);
    const ComponentId inner = b.panel("lv_up_box2", 8, 64, 109, 200, true, {}, lv);
    b.form().setColor(inner, {128, 92, 36});  // a darker inset of the gold picture
    b.stack(inner,
            {{"Button3", "行動力"},
             {"Button4", "体力"},
             {"Button5", "腕力"},
             {"Button6", "器用さ"},
             {"Button7", "料理"},
             {"Button10", "動物学"},
             {"Button9", "植物学"},
             {"Button8", "地理学"}},
            8, 4, kRowStep, 93, kButtonHeight);

    const ComponentId select = b.panel("select_box", kCommandLeft, 250, 405, 101);
    b.look(select, kChoicePicture, kLightInk);
    b.button("select_b1", select, 8, 16, 389, kButtonHeight, {});
    b.button("select_b2", select, 8, 56, 389, kButtonHeight, {});

    const ComponentId name =
        b.panel("name_box", kCommandLeft, kCommandTop, 249, 137, false, "この島の名前をつけてね♪");
    b.look(name, kNamePicture, kDarkInk);
    b.form().setFontColor(name, kDarkInk);
    b.add("name_l", name, Kind::Edit, 40, 40, 93, 21);
    b.label("name_suffix", name, 137, 44, 20, 14, "島");
    b.button("Button11", name, 80, 88, 89, kButtonHeight, "決定");
}

void buildTitle(Builder& b) {
    const ComponentId start = b.panel("start_box", 0, 0, 650, 490, true);
    b.form().setColor(start, kBlack);
    b.image("title_cg", start, 228, 124, 185, 185, "cg/title.jpg", false);
    b.image("qz_cg", start, 220, 404, 200, 40, "cg/qz1.jpg", false);
    b.button("Button2", start, 268, 324, 105, kButtonHeight, "はじめる");
    b.button("Button12", start, 268, 352, 105, kButtonHeight, "つづける");
}

}  // namespace

void buildForm(FormModel& form) {
    Builder b(form);
    const ComponentId window = b.add("Form1", kNoComponent, Kind::Window, 0, 0, kWindowWidth,
                                     kWindowHeight, "孤島生活 ver" KOTOU_VERSION);
    form.setColor(window, kGrey);

    // Bottom of the stacking order first: background, portrait, second picture.
    b.image("bak", kNoComponent, 0, 0, 640, 480, "", true);
    b.image("pic", kNoComponent, 352, 0, 289, 480, "", true);
    b.image("cg2", kNoComponent, 64, 0, 289, 341, "", true);

    buildStatusColumn(b);
    const ComponentId message = b.label("moji_l", kNoComponent, 4, 364, 345, 113);
    form.setFontColor(message, kWhite);
    form.setFontColor(b.label("point_l", kNoComponent, 4, 481, 345, 13), kWhite);

    // The scene picture and its flash twin lie under the command column's
    // panels: a wide panel (recipes, crafting, songs) reaches across the
    // scene's place, and no picture may cover a panel's buttons. Handlers
    // hide their panel while their scene and messages run.
    b.image("cg", kNoComponent, 312, 124, 213, 160, "", true, false);
    b.image("cg_red", kNoComponent, 312, 124, 213, 160, "", true, false);

    buildCommandPanel(b);
    buildStrandedAndExploration(b);
    buildMeals(b);
    buildCrafting(b);
    buildItems(b);
    buildCombat(b);
    buildCompanions(b);

    // The click marker over everything but the dialogs; it is as large as
    // its glyph, which swells and shrinks during a wait.
    const ComponentId marker = b.label("click_l", kNoComponent, 8, 460, 16, 16, "▽", false);
    form.setFontColor(marker, kWhite);
    b.autoSize(marker);

    buildDialogs(b);
    buildTitle(b);

    // A command whose availability depends on the game starts hidden; the
    // first status refresh shows it when its condition holds.
    for (const AvailabilityRow& row : availabilityRows())
        if (row.decidesShown()) form.setVisible(form.id(row.button), false);
}

}  // namespace kotou
