#pragma once
// The one list of every picture, sound and music file the game loads.
//
// Pictures live in "cg/" and sounds and music in "dat/" beside the executable.
// File names are UTF-8 on disk. Each entry also carries the hints the
// generator uses to paint or synthesise the file (size, motif, caption,
// colour, sample format), so adding a file here is all it takes to have it
// produced by the build and checked by the tests.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kotou::assets {

inline constexpr std::string_view kPictureFolder = "cg";
inline constexpr std::string_view kSoundFolder = "dat";

enum class AssetKind : uint8_t { Jpeg, Bitmap, Wave, Midi };

// How a picture is painted.
enum class PictureStyle : uint8_t {
    Title,       // the title picture of the start screen
    TitleFrame,  // one frame of the title animation
    Panel,       // background of a command panel
    Portrait,    // a character with its name
    Scene,       // a place or an event, with its name (also full-window backdrops)
    Enemy,       // a monster on the ground of its area, with its name
    Icon,        // a small status mark: a coloured badge with one character
};

// Places, moods and events painted by the Scene style.
enum class Scene : uint8_t {
    None,
    Forest,
    Beach,
    Sea,
    Cave,
    Jungle,
    Lake,
    Cliff,
    Sleep,
    Bath,
    Toilet,
    Meal,
    Fish,
    Meat,
    Facility,
    Craft,
    Material,
    Carving,
    Song,
    Escape,
    Flood,
    Typhoon,
    BlessedRain,
    Drought,
    Fire,
    Earthquake,
    Epidemic,
    BigCatch,
    Rainbow,
    ShootingStar,
    Clear,
    Rain,
    Stranded,
    Explore,
    Night,
    Morning,
    OpenSea,
    Last,
    Colosseum,  // the arena behind the colosseum's and the courses' opponents
};

// Figure shapes of the Portrait style.
enum class Figure : uint8_t { None, LongHair, Spiky, Bob, Straight, Hat, Crown, Turban, Giant };

// Monster shapes of the Enemy style.
enum class Silhouette : uint8_t {
    None,
    Dragon,
    Bird,
    Spider,
    Humanoid,
    Shark,
    Jelly,
    Crab,
    Ghost,
    Bat,
    Cloud,
    Wind,
    Machine,
    Wolf,
    Rabbit,
    Beetle,
    Moth,
    Robot,
    Orb,
    Angel,
    Demon,
};

struct PictureAsset {
    std::string_view name;  // file name inside cg/, with extension
    AssetKind kind;         // Jpeg or Bitmap
    PictureStyle style;
    int width;
    int height;
    Scene scene = Scene::None;
    Figure figure = Figure::None;
    Silhouette silhouette = Silhouette::None;
    uint32_t colour = 0;       // main colour 0xRRGGBB (hair, monster, panel tint)
    std::string_view caption;  // text painted on the picture (may be empty)
    int variant = 0;           // frame number, blushing portrait, panel pattern...
};

// Sound cues by purpose; each sounds different.
enum class Cue : uint8_t {
    Click,
    Heal,
    Bubbles,
    Bad,
    Explosion,
    ClearFanfare,
    Bird,
    Critical,
    Intimacy,
    Damage,
    Door,
    Good,
    Blessing,
    Hammer,
    Reflect,
    Recover,
    Trade,
    Dodge,
    Sword,
    Key,
    Key2,
    Key3,
    Training,
    Laser,
    LevelUp,
    Magic,
    Miss,
    Flee,
    Night,
    No,
    Ok,
    Place,
    Save,
    Crafted,
    Start,
    Eat,
    Talk,
    Explore,
    Enemy,
    Up,
    Song,
    Victory,
    Water,
    Skill,
};

struct SoundAsset {
    std::string_view name;  // file name inside dat/
    Cue cue;
    int rate;      // samples per second: 11025 or 22050
    int bits;      // 8 or 16
    int channels;  // 1 or 2
};

// Tunes by mood.
enum class Tune : uint8_t {
    Title,
    Night,
    Rain,
    Battle,
    Together,
    Survival,
    Explore,
    Voice,
    SkyBlue,
    Disaster,
    Radio,
};

struct MusicAsset {
    std::string_view name;  // file name inside dat/
    Tune tune;
    int variant;  // picks a different key, tempo and melody within a mood
};

std::span<const PictureAsset> pictureAssets();
std::span<const SoundAsset> soundAssets();
std::span<const MusicAsset> musicAssets();

// The extra tunes of the improved radio, in channel order (12 files).
std::span<const std::string_view> radioTunes();

struct AssetFile {
    AssetKind kind;
    std::string path;  // relative to the executable's folder, e.g. "cg/ルル.jpg"
};

// Every file of the three tables with its relative path.
std::vector<AssetFile> allAssetFiles();

// The entry of a picture by file name, or nullptr.
const PictureAsset* findPicture(std::string_view name);

// The name of a picture's twice-size file: "ルル.jpg" -> "ルル@2x.jpg".
std::string twiceSizeName(std::string_view name);

// The relative path of a picture ("cg/" + name) or a sound or tune ("dat/" + name).
std::string picturePath(std::string_view name);
std::string soundPath(std::string_view name);

}  // namespace kotou::assets
