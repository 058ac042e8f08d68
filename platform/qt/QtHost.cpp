#include "platform/qt/QtHost.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QThread>

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

}  // namespace

QtHost::QtHost(QtHostOptions options) : options_(std::move(options)) {}

void QtHost::repaint() {
    if (window_) window_->repaintNow();
}

void QtHost::processEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

void QtHost::sleepMs(int ms) {
    if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
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
    const auto answer =
        QMessageBox::question(window_, QCoreApplication::applicationName(), dialogText(text),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return answer == QMessageBox::Yes;
}

void QtHost::showError(const std::string& text) {
    if (options_.error) {
        options_.error(text);
        return;
    }
    QMessageBox::critical(window_, QCoreApplication::applicationName(), dialogText(text));
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
