#include "platform/qt/QtHost.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QThread>
#include <QTimer>

#include "platform/music/MusicPlayer.h"
#include "platform/qt/TForm1.h"

namespace kotou {

namespace {

QString dialogText(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

// A message box of the game: the program's title, Japanese button texts.
struct Dialog {
    const char* text;
    QMessageBox::StandardButton button;
};
constexpr Dialog kYes{"はい", QMessageBox::Yes};
constexpr Dialog kNo{"いいえ", QMessageBox::No};
constexpr Dialog kOk{"OK", QMessageBox::Ok};

QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const std::string& text,
                                std::initializer_list<Dialog> buttons) {
    QMessageBox box(icon, QGuiApplication::applicationDisplayName(), dialogText(text),
                    QMessageBox::NoButton, parent);
    for (const Dialog& d : buttons) box.addButton(d.button)->setText(QString::fromUtf8(d.text));
    box.setDefaultButton(buttons.begin()->button);
    box.exec();
    QAbstractButton* clicked = box.clickedButton();
    return clicked ? box.standardButton(clicked) : QMessageBox::NoButton;
}

}  // namespace

QtHost::QtHost(QtHostOptions options) : options_(std::move(options)) {}

QtHost::~QtHost() = default;

void QtHost::repaint() {
    if (window_) window_->refreshNow();
}

void QtHost::repaintForm() {
    if (window_) window_->repaintNow();
}

void QtHost::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

namespace {
// Milliseconds per typewriter step (one code page 932 byte) at each speed,
// for a step the game asks one millisecond for.
int stepMs(TextSpeed speed) {
    switch (speed) {
        case TextSpeed::Slow:
            return 14;
        case TextSpeed::Normal:
            return 1;
        case TextSpeed::Fast:
        case TextSpeed::Instant:
            return 0;
    }
    return 1;
}

qint64 nowMs() {
    static QElapsedTimer clock;
    if (!clock.isValid()) clock.start();
    return clock.elapsed();
}
}  // namespace

void QtHost::sleepMs(int ms) {
    if (window_) ms *= stepMs(window_->settings().textSpeed);
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

bool QtHost::revealAtOnce() const {
    return window_ && (window_->settings().textSpeed == TextSpeed::Instant || window_->skipping());
}

void QtHost::advance() {
    waitStartedMs_ = -1;
    window_->dispatch("moji_l");
}

void QtHost::messageShown(std::string_view text, bool) {
    if (window_) window_->history().add(text);
}

int QtHost::waitForEvents(int timeoutMs) {
    QElapsedTimer clock;
    clock.start();
    if (window_) {
        if (window_->skipping()) {
            advance();
            return 0;
        }
        // Automatic reading counts the time the message waited with nothing
        // laid over it.
        if (waitStartedMs_ < 0 || window_->overlayOpen()) waitStartedMs_ = nowMs();
        if (const int autoMs = window_->settings().autoSeconds * 1000; autoMs > 0) {
            const qint64 left = waitStartedMs_ + autoMs - nowMs();
            if (left <= 0) {
                advance();
                return static_cast<int>(clock.elapsed());
            }
            if (timeoutMs <= 0 || left < timeoutMs) timeoutMs = static_cast<int>(left);
        }
    }
    // The wake-up timer's own event ends the wait when nothing else comes.
    if (!wake_) {
        wake_ = std::make_unique<QTimer>();
        wake_->setSingleShot(true);
        wake_->setTimerType(Qt::PreciseTimer);
    }
    if (timeoutMs > 0) wake_->start(timeoutMs);
    QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    wake_->stop();
    if (window_ && !window_->messageWaiting()) waitStartedMs_ = -1;
    return static_cast<int>(clock.elapsed());
}

void QtHost::playSound(int channel, const std::string& file) {
    if (!options_.soundCue) return;
    try {
        options_.soundCue(channel, file);
    } catch (...) {
        // A sound that cannot play leaves the game silent, never stopped.
    }
}

void QtHost::playMusic(const std::string& file) {
    if (!options_.music || file.empty()) return;
    if (file == "not") {
        options_.music->stop();
    } else {
        options_.music->play(baseDir() / "dat" / file);
    }
}

bool QtHost::confirm(const std::string& text) {
    if (options_.confirm) return options_.confirm(text);
    return ask(window_, QMessageBox::Question, text, {kYes, kNo}) == QMessageBox::Yes;
}

void QtHost::showError(const std::string& text) {
    if (options_.error) {
        options_.error(text);
        return;
    }
    ask(window_, QMessageBox::Critical, text, {kOk});
}

void QtHost::flash(const Flash& f) {
    if (window_) window_->showFlash(f.kind, f.durationMs);
}

void QtHost::closeWindow() {
    if (window_) window_->close();
}

std::filesystem::path QtHost::baseDir() const {
    if (!options_.baseDir.empty()) return options_.baseDir;
    return std::filesystem::path(QCoreApplication::applicationDirPath().toStdString());
}

std::filesystem::path QtHost::saveDir() const {
    return options_.saveDir.empty() ? baseDir() : options_.saveDir;
}

std::filesystem::path QtHost::loadDir() const {
    return options_.loadDir.empty() ? saveDir() : options_.loadDir;
}

}  // namespace kotou
