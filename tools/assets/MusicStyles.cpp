#include "tools/assets/MusicStyles.h"

namespace kotou::assets::music {

namespace {

// General MIDI programs (0-based).
enum Program : uint8_t {
    Piano = 0,
    BrightPiano = 1,
    HonkyTonk = 3,
    FmPiano = 5,
    Harpsichord = 6,
    Celesta = 8,
    Glockenspiel = 9,
    MusicBox = 10,
    Vibraphone = 11,
    Marimba = 12,
    Organ = 16,
    RockOrgan = 18,
    Accordion = 21,
    Harmonica = 22,
    NylonGuitar = 24,
    SteelGuitar = 25,
    Overdrive = 29,
    Distortion = 30,
    AcousticBass = 32,
    FingerBass = 33,
    PickBass = 34,
    Fretless = 35,
    SynthBass = 38,
    Cello = 42,
    Harp = 46,
    Strings = 48,
    SlowStrings = 49,
    Choir = 52,
    Trumpet = 56,
    Trombone = 57,
    Tuba = 58,
    MutedTrumpet = 59,
    Horn = 60,
    Brass = 61,
    AltoSax = 65,
    TenorSax = 66,
    Oboe = 68,
    EnglishHorn = 69,
    Bassoon = 70,
    Clarinet = 71,
    Piccolo = 72,
    Flute = 73,
    Recorder = 74,
    PanFlute = 75,
    Shakuhachi = 77,
    Whistle = 78,
    Ocarina = 79,
    SquareLead = 80,
    SawLead = 81,
    Calliope = 82,
    NewAgePad = 88,
    WarmPad = 89,
    Sitar = 104,
    Shamisen = 106,
    Koto = 107,
    Kalimba = 108,
    Fiddle = 110,
    Shanai = 111,
    SteelDrums = 114,
};
constexpr uint8_t None = kNoInstrument;

// General MIDI percussion keys.
enum Drum : uint8_t {
    Kick = 36,
    SideStick = 37,
    Snare = 38,
    Clap = 39,
    LowFloorTom = 41,
    ClosedHat = 42,
    PedalHat = 44,
    LowTom = 45,
    LowMidTom = 47,
    HighMidTom = 48,
    HighTom = 50,
    Ride = 51,
    Tambourine = 54,
    HighBongo = 60,
    LowBongo = 61,
    MuteConga = 62,
    OpenConga = 63,
    LowConga = 64,
    HighTimbale = 65,
    LowTimbale = 66,
    Cabasa = 69,
    Maracas = 70,
    Claves = 75,
    HighBlock = 76,
    LowBlock = 77,
    Triangle = 81,
};

// --- Melody rhythms (steps of a bar) ---------------------------------------------

constexpr std::array<std::string_view, 6> kCalm4 = {"4 2 2 4 4", "6 2 4 4", "4 4 2 2 4",
                                                    "2 2 4 4 4", "4 2 2 8", "3 1 4 4 4"};
constexpr std::array<std::string_view, 4> kCalm4End = {"4 12", "4 4 8", "2 2 12", "8 8"};
constexpr std::array<std::string_view, 6> kDrive4 = {"2 2 2 2 4 4", "4 2 2 2 2 4",   "2 2 4 2 2 4",
                                                     "3 3 2 4 4",   "2 1 1 2 2 4 4", "4 4 2 2 2 2"};
constexpr std::array<std::string_view, 3> kDrive4End = {"2 2 4 8", "4 4 8", "2 2 2 2 8"};
constexpr std::array<std::string_view, 5> kSync4 = {"3 3 2 4 4", "2 4 2 4 4", "4 3 3 2 4",
                                                    "3 3 4 2 4", "2 2 3 3 2 4"};
constexpr std::array<std::string_view, 6> kWaltz = {"4 2 2 4", "6 2 4", "4 4 4",
                                                    "2 2 4 4", "8 2 2", "4 2 2 2 2"};
constexpr std::array<std::string_view, 3> kWaltzEnd = {"4 8", "12", "2 2 8"};
constexpr std::array<std::string_view, 5> kCompound = {"2 1 2 1 3 3", "3 2 1 3 3", "2 1 3 2 1 3",
                                                       "3 3 2 1 3", "1 1 1 3 2 1 3"};
constexpr std::array<std::string_view, 3> kCompoundEnd = {"3 3 6", "2 1 9", "6 6"};
constexpr std::array<std::string_view, 5> kSwing = {"2 1 2 1 6", "3 2 1 3 3", "2 1 2 1 2 1 3",
                                                    "6 2 1 3", "2 1 3 2 1 3"};

// --- Grooves ---------------------------------------------------------------------

// Calm day and title: piano broken chords, no drums.
const Groove kTitleArpeggio{
    4, 4, "1....... 5.......", "0.1.2.3. 4.3.2.1.", "c...............", {}, {}, kCalm4, kCalm4End};
// The voice: finger-picked guitar, side stick and shaker.
const Groove kFingerPicked{4,
                           4,
                           "1...-.1. 5...-...",
                           "0.2.1.3. 0.2.1.3.",
                           "c....... c.......",
                           {{{Kick, "o------- o-o-----"},
                             {SideStick, "----o--- ----o---"},
                             {Maracas, "o-g-o-g- o-g-o-g-"}}},
                           {{{HighMidTom, "-------- ----x-o-"}, {LowTom, "-------- ------x-"}}},
                           kCalm4,
                           kCalm4End};
// Night: a music-box waltz, bass on one, the chord on two and three.
const Groove kNightWaltz{3,  4,  "1...-------- ", "----u...u...", "c...........",
                         {}, {}, kWaltz,          kWaltzEnd};
// Rain: rippling piano, a shaker and a rim on three.
const Groove kRainfall{4,
                       4,
                       "1....... ....5...",
                       "0123 4321 0123 4321",
                       "c...............",
                       {{{Kick, "o------- --o-----"},
                         {SideStick, "-------- o-------"},
                         {Maracas, "-g-g-g-g -g-g-g-g"}}},
                       {{{SideStick, "-------- ----o-oo"}}},
                       kCalm4,
                       kCalm4End};
// Battle: driving eighths, string ostinato, brass hits.
const Groove kBattleDrive{
    4,
    4,
    "1.1.1.1. 1.1.8.1.",
    "0.0.2.0. 3.0.2.0.",
    "c..----- c.......",
    {{{Kick, "x--x--x- x--x--x-"}, {Snare, "----X--- ----X---"}, {ClosedHat, "x-x-x-x- x-x-x-x-"}}},
    {{{Snare, "-------- x-x-xxxx"}, {HighTom, "-------- -----x--"}, {LowTom, "-------- ------x-"}}},
    kDrive4,
    kDrive4End};
// Survival: rock, power chords.
const Groove kRock{
    4,
    4,
    "1.1.1.1. 1.1.1.a.",
    "p.p-p.p- p.p-p-p-",
    "c...............",
    {{{Kick, "x-x---x- x-x---x-"}, {Snare, "----X--g ----X---"}, {Ride, "x-x-x-x- x-x-x-x-"}}},
    {{{HighTom, "-------- xx------"},
      {LowMidTom, "-------- --xx----"},
      {LowTom, "-------- ----xx--"},
      {Snare, "-------- ------XX"}}},
    kDrive4,
    kDrive4End};
// Our way: a shuffle.
const Groove kShuffle{
    4,
    3,
    "1-5 8-5 1-5 8-a",
    "--- c.- --c c.-",
    "c.. ... ... ...",
    {{{ClosedHat, "x-o x-o x-o x-o"}, {Snare, "--- x-- --- x-g"}, {Kick, "x-- --- x-o ---"}}},
    {{{Snare, "--- --- x-x xxx"}, {LowTom, "--- --- --- -x-"}}},
    kCompound,
    kCompoundEnd};
// Exploring: marimba over congas and a tresillo bass.
const Groove kJungle{4,
                     4,
                     "1..1..5. 1..1..5.",
                     "0.2.3.1. 2.0.3.2.",
                     "c...............",
                     {{{LowConga, "x-----x- --x-----"},
                       {OpenConga, "--x-o--- x-o---x-"},
                       {Maracas, "g-o-g-o- g-o-g-o-"},
                       {Kick, "x------- x-------"}}},
                     {{{HighMidTom, "-------- x-x-----"},
                       {LowTom, "-------- ----x-x-"},
                       {LowFloorTom, "-------- -----x-x"}}},
                     kSync4,
                     kCalm4End};
// Afternoon by the sea: calypso, son clave.
const Groove kCalypso{4,
                      4,
                      "1..5..1. 1..5..8.",
                      "--c--c-c --c--c-c",
                      "c...............",
                      {{{Claves, "x--x--x- --x-x---"},
                        {Kick, "o---o--- o---o---"},
                        {MuteConga, "--o---oo --o---oo"},
                        {Cabasa, "g-g-g-g- g-g-g-g-"}}},
                      {{{HighTimbale, "-------- ----x-xx"}, {LowTimbale, "-------- -----x-x"}}},
                      kSync4,
                      kCalm4End};
// Shining time: bright pop.
const Groove kBrightPop{4,
                        4,
                        "1..1..1. 5..5..5.",
                        "c..c..c. --c..c..",
                        "c...............",
                        {{{Kick, "x-----x- x-------"},
                          {Snare, "----x--- ----x---"},
                          {ClosedHat, "x-o-x-o- x-o-x-o-"},
                          {Tambourine, "----x--- ----x---"}}},
                        {{{HighMidTom, "-------- x-x-----"},
                          {LowTom, "-------- ----x-x-"},
                          {Snare, "-------- ------xx"}}},
                        kSync4,
                        kCalm4End};
// Bonds: a slow ballad in twelve-eight.
const Groove kSlowTwelve{
    4,
    3,
    "1.. ... 5.. ...",
    "012 321 012 321",
    "c.. ... ... ...",
    {{{Kick, "o-- --- o-- ---"}, {SideStick, "--- o-- --- o--"}, {ClosedHat, "o-g o-g o-g o-g"}}},
    {{{HighMidTom, "--- --- x-x x--"}, {LowTom, "--- --- --- -xx"}}},
    kCompound,
    kCompoundEnd};
// Sky blue: bossa nova.
const Groove kBossa{4,
                    4,
                    "1.....5. 5.....1.",
                    "c..c..c. ..c..c..",
                    "c...............",
                    {{{SideStick, "x--x--x- --x--x--"},
                      {Kick, "o--oo--o o--oo--o"},
                      {Maracas, "gogogogo gogogogo"}}},
                    {{{HighBongo, "-------- ----x-x-"}, {LowBongo, "-------- -----x-x"}}},
                    kSync4,
                    kCalm4End};
// Disaster: pounding toms and a string ostinato.
const Groove kAlarm{4,
                    4,
                    "1.1.1.1. 1.1.1.1.",
                    "0.0.1.0. 0.0.2.0.",
                    "c....... c.......",
                    {{{Kick, "x-----x- x-------"},
                      {LowFloorTom, "x--x--x- --x-x---"},
                      {Snare, "----o--- ----o--g"}}},
                    {{{Snare, "-------- xxxxXXXX"}}},
                    kDrive4,
                    kDrive4End};

// Radio genres.
const Groove kJazzBallad{
    4,
    3,
    "1.. 3.. 5.. a..",
    "--- c.- --- c.-",
    "c.. ... ... ...",
    {{{Ride, "x-- x-o x-- x-o"}, {PedalHat, "--- x-- --- x--"}, {Kick, "o-- --- --- ---"}}},
    {{{Snare, "--- --- g-g x-x"}}},
    kSwing,
    kCompoundEnd};
const Groove kShanty{4,
                     3,
                     "1.. 5.. 1.. 5..",
                     "-cc -cc -cc -cc",
                     "c.. ... ... ...",
                     {{{Kick, "x-- x-- x-- x--"}, {Tambourine, "-o- -oo -o- -oo"}}},
                     {{{Snare, "--- --- --- xxx"}}},
                     kCompound,
                     kCompoundEnd};
const Groove kTrainBeat{4,
                        4,
                        "1...5... 1...5...",
                        "c.cc.cc. c.cc.cc.",
                        "c...............",
                        {{{Snare, "gogoxogo gogoxogo"}, {Kick, "x------- x-------"}}},
                        {{{Snare, "-------- ----xxxx"}}},
                        kCalm4,
                        kCalm4End};
const Groove kCaravan{4,
                      4,
                      "1....... 1...5...",
                      "0.1.0.2. 0.1.0.3.",
                      "c...............",
                      {{{LowConga, "x------- x-------"},
                        {OpenConga, "--x---x- ----x---"},
                        {Tambourine, "g-g-g-g- g-g-g-g-"}}},
                      {{{OpenConga, "-------- ----xxxx"}, {LowConga, "-------- -------x"}}},
                      kSync4,
                      kCalm4End};
const Groove kCampWaltz{
    3,
    4,
    "1...--------",
    "----u.--u.--",
    "c...........",
    {{{Kick, "o-----------"}, {HighBongo, "----o---o---"}, {Maracas, "g-g-g-g-g-g-"}}},
    {{{HighBongo, "--------x-x-"}, {LowBongo, "----------xx"}}},
    kWaltz,
    kWaltzEnd};
const Groove kMarch{4,
                    4,
                    "1....... 5.......",
                    "----c.-- ----c.--",
                    "c...............",
                    {{{Snare, "X-ggx-g- X-ggx-xx"}, {Kick, "x------- x-------"}}},
                    {{{Snare, "-------- xxxxXXXX"}}},
                    kCalm4,
                    kCalm4End};
const Groove kLullaby{4,  3,  "1.. ... ... ...", "012 321 012 321", "c.. ... ... ...",
                      {}, {}, kCompound,         kCompoundEnd};
const Groove kPastoralWaltz{3,
                            4,
                            "1...--------",
                            "----c.--c.--",
                            "c...........",
                            {{{Kick, "x-----------"}, {ClosedHat, "----o---o---"}}},
                            {{{HighMidTom, "--------x-x-"}, {LowTom, "----------x-"}}},
                            kWaltz,
                            kWaltzEnd};
const Groove kShrine{4,
                     4,
                     "1....... --------",
                     "0.1.2.4. ----2.1.",
                     "c...............",
                     {{{LowBlock, "x------- ----o---"}, {HighBlock, "-------- o-------"}}},
                     {{{HighBlock, "-------- ----o-oo"}}},
                     kCalm4,
                     kCalm4End};
const Groove kBaroque{4,
                      4,
                      "1.5.8.5. 1.5.8.5.",
                      "0.1.2.1. 3.1.2.1.",
                      "c...............",
                      {{{HighBlock, "o------- o-------"}, {LowBlock, "----o--- ----o---"}}},
                      {{{Triangle, "-------- ------x-"}}},
                      kDrive4,
                      kDrive4End};
const Groove kSwingTram{
    4,
    3,
    "1.. 3.. 5.. a..",
    "c.- -c. c.- -c.",
    "c.. ... ... ...",
    {{{Ride, "x-- x-o x-- x-o"}, {Snare, "--- x-- --- x--"}, {Kick, "o-- --- o-- ---"}}},
    {{{Snare, "--- --- x-x xxx"}, {LowTom, "--- --- --- --x"}}},
    kSwing,
    kCompoundEnd};
const Groove kSynthPulse{
    4,
    4,
    "1.1.1.1. 1.1.1.8.",
    "0124 0124 0124 0124",
    "c...............",
    {{{Kick, "x---x--- x---x---"}, {Clap, "----x--- ----x---"}, {ClosedHat, "--x---x- --x---x-"}}},
    {{{Clap, "-------- ----xxxx"}}},
    kSync4,
    kCalm4End};

// --- Progressions ------------------------------------------------------------------

const Harmony kTitleHarmony{"IM7 | IVM7",
                            "I | V/3 | vi | I/5 | IV | I/3 | ii7 | V",
                            "I | V/3 | vi | I/5 | IV | iv6 | I/5 V7 | I",
                            "IV | V | iii7 | vi",
                            "ii7 | I/3 | IV V/3 | Vs4 V",
                            "IVM7 | I"};
const Harmony kVoiceHarmony{"IV | V7s4",
                            "I iii/5 | vi7 | ii7 | V7s4 V7",
                            "I iii/5 | vi7 IV | ii7 V7 | I",
                            "IVM7 | iii7 | vi7 | II7",
                            "IVM7 | iii7 vi7 | ii7 | V7s4 V7",
                            "IVM7 | I"};
const Harmony kNightHarmony{"i | V7",
                            "i | iv | bVII | bIII | bVI | iih7 | V | V7",
                            "i | iv | bVII | bIII | bVI | iv | i/5 V7 | i",
                            "bIII | bVII | bVI | iv",
                            "bIII | bVI | iih7 | V",
                            "iv | i"};
const Harmony kRainHarmony{"i | bVIM7",
                           "i | i7/7 | bVIM7 | V",
                           "iv7 | v7 bVI | iv7 V7 | i",
                           "bVIM7 | bVII | i | i7/7",
                           "bVI | iv7 | iih7 | V7",
                           "bVIM7 | i"};
const Harmony kBattleHarmony{"i | i",
                             "i | bVI bVII | i | bVI V | iv | i/3 | bVI | V",
                             "i | bVI bVII | i | bVI V | iv | bVI bVII | iv V | i",
                             "bVI | bVII | bIII | bVI | iv | bVII | bIII | V",
                             "bVI | bVII | i | bVI | iv | i/5 | bII | V",
                             "bVI bVII | i"};
const Harmony kSurvivalHarmony{
    "i | bVII",           "i | bIII bVII | iv | V", "i | bIII bVII | iv V | i",
    "bVI | bVII | i | i", "bVI | bVII | iv | V",    "bVI bVII | i"};
const Harmony kTogetherHarmony{
    "I | V7",   "I | IV | vi | V", "I | IV | ii V7 | I", "IV | iv | I | VI7", "II7 | ii7 | IV | V7",
    "IV V7 | I"};
const Harmony kExploreHarmony{"I | bVII",
                              "I | bVII | IV | I | vi | bVII | IV | V",
                              "I | bVII | IV | I | vi | IV | V | I",
                              "vi | IV | I | V",
                              "vi | IV | bVII | V",
                              "bVII | I"};
const Harmony kCalypsoHarmony{
    "I | V7",          "I | IV V7 | I vi | ii V7", "I | IV V7 | I vi | ii7:1 V7:1 I:2",
    "IV | I | V7 | I", "IV | I/3 | ii7 | V7",      "V7 | I"};
const Harmony kBrightHarmony{"IV | V",
                             "IVM7 | V | iii7 | vi | ii7 | iii7 | IV | V",
                             "IVM7 | V | iii7 | vi | ii7 | V/3 | IV V7 | I",
                             "vi | V | IV | I | vi | V | IV | V",
                             "IV | V | iii | vi | ii7 | I/3 | IV | V7",
                             "IV V | I"};
const Harmony kBondsHarmony{"I | Vs4",           "I | iii7 | IVM7 | V", "vi7 | iii7 | IVM7 V | I",
                            "IV | V | iii | vi", "ii7 | iii7 | IV | V", "IV | I"};
const Harmony kSkyHarmony{"IM7 | II7",
                          "IM7 | II7 | ii7 | V7",
                          "IM7 | II7 | ii7 V7 | IM7",
                          "IVM7 | iv7 | iii7 | VI7",
                          "ii7 | II7 | ii7 | V7",
                          "ii7 V7 | IM7"};
const Harmony kDisasterHarmony{"i | bII",
                               "i | bII | i | bII | iv | bVI | iih7 | V",
                               "i | bII | i | bII | iv | viio7 | V | i",
                               "bVI | bII | bVI | V",
                               "iv | viio7/3 | bII | V",
                               "bII | i"};

const Harmony kJazzHarmony{"ii7 | V7",
                           "IM7 | vi7 | ii7 | V7",
                           "iii7 VI7 | ii7 V7 | IM7 IV7 | IM7",
                           "IVM7 | iv7 bVII7 | iii7 | VI7",
                           "ii7 | V7 | iii7 VI7 | ii7 V7",
                           "ii7 V7 | IM7"};
const Harmony kShantyHarmony{"i | bVII",
                             "i | bVII | i | V",
                             "i | IV | bVII V | i",
                             "bIII | bVII | IV | i",
                             "bIII | bVII | IV | V",
                             "bVII | i"};
const Harmony kDawnHarmony{"I | IV",          "I | IV | vi | V",   "I | IV | I/5 V7 | I",
                           "IV | I | IV | V", "vi | iii | IV | V", "IV | I"};
const Harmony kCaravanHarmony{"i | V",
                              "i | bII | i | V | iv | bII | iv | V",
                              "i | bII | i | V | iv | bVI | bII V | i",
                              "iv | bIII | bII | i",
                              "iv | bVI | bII | V",
                              "bII | i"};
const Harmony kCampHarmony{"i | IV",
                           "i | IV | i | IV | bIII | bVII | iv | V",
                           "i | IV | i | IV | bIII | bVII | IV V | i",
                           "bIII | bVII | IV | i",
                           "bIII | bVII | IV | V",
                           "IV | i"};
const Harmony kMarchHarmony{"I | V7",
                            "I | I | V7 | I | IV | I | II7 | V",
                            "I | I | V7 | I | IV | iv | I/5 V7 | I",
                            "IV | IV | I | I | II7 | II7 | V | V7",
                            "IV | iv | I | VI7 | ii7 | V7 | I/5 | V7",
                            "V7 | I"};
const Harmony kLullabyHarmony{"I | IV",
                              "I | IV/5 | I | V/3",
                              "I | IV/5 | ii7 V7 | I",
                              "vi | iii | IV | I",
                              "IV | I/3 | ii7 | V",
                              "IV | I"};
const Harmony kPastoralHarmony{"I | V",
                               "I | IV | I | V | I | IV | ii | V",
                               "I | IV | I | V | vi | ii | V7 | I",
                               "IV | I | V | vi | IV | I | ii | V",
                               "IV | iii | ii | I/3 | IV | V | IV/5 | V",
                               "V7 | I"};
const Harmony kShrineHarmony{"i | bII",
                             "i | bII | bVII | v",
                             "i | bII | bVII iv | i",
                             "iv | bIII | bII | i",
                             "iv | bVI | bII | v",
                             "bII | i"};
const Harmony kClockHarmony{"I | V",
                            "I | IV | viio | iii | vi | ii | I/5 | V",
                            "I | IV | viio | iii | vi | ii7 V | I/5 V7 | I",
                            "vi | ii | III7 | vi",
                            "IV | ii | I/5 | V",
                            "V7 | I"};
const Harmony kTramHarmony{"V7 | V7",
                           "I | VI7 | II7 | V7 | I | I7 | IV | V7",
                           "I | VI7 | II7 | V7 | IV | #ivo7 | I/5 V7 | I",
                           "IV | iv | I | VI7",
                           "II7 | II7 | ii7 | V7",
                           "V7 | I"};
const Harmony kObservatoryHarmony{"IM7 | II",
                                  "IM7 | II | vi7 | V",
                                  "IM7 | II/3 | vi7 V | I",
                                  "vi | iii | II | IM7",
                                  "vi | iii | II | V",
                                  "II | IM7"};

// --- The pieces, by mood -------------------------------------------------------------

using M = Mode;

const TuneStyle kTitle{88,
                       74,
                       M::Major,
                       &kTitleArpeggio,
                       &kTitleHarmony,
                       {Flute, Oboe, AcousticBass, Piano, Strings, Horn},
                       0,
                       60,
                       1};
const TuneStyle kVoice{96,
                       65,
                       M::Major,
                       &kFingerPicked,
                       &kVoiceHarmony,
                       {Clarinet, Vibraphone, AcousticBass, NylonGuitar, Choir, SlowStrings},
                       0,
                       50,
                       2};
const TuneStyle kNight{80,
                       76,
                       M::Minor,
                       &kNightWaltz,
                       &kNightHarmony,
                       {MusicBox, Vibraphone, AcousticBass, Harp, WarmPad, SlowStrings},
                       0,
                       70,
                       1};
const TuneStyle kRain{88,
                      62,
                      M::Minor,
                      &kRainfall,
                      &kRainHarmony,
                      {EnglishHorn, Cello, FingerBass, Piano, SlowStrings, Clarinet},
                      0,
                      65,
                      2};
const TuneStyle kBattle{152,
                        64,
                        M::Minor,
                        &kBattleDrive,
                        &kBattleHarmony,
                        {Trumpet, SawLead, SynthBass, Strings, Brass, Horn},
                        0,
                        30,
                        1};
const TuneStyle kSurvival{144,
                          67,
                          M::Minor,
                          &kRock,
                          &kSurvivalHarmony,
                          {Overdrive, SawLead, PickBass, Distortion, RockOrgan, None},
                          0,
                          25,
                          2};
const TuneStyle kTogether{104,
                          67,
                          M::Major,
                          &kShuffle,
                          &kTogetherHarmony,
                          {Harmonica, SteelGuitar, FingerBass, HonkyTonk, Organ, AltoSax},
                          0,
                          30,
                          2};
const TuneStyle kSkyBlue{
    100,     67,           M::Major,
    &kBossa, &kSkyHarmony, {AltoSax, Flute, AcousticBass, NylonGuitar, WarmPad, Vibraphone},
    0,       45,           2};
const TuneStyle kDisaster{100,
                          60,
                          M::HarmonicMinor,
                          &kAlarm,
                          &kDisasterHarmony,
                          {Brass, Strings, AcousticBass, Strings, Choir, Horn},
                          0,
                          50,
                          1};

const std::array<TuneStyle, 4> kExplore = {{
    {112,
     72,
     M::Mixolydian,
     &kJungle,
     &kExploreHarmony,
     {Ocarina, PanFlute, FingerBass, Marimba, Strings, Horn},
     0,
     40,
     1},
    {104,
     65,
     M::Major,
     &kCalypso,
     &kCalypsoHarmony,
     {SteelDrums, Kalimba, AcousticBass, SteelGuitar, WarmPad, Vibraphone},
     0,
     40,
     2},
    {126,
     70,
     M::Major,
     &kBrightPop,
     &kBrightHarmony,
     {Trumpet, AltoSax, FingerBass, BrightPiano, Strings, Brass},
     2,
     35,
     1},
    {56,
     63,
     M::Major,
     &kSlowTwelve,
     &kBondsHarmony,
     {Horn, Strings, AcousticBass, Piano, SlowStrings, Cello},
     0,
     60,
     1},
}};

const std::array<TuneStyle, 12> kRadio = {{
    // Harbour town: a jazz ballad, a shanty, a folk song for the dawn train.
    {66,
     60,
     M::Major,
     &kJazzBallad,
     &kJazzHarmony,
     {TenorSax, Vibraphone, AcousticBass, Piano, None, SlowStrings},
     0,
     55,
     1},
    {100,
     62,
     M::Dorian,
     &kShanty,
     &kShantyHarmony,
     {Accordion, Fiddle, AcousticBass, SteelGuitar, None, None},
     0,
     40,
     2},
    {100,
     74,
     M::Major,
     &kTrainBeat,
     &kDawnHarmony,
     {Whistle, Harmonica, AcousticBass, SteelGuitar, SlowStrings, None},
     0,
     45,
     2},
    // The wind brigade: a caravan, a camp in the dunes, a march.
    {100,
     64,
     M::HarmonicMinor,
     &kCaravan,
     &kCaravanHarmony,
     {Shanai, Sitar, Fretless, NylonGuitar, SlowStrings, None},
     0,
     50,
     1},
    {84,
     74,
     M::Dorian,
     &kCampWaltz,
     &kCampHarmony,
     {PanFlute, Oboe, Fretless, NylonGuitar, WarmPad, None},
     0,
     60,
     1},
    {116,
     70,
     M::Major,
     &kMarch,
     &kMarchHarmony,
     {Trumpet, Piccolo, Tuba, Brass, None, Horn},
     0,
     35,
     1},
    // The moonlit forest: a lullaby, a sunny path, a mossy shrine.
    {56,
     79,
     M::Major,
     &kLullaby,
     &kLullabyHarmony,
     {Glockenspiel, Flute, AcousticBass, Celesta, SlowStrings, None},
     0,
     70,
     1},
    {96,
     74,
     M::Major,
     &kPastoralWaltz,
     &kPastoralHarmony,
     {Clarinet, Oboe, AcousticBass, SteelGuitar, None, Bassoon},
     0,
     45,
     1},
    {66,
     64,
     M::Phrygian,
     &kShrine,
     &kShrineHarmony,
     {Shakuhachi, Shamisen, AcousticBass, Koto, SlowStrings, None},
     0,
     75,
     1},
    // The glass city: a clock tower, a tram, an observatory.
    {96,
     72,
     M::Major,
     &kBaroque,
     &kClockHarmony,
     {Recorder, Oboe, Cello, Harpsichord, None, Bassoon},
     0,
     40,
     1},
    {116,
     70,
     M::Major,
     &kSwingTram,
     &kTramHarmony,
     {Clarinet, MutedTrumpet, AcousticBass, HonkyTonk, None, Trombone},
     0,
     35,
     1},
    {104,
     77,
     M::Lydian,
     &kSynthPulse,
     &kObservatoryHarmony,
     {Calliope, SquareLead, SynthBass, FmPiano, NewAgePad, None},
     0,
     70,
     2},
}};

}  // namespace

const TuneStyle& styleFor(const MusicAsset& asset) {
    const auto variant = static_cast<size_t>(asset.variant);
    switch (asset.tune) {
        case Tune::Title:
            return kTitle;
        case Tune::Voice:
            return kVoice;
        case Tune::Night:
            return kNight;
        case Tune::Rain:
            return kRain;
        case Tune::Battle:
            return kBattle;
        case Tune::Survival:
            return kSurvival;
        case Tune::Together:
            return kTogether;
        case Tune::SkyBlue:
            return kSkyBlue;
        case Tune::Disaster:
            return kDisaster;
        case Tune::Explore:
            return kExplore[variant % kExplore.size()];
        case Tune::Radio:
            return kRadio[variant % kRadio.size()];
    }
    return kTitle;
}

}  // namespace kotou::assets::music
