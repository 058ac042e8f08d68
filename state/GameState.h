#pragma once
// The whole game state: the four characters, the calendar, the island's
// stores, what has been built or made, and the values that only live while
// the program runs. Handlers receive it by reference; nothing here is global.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace kotou {

inline constexpr int kCharacterCount = 4;
inline constexpr int kPairCount = 6;
inline constexpr int kWorldFlagCount = 99;
inline constexpr int kExtraItemCount = 99;
inline constexpr int kCarvingCount = 30;
inline constexpr int kEscapeCount = 20;
inline constexpr int kRareItemCount = 13;
inline constexpr int kOrganFlagCount = 4;

// The entries of the worldFlags block the rules use: places discovered,
// things built or made, books (1 owned, 2 read), battle abilities and the
// colosseum's beaten opponents. Every other entry stays 0 but is saved.
enum class WorldFlag : uint8_t {
    Sea = 0,
    Beach = 1,
    Jungle = 2,
    Cave = 3,
    Lake = 4,
    GordosCourse = 5,  // the survival courses opened by clearing the one before
    VictoryCourse = 6,
    AcheronCourse = 7,
    PhantomCourse = 8,
    Cliff = 9,
    OrganShop = 10,    // the musician's shop and the radio revealed
    QuickShower = 11,  // 即席シャワー
    QuickToilet = 12,  // 即席トイレ
    Desk = 13,
    MeetingHall = 14,  // 集会場
    FoodEncyclopedia = 15,
    MaterialEncyclopedia = 16,
    TrainingGround = 17,
    FishKnife = 18,  // でば包丁
    MeatKnife = 19,  // 肉きり包丁
    Sword = 20,
    MagicBook = 21,
    HighMagicBook = 22,
    MysticBook = 23,
    GreatSword = 24,
    Armour = 25,
    LeatherArmour = 26,
    IronArmour = 27,
    Laser = 32,         // スパーク's battle command
    Revival = 33,       // 残響's revival
    SimpleShower = 42,  // 簡易シャワー
    Playground = 43,
    SupplementEncyclopedia = 44,  // 別冊百科辞典
    Bed = 45,
    Colosseum = 50,
};

// The battle abilities each character learns on its own: one entry per
// character, the base entry + the character's index 1..4.
enum class BattleAbility : uint8_t { Flee = 27, Dodge = 33, Critical = 37, Reflect = 45 };
constexpr WorldFlag abilityFlag(BattleAbility a, int character) {
    return static_cast<WorldFlag>(static_cast<int>(a) + character);
}
// The colosseum's opponents 1..10, set once beaten.
constexpr WorldFlag colosseumBeaten(int opponent) {
    return static_cast<WorldFlag>(static_cast<int>(WorldFlag::Colosseum) + opponent);
}

// The entries of the extraItems block; the rest stay 0.
enum class ExtraItem : uint8_t {
    BigBasket = 0,
    BigBucket = 1,
    BigNet = 2,
    BlueSkySong = 3,
    Perfume = 4,
    StardustPerfume = 5,
    Tranquilizer = 6,
    FireWater = 7,      // 消火用の水, held until the next fire
    StoredWater = 8,    // 保存用の水, held until the next drought
    PreservedFood = 9,  // 保存食, held until the next earthquake
    HealingSong = 10,
    WindSong = 11,
    HopeSong = 12,
    PowerSong = 13,
    BeastSong = 14,
    FutureSong = 15,
    EarthSong = 16,
};

// The thirteen god items, in the order of the rareItems block.
enum class RareItem : uint8_t {
    Ogetsu = 0,       // おおげつ姫
    Konohana,         // この花の咲くや姫
    Omoikane,         // おもいかねの神
    Susanoo,          // すさのおの命
    Takemikazuchi,    // たけみかづちの命
    Tsukuyomi,        // つくよみの命
    Tokihakashi,      // ときはかしの神
    Yomotsu,          // よもつおお神
    Watatsumi,        // わたつみの神
    Hetsunagisabiko,  // へつなぎさびこの神
    Honokagutsuchi,   // ほのかぐつちの神
    Arahabaki,        // アラハバキ神
    Oshira,           // オシラさま
};

// The pieces of the carving bench, one entry of carvingMade each.
enum class Carving : uint8_t {
    StoneDoll = 0,
    ToyHouse,
    ToyChair,
    ToyDesk,
    ToyCar,
    WoodDoll,
    ShellPendant,
    LeafBoat,
    CarvedBird,
    CarvedRuru,
    CarvedArashi,
    CarvedSpark,
    CarvedZankyo,
    RainGod,  // 雨乞い神様: fewer droughts
    PhantomRing,
    NameRing,
};

// The four things the escape needs, one entry of the escape block each.
enum class EscapePart : uint8_t { Raft = 0, Oar, SignalLight, Weapon };

// Weather of the day.
enum Weather : int32_t { kClear = 0, kRain = 1, kDrought = 2, kTyphoon = 3 };

struct Character {
    std::string name;  // UTF-8 inside the program
    int32_t obesity = 0;
    int32_t strandedPhase = 0;
    int32_t actionPoints = 0;
    int32_t maxActionPoints = 0;
    int32_t stamina = 0;
    int32_t maxStamina = 0;
    int32_t level = 0;
    int32_t phantom = 0;
    int32_t strength = 0;
    int32_t dexterity = 0;
    int32_t cooking = 0;
    int32_t hygiene = 0;
    int32_t bowel = 0;
    int32_t stress = 0;
    int32_t geography = 0;
    int32_t botany = 0;
    int32_t zoology = 0;
    int32_t trainingLevel = 0;
    int32_t illness = 0;
    int32_t poison = 0;

    bool operator==(const Character&) const = default;
};

// The values of the running battle; never saved.
struct BattleState {
    int area = -1;  // set by the caller of startBattle; -1 once ended
    std::string enemyName;
    std::string enemyPicture;     // file under cg/
    int32_t enemyHp = 0;          // beaten below 1
    int32_t enemyAttack = 0;      // grows by 0 or 1 with every blow
    int32_t enemyResistance = 0;  // 1: 攻撃 deals a quarter; 2: 魔法 deals a quarter
    int chain = 0;            // battles fought in the current survival course; -1 after a battle
    bool reviveUsed = false;  // 残響's revival spent in this battle

    bool operator==(const BattleState&) const = default;
};

// Values that exist only while the program runs; never saved.
struct RuntimeState {
    int32_t clickState = 0;      // 1 normal, 0 waiting for a click, -1 closing
    int32_t statPointsLeft = 0;  // stat allocation
    int32_t levelUpMode = 0;     // 1..4 character creation, -1 night level-up, 0 none
    int32_t titleFrame = 0;      // title animation counter 0..29
    int32_t talkPartner = 0;     // communication partner
    BattleState battle;
    // The ending: the escape has started (the status column's marks stay
    // hidden from then on), and the best couple of the final choice in the
    // order the player chose, character indices 1..4 (0 = not chosen yet).
    bool endingStarted = false;
    int32_t bestCoupleFirst = 0;
    int32_t bestCoupleSecond = 0;

    bool operator==(const RuntimeState&) const = default;
};

struct GameState {
    // Records 1..4 are the characters; record 0 exists only so that the
    // game's 1-based indices can be used directly, and is never read.
    std::array<Character, kCharacterCount + 1> character{};

    int32_t currentCharacter = 0;
    int32_t dayNumber = 0;
    int32_t weather = 0;
    int32_t storyPhase = 0;
    std::array<int32_t, kPairCount> pairIntimacy{};
    std::string islandName;
    std::string bestCoupleText;
    int32_t score = 0;  // computed by the status refresh, not saved
    int32_t bestDays = 0;
    int32_t bestScore = 0;

    // Food and catches.
    int32_t appleCount = 0, fireFruitCount = 0, blackFruitCount = 0, wonderFruitCount = 0,
            sevenFruitCount = 0, kiwiCount = 0, greenMushroomCount = 0, walkingMushroomCount = 0,
            giantMushroomCount = 0, waterCount = 0, sugarCount = 0, herbCount = 0, saltCount = 0,
            blueBirdCount = 0, kappaCount = 0, treeSnakeCount = 0, lizardCount = 0,
            pinkRabbitCount = 0, blackTigerCount = 0, perseWolfCount = 0, mermaidCount = 0,
            maneaterFishCount = 0, giantCount = 0, smallCrabCount = 0, seaBreamCount = 0,
            crucianCount = 0, smallFishCount = 0, seaweedCount = 0, shellCount = 0;
    // Materials.
    int32_t leafCount = 0, stoneCount = 0, branchCount = 0, vineCount = 0, grassCount = 0,
            boneCount = 0, hideCount = 0, sunStoneCount = 0, seawaterCount = 0, mudCount = 0,
            flameStoneCount = 0, ironCount = 0, lumberCount = 0, driftwoodCount = 0,
            flotsamCount = 0, dropCount = 0, machineCount = 0, angelTearCount = 0,
            obsidianCount = 0, glowMossCount = 0, gemCount = 0, magicStoneCount = 0,
            moonShadowCount = 0, rainStoneCount = 0, timeSandCount = 0, farewellStoneCount = 0,
            thanksStoneCount = 0;
    // Usable items.
    int32_t laxativeCount = 0, flowerWreathCount = 0, medicinalHerbCount = 0, antidoteHerbCount = 0;
    std::array<int32_t, kRareItemCount> rareItems{};

    // Facilities.
    int32_t hasTent = 0, hasHut = 0, hasHouse = 0, hasStove = 0, hasSimpleToilet = 0,
            hasMidToilet = 0, hasLuxuryToilet = 0, hasShower = 0, hasDrumBath = 0,
            hasWaterSupply = 0, hasReservoir = 0, hasSleepingBag = 0;
    // Tools.
    int32_t hasFireStarter = 0, hasSaw = 0, hasAxe = 0, hasNeedle = 0, hasBucket = 0, hasKnife = 0,
            hasSoap = 0, hasGun = 0, hasRucksack = 0, hasLamp = 0, hasBoat = 0,
            hasFishingTackle = 0, hasNet = 0, hasPot = 0, hasBasket = 0;
    int32_t hasVaccine = 0;
    int32_t radioState = 0;
    int32_t cakeBookState = 0, herbTeaBookState = 0, medicineBookState = 0;
    int32_t flowerBookFound = 0, catBookFound = 0, worldBookFound = 0;
    int32_t finalCourseClears = 0;
    int32_t organTitle = 0;
    std::array<int32_t, kOrganFlagCount> organFlags{};

    // Blocks.
    std::array<int32_t, kWorldFlagCount> worldFlags{};
    std::array<int32_t, kExtraItemCount> extraItems{};
    std::array<int32_t, kCarvingCount> carvingMade{};
    std::array<int32_t, kEscapeCount> escape{};

    RuntimeState runtime;

    // The named entries of the blocks.
    int32_t& flag(WorldFlag f) { return worldFlags[static_cast<size_t>(f)]; }
    int32_t flag(WorldFlag f) const { return worldFlags[static_cast<size_t>(f)]; }
    int32_t& extra(ExtraItem e) { return extraItems[static_cast<size_t>(e)]; }
    int32_t extra(ExtraItem e) const { return extraItems[static_cast<size_t>(e)]; }
    int32_t& rare(RareItem r) { return rareItems[static_cast<size_t>(r)]; }
    int32_t rare(RareItem r) const { return rareItems[static_cast<size_t>(r)]; }
    int32_t& made(Carving c) { return carvingMade[static_cast<size_t>(c)]; }
    int32_t made(Carving c) const { return carvingMade[static_cast<size_t>(c)]; }
    int32_t& progress(EscapePart p) { return escape[static_cast<size_t>(p)]; }
    int32_t progress(EscapePart p) const { return escape[static_cast<size_t>(p)]; }

    // True when k addresses one of the four characters.
    static constexpr bool isCharacterIndex(int32_t k) { return k >= 1 && k <= kCharacterCount; }
    // The current character. Only valid while isCharacterIndex(currentCharacter).
    Character& cur() { return character[static_cast<size_t>(currentCharacter)]; }
    const Character& cur() const { return character[static_cast<size_t>(currentCharacter)]; }
    Character& ch(int k) { return character[static_cast<size_t>(k)]; }
    const Character& ch(int k) const { return character[static_cast<size_t>(k)]; }

    bool operator==(const GameState&) const = default;
};

// Fills the state with the values of a new game. Everything not named starts
// at zero, including the runtime values.
void initNewGame(GameState& s);

// Index 0..5 of the pair of characters a and b (1..4, a != b, any order):
// (1,2)=0, (1,3)=1, (1,4)=2, (2,3)=3, (2,4)=4, (3,4)=5. Returns -1 for
// anything else.
int pairIndex(int a, int b);

// The three partners of character k (1..4) in index order.
std::array<int, 3> partnersOf(int k);

// The two characters of pair p (0..5), lower index first.
std::array<int, 2> pairMembers(int p);

// Teamwork: the sum of the six intimacies, at most 60.
int32_t teamwork(const GameState& s);

// A stored count of the state, as the tables name it: a plain member
// (`&GameState::leafCount`) or a named entry of a block (`WorldFlag::Desk`,
// `ExtraItem::Perfume`, ...). Called on a state it gives that count; a
// default or nullptr counter names nothing and is false.
class Counter {
  public:
    constexpr Counter() = default;
    constexpr Counter(std::nullptr_t) {}
    constexpr Counter(int32_t GameState::*member) : member_(member), block_(Block::Member) {}
    constexpr Counter(WorldFlag f) : block_(Block::World), index_(static_cast<uint8_t>(f)) {}
    constexpr Counter(ExtraItem e) : block_(Block::Extra), index_(static_cast<uint8_t>(e)) {}
    constexpr Counter(RareItem r) : block_(Block::Rare), index_(static_cast<uint8_t>(r)) {}
    constexpr Counter(Carving c) : block_(Block::Carving), index_(static_cast<uint8_t>(c)) {}
    constexpr Counter(EscapePart p) : block_(Block::Escape), index_(static_cast<uint8_t>(p)) {}

    int32_t& operator()(GameState& s) const { return at(s); }
    int32_t operator()(const GameState& s) const { return at(s); }

    constexpr explicit operator bool() const { return block_ != Block::None; }
    constexpr bool operator==(const Counter&) const = default;

  private:
    enum class Block : uint8_t { None, Member, World, Extra, Rare, Carving, Escape };

    template <class State>
    auto at(State& s) const -> decltype((s.worldFlags[0])) {
        switch (block_) {
            case Block::World:
                return s.worldFlags[index_];
            case Block::Extra:
                return s.extraItems[index_];
            case Block::Rare:
                return s.rareItems[index_];
            case Block::Carving:
                return s.carvingMade[index_];
            case Block::Escape:
                return s.escape[index_];
            case Block::Member:
            case Block::None:
                break;
        }
        return s.*member_;
    }

    int32_t GameState::*member_ = nullptr;
    Block block_ = Block::None;
    uint8_t index_ = 0;
};

// The four characters' fixed names.
inline constexpr std::array<const char*, kCharacterCount + 1> kCharacterNames = {
    "", "ルル", "嵐", "スパーク", "残響"};

}  // namespace kotou
