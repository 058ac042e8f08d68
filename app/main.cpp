// The game program: one window on the Qt event loop.
//
// Command line (see usage below): --help and --version answer without a
// display; --scale, --fullscreen and --windowed override the player's
// settings (platform/qt/Settings.h) for this run only.
//
// Environment (for measurements and scripted runs only):
//   KOTOU_EXIT_AFTER_SHOWN=1  end the process as soon as the title screen
//                             has been painted, without the usual shutdown
//                             (the start-up benchmark uses it);
//   KOTOU_CLOSE_AFTER_SHOWN=1 close the window as soon as the title screen
//                             has been painted, through the normal shutdown
//                             (the install tests start the installed game so);
//                             with either of these, missing game data is
//                             reported on stderr only, without a dialog;
//   KOTOU_MUSIC_DRIVER=name   FluidSynth audio driver for the music
//                             ("none" for silence).
//
// Where the game reads its data and keeps its save: state/GameFolders.h.

#include <dlfcn.h>

#include <QApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QScreen>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include "app/AudioDevice.h"
#include "game/GameHandlers.h"
#include "mixer/SoundMixer.h"
#include "platform/music/MusicPlayer.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/Settings.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Screens.h"
#include "state/GameFolders.h"
#include "state/Random.h"

namespace {

// Reading the system's font configuration takes a few milliseconds, and the
// first text the window draws would wait for it. It is read on a thread of
// its own while Qt and the window are set up. fontconfig is loaded with Qt's
// GUI library already; without it there is nothing to do.
std::jthread readFontConfiguration() {
    return std::jthread([] {
        using Init = int (*)();
        if (auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit"))) init();
    });
}

bool environmentFlag(const char* name) {
    const char* v = std::getenv(name);
    return v && std::strcmp(v, "1") == 0;
}

constexpr const char* kUsage =
    "使い方: kotou [オプション]\n"
    "  --scale N      この起動だけ画面の倍率を N（1〜3）にする\n"
    "  --fullscreen   この起動だけ全画面で始める\n"
    "  --windowed     この起動だけウィンドウで始める\n"
    "  --help         この説明を表示して終わる\n"
    "  --version      版を表示して終わる\n"
    "設定はゲームの「設定」（F2）で変えられ、~/.config/kotou/settings.ini に残ります。\n";

// What the command line asks of this run.
struct CommandLine {
    enum class Action { Play, Help, Version, Bad } action = Action::Play;
    std::optional<int> scale;
    std::optional<bool> fullscreen;
    std::string problem;
};

CommandLine parseCommandLine(int argc, char** argv) {
    CommandLine c;
    auto bad = [&c](std::string why) {
        c.action = CommandLine::Action::Bad;
        c.problem = std::move(why);
        return c;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string_view a = argv[i];
        if (a == "--help" || a == "-h") {
            c.action = CommandLine::Action::Help;
            return c;
        }
        if (a == "--version") {
            c.action = CommandLine::Action::Version;
            return c;
        }
        if (a == "--fullscreen" || a == "--windowed") {
            c.fullscreen = a == "--fullscreen";
        } else if (a == "--scale" || a.starts_with("--scale=")) {
            std::string_view v;
            if (a == "--scale") {
                if (i + 1 >= argc) return bad("--scale には倍率（1〜3）が要ります");
                v = argv[++i];
            } else {
                v = a.substr(8);
            }
            if (v.size() != 1 || v[0] < '1' || v[0] > '0' + kotou::Settings::kMaxScale)
                return bad("倍率は 1〜3 です: " + std::string(v));
            c.scale = v[0] - '0';
        } else {
            return bad("知らないオプションです: " + std::string(a));
        }
    }
    return c;
}

// The settings as the player changed them, onto what the file holds: values
// overridden for this run on the command line stay as the file has them
// unless the player changed them now.
kotou::Settings changedOnto(kotou::Settings file, const kotou::Settings& before,
                            const kotou::Settings& after) {
    auto take = [&](auto kotou::Settings::*field) {
        if (!(before.*field == after.*field)) file.*field = after.*field;
    };
    take(&kotou::Settings::scale);
    take(&kotou::Settings::fullscreen);
    take(&kotou::Settings::bgmVolume);
    take(&kotou::Settings::soundVolume);
    take(&kotou::Settings::mute);
    take(&kotou::Settings::textSpeed);
    take(&kotou::Settings::autoSeconds);
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    using namespace kotou;

    // Answered before anything needs a display.
    const CommandLine command = parseCommandLine(argc, argv);
    switch (command.action) {
        case CommandLine::Action::Help:
            std::cout << kUsage;
            return 0;
        case CommandLine::Action::Version:
            std::cout << kWindowCaption << '\n';
            return 0;
        case CommandLine::Action::Bad:
            std::cerr << "kotou: " << command.problem << '\n' << kUsage;
            return 2;
        case CommandLine::Action::Play:
            break;
    }

    // Under X, a picture handed over in shared memory is confirmed by an
    // event that wakes Qt's X event thread and then this one: three wake-ups
    // per step of the click marker instead of one. The game's small updates
    // go over the connection as well.
    setenv("QT_XCB_NO_MITSHM", "1", 0);
    // Qt's own event loop rather than GLib's: a waiting message wakes the
    // program five times a second, and each wake-up through GLib's main
    // context costs more than the marker's step it serves.
    setenv("QT_NO_GLIB", "1", 0);
    std::jthread fonts = readFontConfiguration();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kotou"));
    QApplication::setApplicationDisplayName(QString::fromUtf8("Ｑ．Ｚ．"));
    QGuiApplication::setDesktopFileName(QStringLiteral(KOTOU_APP_ID));
    const FolderEnvironment environment = FolderEnvironment::current();
    const GameFolders folders = resolveGameFolders(environment);
    const std::filesystem::path base = folders.data;
    if (!holdsGameData(base)) {
        // Without its pictures the window would come up blank.
        const std::string text = "ゲームのデータ（cg と dat）が見つかりません。\n" +
                                 environment.executableDir.string() + "\n" +
                                 environment.installedData.string();
        std::cerr << "kotou: " << text << '\n';
        // A scripted run has no one to close the dialog.
        if (!environmentFlag("KOTOU_CLOSE_AFTER_SHOWN") &&
            !environmentFlag("KOTOU_EXIT_AFTER_SHOWN"))
            QMessageBox::critical(nullptr, QStringLiteral("kotou"), QString::fromStdString(text));
        return 1;
    }
    prepareSaveFolder(folders);

    // Sound and music start once the title is on the screen: loading SDL
    // and FluidSynth, opening the devices and reading the soundfont would
    // otherwise come before the first paint. The title music asked for by
    // FormCreate is kept until then; a sound cue asked for earlier starts the
    // mixer at once.
    //
    // The mixer's block-done notifications come from the audio thread; they
    // are posted to this object and the mixer is pumped on this thread. It is
    // declared before the cues so that it outlives them.
    QObject pumpContext;
    std::unique_ptr<MixerSoundCues> cues;
    int soundVolume = 100;
    auto startSound = [&] {
        if (cues) return;
        std::string error;
        cues = std::make_unique<MixerSoundCues>(
            loadSdlWaveOut(sdlAudioModuleFolder(environment.executableDir), error),
            (base / "dat").string());
        if (!error.empty()) std::cerr << "kotou: warning: sound disabled: " << error << '\n';
        if (cues->mixer()) cues->mixer()->device().setVolume(soundVolume);
        cues->setBlockDoneHook([&pumpContext, c = cues.get()] {
            QMetaObject::invokeMethod(
                &pumpContext, [c] { c->pump(); }, Qt::QueuedConnection);
        });
    };
    // Started after the mixer has opened its SDL device, which FluidSynth's
    // SDL driver may use as well.
    MusicOptions musicOptions;
    musicOptions.startOnPlay = false;
    FluidMusicPlayer music(musicOptions);

    QtHostOptions options;
    options.baseDir = base;
    options.saveDir = folders.save;
    options.loadDir = folders.load;
    options.music = &music;
    options.soundCue = [&](int channel, const std::string& file) {
        startSound();
        cues->playSound(channel, file);
    };
    QtHost host(options);
    DefaultRandom rng;
    Game game(host, rng);
    buildForm(game.form);
    registerGameHandlers(game.handlers);

    TForm1 window(game, WindowHooks{FormClose, Timer1Timer, Timer2Timer});
    host.attach(&window);

    // The player's settings, with this run's overrides.
    const std::filesystem::path settingsPath = settingsFile();
    std::string warning;
    Settings stored = loadSettings(settingsPath, warning);
    if (!warning.empty()) std::cerr << "kotou: warning: " << warning << '\n';
    Settings settings = stored;
    if (settings.scale == 0) {
        // First start: the largest scale whose window fits the screen.
        const QScreen* screen = window.screen();
        settings.scale = screen ? fittingScale(screen->availableGeometry().size(), 32) : 1;
    }
    if (command.scale) settings.scale = *command.scale;
    if (command.fullscreen) settings.fullscreen = *command.fullscreen;
    auto applySound = [&](const Settings& s) {
        soundVolume = s.heardSound();
        if (cues && cues->mixer()) cues->mixer()->device().setVolume(soundVolume);
        music.setVolume(s.heardBgm());
    };
    applySound(settings);
    window.setSettings(settings);
    Settings shown = window.settings();
    window.settingsChanged = [&](const Settings& s) {
        applySound(s);
        stored = changedOnto(stored, shown, s);
        shown = s;
        std::string error;
        if (!saveSettings(settingsPath, stored, error)) {
            std::cerr << "kotou: warning: settings not saved: " << error << '\n';
            window.notice("設定を保存できませんでした（" + settingsPath.string() + "）");
        }
    };

    FormCreate(game);
    window.syncModel();
    window.refreshNow();
    if (const QScreen* screen = window.screen(); screen && !window.fullScreenMode()) {
        window.move(screen->availableGeometry().center() - window.rect().center());
    }
    if (environmentFlag("KOTOU_EXIT_AFTER_SHOWN")) {
        // Only the time to the painted title is measured: the process ends
        // here, as the empty window of the benchmark does, instead of waiting
        // for the music start-up and the audio threads to wind down.
        QObject::connect(&window, &TForm1::firstPainted, [] {
            std::fflush(nullptr);
            std::_Exit(0);
        });
    }
    QObject::connect(&window, &TForm1::firstPainted, &pumpContext, [&] {
        startSound();
        music.prepare();
    });
    if (environmentFlag("KOTOU_CLOSE_AFTER_SHOWN")) {
        // Queued, so that sound and music have started before the close.
        QObject::connect(&window, &TForm1::firstPainted, &window, &TForm1::close,
                         Qt::QueuedConnection);
    }
    fonts.join();  // before anything draws text
    window.show();
    window.startTimers();
    const int rc = app.exec();

    window.stopTimers();
    FormDestroy(game);
    music.stop();
    return rc;
}
