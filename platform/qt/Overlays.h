#pragma once
// What the window lays over the scene for the player's comfort, outside the
// game's form: the settings panel (設定), the message history (履歴), the list
// of keys, and the keyboard focus ring. None of them is part of the game:
// they never call a handler, and while one is open the scene beneath takes
// no click.

#include <QFrame>
#include <QWidget>
#include <functional>

#include "platform/qt/MessageHistory.h"
#include "platform/qt/Settings.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QSlider;
class QTextBrowser;

namespace kotou {

// The colours of the comfort panels: a dark panel with light ink, the look
// of the game's own dark panels.
inline constexpr QRgb kOverlayPanel = 0xff141c38;
inline constexpr QRgb kOverlayInk = 0xfff4f4f4;
inline constexpr QRgb kOverlayAccent = 0xfff0c040;

// Covers the scene with a dimmed backdrop and holds a panel in its middle.
// A right-click or Esc closes it; every other click stays with it.
class Overlay : public QWidget {
    Q_OBJECT
  public:
    // `size` is the panel's size at scale 1.
    Overlay(QWidget* window, QSize size);
    // Lays the overlay over `scene` (window coordinates) at `scale`.
    void place(const QRect& scene, int scale);
    void present();
    void dismiss();
    QFrame* panel() const { return panel_; }

  signals:
    void closed();

  protected:
    virtual void rescale(int scale) = 0;
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    int scale_ = 0;  // 0: not laid out yet

  private:
    QSize size_;
    QFrame* panel_;
};

// 設定: every setting, applied at once. `changed` hears of each change.
class SettingsPanel : public Overlay {
    Q_OBJECT
  public:
    explicit SettingsPanel(QWidget* window);
    void show(const Settings& s);
    const Settings& settings() const { return settings_; }
    std::function<void(const Settings&)> changed;

  protected:
    void rescale(int scale) override;

  private:
    void showValues();
    void set(const std::function<void(Settings&)>& change);

    Settings settings_;
    bool showing_ = false;
    QButtonGroup* scale_;
    QCheckBox* fullscreen_;
    QSlider* bgm_;
    QSlider* sound_;
    QLabel* bgmValue_;
    QLabel* soundValue_;
    QCheckBox* mute_;
    QButtonGroup* speed_;
    QButtonGroup* auto_;
};

// 履歴: the history's lines, newest at the bottom, speakers in their colours.
// The wheel scrolls; the wheel turned down at the end closes it.
class HistoryView : public Overlay {
    Q_OBJECT
  public:
    explicit HistoryView(QWidget* window);
    void show(const MessageHistory& history);
    QTextBrowser* text() const { return text_; }

  protected:
    void rescale(int scale) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    QTextBrowser* text_;
};

// キー操作: the keys of the game.
class KeysHelp : public Overlay {
    Q_OBJECT
  public:
    explicit KeysHelp(QWidget* window);

  protected:
    void rescale(int scale) override;

  private:
    QLabel* text_;
};

// The keyboard focus ring: a black and a yellow frame around the focused
// button, so it reads on light faces and dark pictures alike. It takes no
// click.
class FocusRing : public QWidget {
  public:
    explicit FocusRing(QWidget* window);
    // Around `target` (window coordinates); an empty rectangle hides it.
    void surround(const QRect& target, int scale);
    static constexpr QRgb kOuter = 0xff000000;
    static constexpr QRgb kInner = 0xffffd700;

  protected:
    void paintEvent(QPaintEvent*) override;

  private:
    int unit_ = 1;
};

}  // namespace kotou
