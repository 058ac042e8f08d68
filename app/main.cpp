// The game program: one window on the Qt event loop.
//
// Environment (for measurements and scripted runs only; the game itself has
// no settings):
//   KOTOU_EXIT_AFTER_SHOWN=1  end the process as soon as the title screen
//                             has been painted, without the usual shutdown
//                             (the start-up benchmark uses it);
//   KOTOU_MUSIC_DRIVER=name   FluidSynth audio driver for the music
//                             ("none" for silence).

#include <QApplication>
#include <QMetaObject>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>

#include "app/GameHandlers.h"
#include "mixer/SoundMixer.h"
#include "platform/audio/SdlWaveOut.h"
#include "platform/music/MusicPlayer.h"
#include "platform/qt/QtHost.h"
#include "platform/qt/TForm1.h"
#include "shell/FormLayout.h"
#include "shell/Screens.h"
#include "state/Random.h"

int main(int argc, char** argv) {
    using namespace kotou;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kotou"));
    QApplication::setApplicationDisplayName(QString::fromUtf8("Ｑ．Ｚ．"));
    const std::filesystem::path base = QCoreApplication::applicationDirPath().toStdString();

    // The mixer's block-done notifications come from the audio thread; they
    // are posted to this object and the mixer is pumped on this thread. It is
    // declared before the cues so that it outlives them.
    QObject pumpContext;
    auto cues = std::make_unique<MixerSoundCues>(makeSdlWaveOutDevice(), (base / "dat").string());
    cues->setBlockDoneHook([&pumpContext, c = cues.get()] {
        QMetaObject::invokeMethod(
            &pumpContext, [c] { c->pump(); }, Qt::QueuedConnection);
    });
    // FluidSynth starts in the background while the window is built; the
    // title music asked for meanwhile begins once it is ready. Started after
    // the mixer has opened its SDL device, which FluidSynth's SDL driver may
    // use as well.
    FluidMusicPlayer music;
    music.prepare();

    QtHostOptions options;
    options.baseDir = base;
    options.music = &music;
    options.soundCue = [c = cues.get()](int channel, const std::string& file) {
        c->playSound(channel, file);
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
    if (const char* exit = std::getenv("KOTOU_EXIT_AFTER_SHOWN");
        exit && std::strcmp(exit, "1") == 0) {
        // Only the time to the painted title is measured: the process ends
        // here, as the empty window of the benchmark does, instead of waiting
        // for the music start-up and the audio threads to wind down.
        QObject::connect(&window, &TForm1::firstPainted, [] {
            std::fflush(nullptr);
            std::_Exit(0);
        });
    }
    window.show();
    window.startTimers();
    const int rc = app.exec();

    window.stopTimers();
    FormDestroy(game);
    music.stop();
    return rc;
}
