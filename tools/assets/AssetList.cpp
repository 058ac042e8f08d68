#include "tools/assets/AssetList.h"

#include <array>

namespace kotou::assets {

namespace {

// Picture sizes by the place the game shows them.
constexpr int kSceneW = 213, kSceneH = 160;        // scene picture `cg`
constexpr int kPortraitW = 289, kPortraitH = 480;  // right picture `pic`
constexpr int kSecondW = 289, kSecondH = 341;      // left picture `cg2`
constexpr int kWindowW = 640, kWindowH = 480;      // full-window picture `bak`
constexpr int kPanelW = 125, kPanelH = 325;        // command panels
constexpr int kWidePanelW = 230;                   // the stat allocation panel
constexpr int kMenuPanelW = 505;                   // the wide menus of the command column

constexpr PictureAsset scene(std::string_view name, Scene s, std::string_view caption) {
    return {name, AssetKind::Jpeg, PictureStyle::Scene, kSceneW, kSceneH,
            s,    Figure::None,    Silhouette::None,    0,       caption,
            0};
}

constexpr PictureAsset backdrop(std::string_view name, Scene s) {
    return {name, AssetKind::Bitmap, PictureStyle::Scene, kWindowW, kWindowH,
            s,    Figure::None,      Silhouette::None,    0,        {},
            0};
}

constexpr PictureAsset portrait(std::string_view name, Figure f, uint32_t colour,
                                std::string_view caption, bool blush = false, int w = kPortraitW,
                                int h = kPortraitH) {
    return {name,   AssetKind::Jpeg, PictureStyle::Portrait, w, h, Scene::None, f, Silhouette::None,
            colour, caption,         blush ? 1 : 0};
}

// A monster on the ground of its area; `variant` tells apart the creatures
// that share a body plan (people: 0 arctic, 1 fighter, 2 trainee, 3 second
// year, 4 silver knight, 5 miso monk, 6 champion, 7 king, 8 scholar; demons:
// 0 reaper, 1 devil, 2 frenzy, 3 ogre; pairs: 1 is the second kind).
constexpr PictureAsset enemy(std::string_view name, Silhouette s, uint32_t colour,
                             std::string_view caption, Scene area, int variant = 0) {
    return {name,
            AssetKind::Jpeg,
            PictureStyle::Enemy,
            kSceneW,
            kSceneH,
            area,
            Figure::None,
            s,
            colour,
            caption,
            variant};
}

constexpr PictureAsset panel(std::string_view name, int width, uint32_t tint, int pattern,
                             int height = kPanelH) {
    return {name,        AssetKind::Jpeg, PictureStyle::Panel, width, height,
            Scene::None, Figure::None,    Silhouette::None,    tint,  {},
            pattern};
}

constexpr PictureAsset titleFrame(std::string_view name, int frame) {
    return {name,        AssetKind::Jpeg, PictureStyle::TitleFrame, 200,      40,
            Scene::None, Figure::None,    Silhouette::None,         0x2060a0, "Ｑ．Ｚ．",
            frame};
}

constexpr std::array kPictures = {
    // Start screen.
    PictureAsset{"title.jpg", AssetKind::Jpeg, PictureStyle::Title, 185, 185, Scene::None,
                 Figure::None, Silhouette::None, 0x2a7ab8, "孤島生活", 0},
    titleFrame("qz1.jpg", 0),
    titleFrame("qz2.jpg", 1),
    titleFrame("qz3.jpg", 2),
    titleFrame("qz4.jpg", 3),
    titleFrame("qz5.jpg", 4),

    // Status marks beside the gauges: illness and poison.
    PictureAsset{"ill.jpg", AssetKind::Jpeg, PictureStyle::Icon, 25, 25, Scene::None, Figure::None,
                 Silhouette::None, 0x3070d0, "病", 0},
    PictureAsset{"poison.jpg", AssetKind::Jpeg, PictureStyle::Icon, 25, 25, Scene::None,
                 Figure::None, Silhouette::None, 0x8040a0, "毒", 0},

    // Panel backgrounds.
    panel("haikei.jpg", kWidePanelW, 0xc89a3c, 0),  // stat allocation: warm gold
    panel("haikei2.jpg", kPanelW, 0xb08858, 1),     // most panels: driftwood
    panel("haikei3.jpg", kPanelW, 0x8a2a2a, 2),     // battle: deep red
    panel("haikei4.jpg", kPanelW, 0x5a88b0, 3),     // nursing and rescue: soft blue
    panel("haikei5.jpg", kPanelW, 0x4a8a50, 4),     // command panel: leaf green
    panel("haikei6.jpg", kMenuPanelW, 0xb08858,
          1),  // wide menus (meals, crafting, items): driftwood
    panel("haikei7.jpg", kMenuPanelW, 0x9a8cc0, 0),  // study, talk, songs, escape, trader: lilac
    panel("haikei8.jpg", 405, 0x283c6a, 0, 101),     // the story's choices: night blue
    panel("haikei9.jpg", 249, 0xc89a3c, 0, 137),     // the island-name box: warm gold

    // Characters; the blushing variants share the figure.
    portrait("ルル.jpg", Figure::LongHair, 0xe87aa8, "ルル"),
    portrait("ルル頬.jpg", Figure::LongHair, 0xe87aa8, "ルル", true),
    portrait("嵐.jpg", Figure::Spiky, 0x2a4a8a, "嵐"),
    portrait("嵐頬.jpg", Figure::Spiky, 0x2a4a8a, "嵐", true),
    portrait("スパーク.jpg", Figure::Bob, 0xf0b030, "スパーク"),
    portrait("スパーク頬.jpg", Figure::Bob, 0xf0b030, "スパーク", true),
    portrait("残響.jpg", Figure::Straight, 0x8a6ab0, "残響"),
    portrait("残響頬.jpg", Figure::Straight, 0x8a6ab0, "残響", true),
    portrait("オルガン.jpg", Figure::Hat, 0x8a5a30, "オルガン"),
    portrait("ゴルドス.jpg", Figure::Crown, 0xc8a020, "ゴルドス", false, kSecondW, kSecondH),
    portrait("ゴルドス2.jpg", Figure::Giant, 0xc8a020, "ゴルドス", false, kWindowW, kWindowH),
    portrait("マーラー.jpg", Figure::Turban, 0x3a9a7a, "マーラー", false, 249, 160),

    // Places of exploration.
    scene("背景・林.jpg", Scene::Forest, "林"),
    scene("背景・浜辺.jpg", Scene::Beach, "浜辺"),
    scene("背景・海.jpg", Scene::Sea, "海"),
    scene("背景・洞窟.jpg", Scene::Cave, "洞窟"),
    scene("背景・ジャングル.jpg", Scene::Jungle, "ジャングル"),
    scene("背景・湖.jpg", Scene::Lake, "湖"),
    scene("背景・崖.jpg", Scene::Cliff, "崖"),

    // Commands of the day.
    scene("背景・寝る.jpg", Scene::Sleep, "おやすみ"),
    scene("背景・お風呂.jpg", Scene::Bath, "お風呂"),
    scene("背景・トイレ.jpg", Scene::Toilet, "トイレ"),
    scene("背景・食事.jpg", Scene::Meal, "食事"),
    scene("背景・魚.jpg", Scene::Fish, "海の幸"),
    scene("背景・肉.jpg", Scene::Meat, "山の幸"),
    scene("背景・施設.jpg", Scene::Facility, "施設"),
    scene("背景・製作.jpg", Scene::Craft, "製作"),
    scene("背景・素材.jpg", Scene::Material, "素材"),
    scene("背景・工作.jpg", Scene::Carving, "工作"),
    scene("背景・歌.jpg", Scene::Song, "音楽屋"),
    scene("背景・脱出.jpg", Scene::Escape, "脱出計画"),

    // Disasters and blessings of a new day.
    scene("天災・洪水.jpg", Scene::Flood, "洪水"),
    scene("天災・台風.jpg", Scene::Typhoon, "台風"),
    scene("天災・恵みの雨.jpg", Scene::BlessedRain, "恵みの雨"),
    scene("天災・干ばつ.jpg", Scene::Drought, "干ばつ"),
    scene("天災・火災.jpg", Scene::Fire, "火災"),
    scene("天災・地震.jpg", Scene::Earthquake, "地震"),
    scene("天災・疫病.jpg", Scene::Epidemic, "疫病"),
    scene("天災・大漁.jpg", Scene::BigCatch, "大漁"),
    scene("天災・虹.jpg", Scene::Rainbow, "虹"),
    scene("天災・流れ星.jpg", Scene::ShootingStar, "流れ星"),

    // Monsters of the exploration areas.
    enemy("敵・ドラゴン.jpg", Silhouette::Dragon, 0x3a8a3a, "ドラゴン", Scene::Jungle),
    enemy("敵・怪鳥.jpg", Silhouette::Bird, 0xb04a2a, "怪鳥", Scene::Jungle),
    enemy("敵・巨大クモ.jpg", Silhouette::Spider, 0x6a3a7a, "巨大クモ", Scene::Jungle),
    enemy("敵・極北人.jpg", Silhouette::Humanoid, 0x8ab8d8, "極北人", Scene::Jungle),
    enemy("敵・サメ.jpg", Silhouette::Shark, 0x4a6a8a, "サメ", Scene::Sea),
    enemy("敵・クラゲ.jpg", Silhouette::Jelly, 0xc8a0e8, "クラゲ", Scene::Sea),
    enemy("敵・かに.jpg", Silhouette::Crab, 0xd04a2a, "かに", Scene::Beach),
    enemy("敵・挌闘家.jpg", Silhouette::Humanoid, 0xb07040, "挌闘家", Scene::Beach, 1),
    enemy("敵・赤い闇.jpg", Silhouette::Cloud, 0xb01818, "赤い闇", Scene::Cave),
    enemy("敵・コウモリ.jpg", Silhouette::Bat, 0x5a4a6a, "コウモリ", Scene::Cave),
    enemy("敵・スモッグ.jpg", Silhouette::Cloud, 0x808078, "スモッグ", Scene::Cave, 1),
    enemy("敵・おばけ.jpg", Silhouette::Ghost, 0xd8d8f0, "おばけ", Scene::Cave),
    enemy("敵・コンドル.jpg", Silhouette::Bird, 0x5a4a3a, "コンドル", Scene::Cliff, 1),
    enemy("敵・生きた風.jpg", Silhouette::Wind, 0x9ad8c8, "生きた風", Scene::Cliff),
    enemy("敵・見知らぬ機械.jpg", Silhouette::Machine, 0x8a8a9a, "見知らぬ機械", Scene::Cliff),
    enemy("敵・訓練生２年.jpg", Silhouette::Humanoid, 0x3a6ab0, "訓練生２年", Scene::Cliff, 3),
    enemy("敵・クモ.jpg", Silhouette::Spider, 0x7a6a3a, "くも", Scene::Forest, 1),
    enemy("敵・蛾.jpg", Silhouette::Moth, 0xa89a6a, "蛾", Scene::Forest),
    enemy("敵・訓練生.jpg", Silhouette::Humanoid, 0x4a8a4a, "訓練生", Scene::Forest, 2),

    // Colosseum opponents.
    enemy("敵・ルピ.jpg", Silhouette::Ghost, 0xf0a0c0, "ルピルピの亡霊", Scene::Colosseum, 1),
    enemy("敵・トテトテ.jpg", Silhouette::Rabbit, 0xc0d8a0, "トテトテの亡霊", Scene::Colosseum),
    enemy("敵・ゆらり.jpg", Silhouette::Jelly, 0xa0c8f0, "ゆらりの亡霊", Scene::Colosseum, 1),
    enemy("敵・ズンズン.jpg", Silhouette::Wolf, 0x9a8ab0, "ズンズンの亡霊", Scene::Colosseum),
    enemy("敵・ハテナ.jpg", Silhouette::Orb, 0xe0c060, "ハテナ坊の亡霊", Scene::Colosseum),
    enemy("敵・シルバー.jpg", Silhouette::Humanoid, 0xc8c8d8, "シルバーズンズンの亡霊",
          Scene::Colosseum, 4),
    enemy("敵・ポロポロ.jpg", Silhouette::Cloud, 0xa0a0d0, "ポロポロの亡霊", Scene::Colosseum, 2),
    enemy("敵・モグモグ.jpg", Silhouette::Beetle, 0xb08a60, "スイーパーモグモグの亡霊",
          Scene::Colosseum),
    enemy("敵・カナメ.jpg", Silhouette::Robot, 0x7090b0, "カナメロボ", Scene::Colosseum),
    enemy("敵・覚醒.jpg", Silhouette::Robot, 0xd04040, "カナメロボ（覚醒）", Scene::Colosseum, 1),

    // Survival course opponents.
    enemy("敵・ウルフ.jpg", Silhouette::Wolf, 0x707880, "パーセウルフ", Scene::Colosseum, 1),
    enemy("敵・うさぎ.jpg", Silhouette::Rabbit, 0xd8c8b8, "暴れうさぎ", Scene::Colosseum, 1),
    enemy("敵・クワガタ.jpg", Silhouette::Beetle, 0x4a3a2a, "クワガタ虫", Scene::Colosseum, 1),
    enemy("敵・ミソヅケ.jpg", Silhouette::Humanoid, 0x9a6a3a, "ミソヅケ", Scene::Colosseum, 5),
    enemy("敵・ソル.jpg", Silhouette::Orb, 0xf08a20, "ソル", Scene::Colosseum, 1),
    enemy("敵・デューン.jpg", Silhouette::Wind, 0xd0b070, "反物質デューン", Scene::Colosseum, 1),
    enemy("敵・ビクトリー.jpg", Silhouette::Humanoid, 0xe0b030, "ビクトリー", Scene::Colosseum, 6),
    enemy("敵・ヨーガ.jpg", Silhouette::Angel, 0x90e0d0, "神秘の子ヨーガ", Scene::Colosseum),
    enemy("敵・エンド.jpg", Silhouette::Demon, 0x603080, "エンドオブデイズ", Scene::Colosseum),
    enemy("敵・メフィスト.jpg", Silhouette::Demon, 0x902030, "メフィスト", Scene::Colosseum, 1),
    enemy("敵・マクベス.jpg", Silhouette::Humanoid, 0x505070, "マクベス", Scene::Colosseum, 7),
    enemy("敵・ファウスト.jpg", Silhouette::Humanoid, 0x306050, "ファウスト", Scene::Colosseum, 8),
    enemy("敵・ヘブン.jpg", Silhouette::Angel, 0xf0f0c0, "HEAVEN", Scene::Colosseum, 1),
    enemy("敵・乱心.jpg", Silhouette::Demon, 0xc03060, "乱心", Scene::Colosseum, 2),
    enemy("敵・昇鬼.jpg", Silhouette::Demon, 0xe06020, "昇鬼", Scene::Colosseum, 3),

    // Full-window backgrounds: weather, the stranded state and the story.
    backdrop("背景.bmp", Scene::Clear),
    backdrop("背景・雨.bmp", Scene::Rain),
    backdrop("背景・日照り.bmp", Scene::Drought),
    backdrop("背景・遭難.bmp", Scene::Stranded),
    backdrop("背景・探検.bmp", Scene::Explore),
    backdrop("背景・夜.bmp", Scene::Night),
    backdrop("背景・朝.bmp", Scene::Morning),
    backdrop("背景・海上.bmp", Scene::OpenSea),
    backdrop("背景・最後.bmp", Scene::Last),
};

// The interface click stays 8-bit mono 11025 Hz; the rest mixes every format the
// mixer converts (8/16 bits, 11025/22050 Hz, mono/stereo).
constexpr std::array kSounds = {
    SoundAsset{"1.wav", Cue::Click, 11025, 8, 1},
    SoundAsset{"3.wav", Cue::Heal, 22050, 16, 1},
    SoundAsset{"awa.wav", Cue::Bubbles, 11025, 8, 1},
    SoundAsset{"bad.wav", Cue::Bad, 11025, 16, 1},
    SoundAsset{"baku.wav", Cue::Explosion, 22050, 16, 2},
    SoundAsset{"battle_clear.wav", Cue::ClearFanfare, 22050, 16, 2},
    SoundAsset{"bird.wav", Cue::Bird, 22050, 8, 1},
    SoundAsset{"cli.wav", Cue::Critical, 22050, 16, 1},
    SoundAsset{"com.wav", Cue::Intimacy, 22050, 16, 2},
    SoundAsset{"damage.wav", Cue::Damage, 11025, 8, 1},
    SoundAsset{"door.wav", Cue::Door, 11025, 16, 1},
    SoundAsset{"good.wav", Cue::Good, 22050, 8, 2},
    SoundAsset{"good2.wav", Cue::Blessing, 22050, 16, 1},
    SoundAsset{"hanmer.wav", Cue::Hammer, 11025, 8, 1},
    SoundAsset{"hansya.wav", Cue::Reflect, 22050, 16, 1},
    SoundAsset{"kaifuku.wav", Cue::Recover, 22050, 8, 1},
    SoundAsset{"katan.wav", Cue::Trade, 11025, 8, 1},
    SoundAsset{"kawasu.wav", Cue::Dodge, 22050, 16, 1},
    SoundAsset{"ken.wav", Cue::Sword, 22050, 16, 1},
    SoundAsset{"key.wav", Cue::Key, 11025, 8, 1},
    SoundAsset{"key2.wav", Cue::Key2, 11025, 16, 1},
    SoundAsset{"key3.wav", Cue::Key3, 22050, 8, 1},
    SoundAsset{"kunren.wav", Cue::Training, 11025, 8, 1},
    SoundAsset{"lazer.wav", Cue::Laser, 22050, 16, 1},
    SoundAsset{"lv.wav", Cue::LevelUp, 22050, 16, 2},
    SoundAsset{"magic.wav", Cue::Magic, 22050, 16, 1},
    SoundAsset{"miss.wav", Cue::Miss, 11025, 16, 1},
    SoundAsset{"nigeru.wav", Cue::Flee, 11025, 8, 1},
    SoundAsset{"night.wav", Cue::Night, 22050, 16, 2},
    SoundAsset{"no.wav", Cue::No, 11025, 8, 1},
    SoundAsset{"ok.wav", Cue::Ok, 11025, 8, 1},
    SoundAsset{"place.wav", Cue::Place, 22050, 16, 1},
    SoundAsset{"save.wav", Cue::Save, 22050, 8, 1},
    SoundAsset{"seisaku.wav", Cue::Crafted, 22050, 16, 1},
    SoundAsset{"start.wav", Cue::Start, 22050, 16, 2},
    SoundAsset{"taberu.wav", Cue::Eat, 11025, 8, 1},
    SoundAsset{"talk.wav", Cue::Talk, 11025, 16, 1},
    SoundAsset{"tansaku.wav", Cue::Explore, 11025, 8, 1},
    SoundAsset{"teki.wav", Cue::Enemy, 22050, 16, 1},
    SoundAsset{"up.wav", Cue::Up, 11025, 8, 1},
    SoundAsset{"uta2.wav", Cue::Song, 22050, 16, 2},
    SoundAsset{"victory.wav", Cue::Victory, 22050, 16, 2},
    SoundAsset{"water.wav", Cue::Water, 22050, 8, 1},
    SoundAsset{"waza.wav", Cue::Skill, 22050, 16, 1},
};

constexpr std::array<std::string_view, 12> kRadioTunes = {
    "radio01.mid", "radio02.mid", "radio03.mid", "radio04.mid", "radio05.mid", "radio06.mid",
    "radio07.mid", "radio08.mid", "radio09.mid", "radio10.mid", "radio11.mid", "radio12.mid",
};

constexpr std::array kMusic = {
    MusicAsset{"title.mid", Tune::Title, 0},      MusicAsset{"voice.mid", Tune::Voice, 0},
    MusicAsset{"yoru.mid", Tune::Night, 0},       MusicAsset{"ame.mid", Tune::Rain, 0},
    MusicAsset{"battle.mid", Tune::Battle, 0},    MusicAsset{"svival.mid", Tune::Survival, 0},
    MusicAsset{"bokura.mid", Tune::Together, 0},  MusicAsset{"tanken.mid", Tune::Explore, 0},
    MusicAsset{"tanken2.mid", Tune::Explore, 1},  MusicAsset{"tanken3.mid", Tune::Explore, 2},
    MusicAsset{"tanken4.mid", Tune::Explore, 3},  MusicAsset{"sorairo.mid", Tune::SkyBlue, 0},
    MusicAsset{"tensai.mid", Tune::Disaster, 0},  MusicAsset{kRadioTunes[0], Tune::Radio, 0},
    MusicAsset{kRadioTunes[1], Tune::Radio, 1},   MusicAsset{kRadioTunes[2], Tune::Radio, 2},
    MusicAsset{kRadioTunes[3], Tune::Radio, 3},   MusicAsset{kRadioTunes[4], Tune::Radio, 4},
    MusicAsset{kRadioTunes[5], Tune::Radio, 5},   MusicAsset{kRadioTunes[6], Tune::Radio, 6},
    MusicAsset{kRadioTunes[7], Tune::Radio, 7},   MusicAsset{kRadioTunes[8], Tune::Radio, 8},
    MusicAsset{kRadioTunes[9], Tune::Radio, 9},   MusicAsset{kRadioTunes[10], Tune::Radio, 10},
    MusicAsset{kRadioTunes[11], Tune::Radio, 11},
};

}  // namespace

std::span<const PictureAsset> pictureAssets() {
    return kPictures;
}
std::span<const SoundAsset> soundAssets() {
    return kSounds;
}
std::span<const MusicAsset> musicAssets() {
    return kMusic;
}
std::span<const std::string_view> radioTunes() {
    return kRadioTunes;
}

std::string picturePath(std::string_view name) {
    std::string path(kPictureFolder);
    path += '/';
    path += name;
    return path;
}

std::string soundPath(std::string_view name) {
    std::string path(kSoundFolder);
    path += '/';
    path += name;
    return path;
}

std::string twiceSizeName(std::string_view name) {
    const size_t dot = name.rfind('.');
    std::string out(name.substr(0, dot));
    out += "@2x";
    if (dot != std::string_view::npos) out += name.substr(dot);
    return out;
}

std::vector<AssetFile> allAssetFiles() {
    std::vector<AssetFile> files;
    files.reserve(kPictures.size() + kSounds.size() + kMusic.size());
    for (const auto& p : kPictures) files.push_back({p.kind, picturePath(p.name)});
    for (const auto& s : kSounds) files.push_back({AssetKind::Wave, soundPath(s.name)});
    for (const auto& m : kMusic) files.push_back({AssetKind::Midi, soundPath(m.name)});
    return files;
}

const PictureAsset* findPicture(std::string_view name) {
    for (const auto& p : kPictures) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

}  // namespace kotou::assets
