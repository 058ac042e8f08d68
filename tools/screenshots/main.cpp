// kotou-screenshots: pictures of the game for software centres, drawn by the
// game's own window (on Qt's offscreen platform when the build runs it):
//   FOLDER/title.png   the title screen;
//   FOLDER/island.png  a continued game: 嵐's turn on day 12 in the forest.
// The game's data is read beside this program (cg/ of the build), the save it
// continues is written to a temporary folder. The same build draws the same
// pictures.

#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <QPixmap>
#include <filesystem>
#include <iostream>
#include <string>

#include "app/GameHandlers.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Messages.h"
#include "shell/Screens.h"
#include "state/GameFolders.h"
#include "state/GameState.h"
#include "state/Random.h"
#include "state/SaveFile.h"

namespace {

namespace fs = std::filesystem;

bool save(kotou::TForm1& window, const fs::path& file) {
    window.repaintNow();
    QCoreApplication::processEvents();
    if (window.grab().save(QString::fromStdString(file.string()))) return true;
    std::cerr << "kotou-screenshots: cannot write " << file.string() << "\n";
    return false;
}

// Draws both pictures into `out`; the continued game's save goes to `saves`.
bool drawScreenshots(const fs::path& out, const fs::path& saves) {
    using namespace kotou;
    QtHostOptions options;
    options.baseDir = FolderEnvironment::current().executableDir;
    if (!holdsGameData(options.baseDir)) {
        std::cerr << "kotou-screenshots: no cg/ and dat/ beside the program in "
                  << options.baseDir.string() << "\n";
        return false;
    }
    options.saveDir = options.loadDir = saves;
    options.confirm = [](const std::string&) { return true; };
    options.error = [](const std::string& text) {
        std::cerr << "kotou-screenshots: " << text << "\n";
    };
    QtHost host(options);
    DefaultRandom rng(1);
    Game game(host, rng);
    buildForm(game.form);
    registerGameHandlers(game.handlers);
    TForm1 window(game, WindowHooks{FormClose, Timer1Timer, {}});
    host.attach(&window);
    FormCreate(game);
    window.show();
    bool ok = save(window, out / "title.png");

    GameState saved;
    initNewGame(saved);
    saved.currentCharacter = 2;
    saved.dayNumber = 12;
    saved.stoneCount = 14;
    saved.branchCount = 3;
    // Twelve days of island life show in 嵐's skills and needs.
    Character& c = saved.ch(2);
    c.level = 3;
    c.actionPoints = 6;
    c.stamina = 8;
    c.strength = 14;
    c.dexterity = 6;
    c.cooking = 9;
    c.hygiene = 62;
    c.bowel = 45;
    c.stress = 70;
    c.obesity = 88;
    c.geography = 11;
    c.botany = 7;
    c.zoology = 4;
    c.phantom = 35;
    saveGame(saved, saves, "得点：0点");
    Button12Click(game);
    showScene(game, "背景・林.jpg");
    Timer1Timer(game);
    return save(window, out / "island.png") && ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: kotou-screenshots FOLDER\n";
        return 2;
    }
    const fs::path out = argv[1];
    std::string pattern = (fs::temp_directory_path() / "kotou-screenshots-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::cerr << "kotou-screenshots: cannot make a temporary folder\n";
        return 1;
    }
    const fs::path saves = pattern;
    std::error_code ec;
    fs::create_directories(saves / "dat", ec);
    fs::create_directories(out, ec);
    // A build has no session: Qt gets the temporary folder (mode 0700) as its
    // runtime folder instead of complaining.
    setenv("XDG_RUNTIME_DIR", saves.c_str(), 0);
    bool ok = false;
    {
        QApplication app(argc, argv);
        try {
            ok = drawScreenshots(out, saves);
        } catch (const std::exception& e) {
            std::cerr << "kotou-screenshots: " << e.what() << "\n";
        }
    }
    fs::remove_all(saves, ec);
    return ok ? 0 : 1;
}
