// The game program: one window on the Qt event loop.
//
// Environment (for measurements and scripted runs only; the game itself has
// no settings):
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
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <thread>

#include "app/AudioDevice.h"
#include "game/GameHandlers.h"
#include "mixer/SoundMixer.h"
#include "platform/music/MusicPlayer.h"
#include "platform/qt/QtHost.h"
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

}  // namespace

int main(int argc, char** argv) {
    using namespace kotou;

    std::jthread fonts = readFontConfiguration();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kotou"));
    QApplication::setApplicationDisplayName(QString::fromUtf8("Ｑ．Ｚ．"));
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
    auto startSound = [&] {
        if (cues) return;
        // SDL would otherwise catch SIGINT and SIGTERM for an event queue
        // this program never reads, and the game could not be ended by them.
        setenv("SDL_NO_SIGNAL_HANDLERS", "1", 0);
        std::string error;
        cues = std::make_unique<MixerSoundCues>(
            loadSdlWaveOut(sdlAudioModuleFolder(environment.executableDir), error),
            (base / "dat").string());
        if (!error.empty()) std::cerr << "kotou: warning: sound disabled: " << error << '\n';
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
    FormCreate(game);
    window.syncModel();
    if (const QScreen* screen = window.screen()) {
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
