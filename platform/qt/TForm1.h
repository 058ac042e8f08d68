#pragma once
// The game window. It renders the form model (one widget per component, with
// the component's name as objectName and the same parent panel) and turns
// what the player does into handler calls:
//  - a button click calls the handler registered under the button's name;
//  - a mouse press on any other component calls the handler registered under
//    that component's name (the message area, the pictures), a press on the
//    window's own background the one registered under "Form1";
//  - Enter or Space calls the handler of "moji_l", so the keyboard can end a
//    wait like a click; with a button chosen by the keyboard (Tab, arrows)
//    and no message waiting, they press that button instead; Esc presses the
//    open panel's back button;
//  - the status refresh (the `timer1` hook) runs after every handler, every
//    message step (Host::repaint) and every timer-driven change, so the
//    window shows what the state holds without polling;
//  - Timer2 (100 ms) runs the title animation while the title is up, for
//    kTitleAnimationTicks ticks;
//  - closing calls the close hook. While a handler is running (it may sit in
//    a nested wait), the window stays open until that handler returns, so the
//    game is never torn down under a running handler.
// After every handler the window applies the model changes, touching only the
// widgets whose component revision changed.
//
// The 640 x 506 scene is drawn at a whole-number scale: every position, size
// and font is multiplied, so text is drawn at its scaled size and a click
// lands on the component it hits at scale 1. Pictures are enlarged without
// blurring; a picture cg/NAME@2x.EXT drawn at twice the resolution is used
// instead of cg/NAME.EXT where it exists and the scale is 2 or more. In full
// screen the scene is shown at the largest scale that fits, centred on black.
//
// Beside the form the window lays its own comforts over the scene: the
// settings panel, the message history, the list of keys and the keyboard
// focus ring (platform/qt/Overlays.h).
//
// Widgets are made in two steps so that the window shows quickly: at first
// only those of components in view (shown in the model, on shown panels, not
// hidden under a later panel), the rest right after the first paint. A widget still missing is made
// when it is needed: when its component comes into view, or when widgetOf() asks for it.

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QSize>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/qt/MessageHistory.h"
#include "platform/qt/Settings.h"
#include "shell/Game.h"
#include "state/Version.h"

class QPushButton;
class QStyle;
class QTimer;

namespace kotou {

class PictureLoader;
class FocusRing;
class HistoryView;
class KeysHelp;
class Overlay;
class SettingsPanel;

struct WindowHooks {
    Handler formClose;  // the window is closing; default: clickState = -1
    Handler timer1;     // the status refresh, after every change (see above)
    Handler timer2;     // every 100 ms while the title is up: the title animation
};

// The fixed window caption.
inline constexpr const char* kWindowCaption = "孤島生活 ver" KOTOU_VERSION " — 島の仲間たち";
// The scene's size at scale 1.
inline constexpr int kSceneWidth = 640;
inline constexpr int kSceneHeight = 506;
// Title animation ticks: one pass of its 30 frames, after which it rests on
// its first frame and the timer stops.
inline constexpr int kTitleAnimationTicks = 30;

// The largest whole scale (1..Settings::kMaxScale) for a window of the scene
// on a screen with `available` room: its width within 80 % of the room's
// width, its height (with `frame`, the window frame's height) within the
// room's height.
int fittingScale(QSize available, int frame = 0);
// The largest whole scale at which the scene fits into `room` (at least 1).
int fullScreenScale(QSize room);

class TForm1 : public QWidget {
    Q_OBJECT

  public:
    // The form must already hold its components (row 0 the window). Pictures
    // are read relative to g.host.baseDir(); `pictures` may be shared, else
    // the window keeps its own loader.
    TForm1(Game& g, WindowHooks hooks, std::shared_ptr<PictureLoader> pictures = {},
           QWidget* parent = nullptr);
    ~TForm1() override;

    // Applies every model change since the last call (and builds the widgets
    // of components that came into view). Returns the number of widgets
    // touched.
    int syncModel();
    // syncModel, then paints the touched widgets at once.
    void repaintNow();

    // The widget of a component (made now if it was still missing), or
    // nullptr for an unknown name.
    QWidget* widgetOf(std::string_view name);
    // Makes every widget still missing. Runs by itself after the first paint.
    void buildRemaining();
    // Number of components without a widget yet.
    int missingWidgets() const { return missing_; }

    // Runs a handler the way a click does: counted as running, model applied
    // afterwards, a close asked for meanwhile carried out once it returns. An
    // exception the handler throws is reported on standard error (`what`
    // names the handler) and does not end the program.
    void runHandler(const Handler& h, std::string_view what = {});
    // The handler registered under a component's name, if any.
    void dispatch(const std::string& componentName);

    bool handlerRunning() const { return handlerDepth_ > 0; }
    bool closeRequested() const { return closeRequested_; }

    // Starts the title animation (while the title is up).
    void startTimers();
    void stopTimers();
    // The status refresh, then the model applied and painted: a message step.
    void refreshNow();

    // ---- scale and full screen ----
    // The windowed scale (1..Settings::kMaxScale).
    void setScale(int scale);
    // The scale the scene is drawn at now (in full screen: the fitted one).
    int scale() const { return scale_; }
    void setFullScreenMode(bool on);
    bool fullScreenMode() const { return fullScreen_; }
    // Where the scene lies in the window.
    QRect sceneRect() const;

    // ---- the player's settings ----
    const Settings& settings() const { return settings_; }
    // Applies scale and full screen; the rest is read by the host.
    void setSettings(const Settings& s);
    // Told of every change the player makes in the settings panel or with a
    // key (after the window applied what is its own).
    std::function<void(const Settings&)> settingsChanged;
    // A short notice in the message line (a settings file that cannot be
    // written), shown once.
    void notice(const std::string& text);

    // ---- comforts ----
    void openSettings();
    void openHistory();
    void openKeys();
    // True while the settings, the history or the keys are open.
    bool overlayOpen() const;
    MessageHistory& history() { return history_; }
    HistoryView* historyView() const { return historyView_; }
    SettingsPanel* settingsPanel() const { return settingsPanel_; }
    // The title's 設定 button.
    QPushButton* settingsButton() const { return settingsButton_; }
    // Ctrl is held: waiting messages are skipped.
    bool skipping() const;
    // A message waits for the player's click.
    bool messageWaiting() const;

    // ---- keyboard play ----
    // The buttons the keyboard reaches now (visible, enabled, not covered),
    // top to bottom and left to right, and the line edit when it is shown.
    std::vector<QWidget*> focusOrder();
    QWidget* focused() const { return focused_; }
    // Moves the focus `step` places along the order (wrapping).
    void moveFocus(int step);
    // Presses the open panel's back button; false when there is none.
    bool pressBack();
    const FocusRing* focusRing() const { return ring_; }

    // A flash of `durationMs` in six blinks: "red", "cyan", "yellow" or
    // "white" fill the scene picture's place; "hp" flashes the stamina gauge
    // (white with red labels, then red with white labels). Other kinds show
    // nothing. A new flash ends the one running.
    void showFlash(const std::string& kind, int durationMs);
    bool flashRunning() const { return !flashKind_.empty(); }

  signals:
    // Emitted once, after the first paint of the window.
    void firstPainted();

  protected:
    void paintEvent(QPaintEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void keyReleaseEvent(QKeyEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;
    bool focusNextPrevChild(bool next) override;
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    struct Slot {
        QWidget* widget = nullptr;
        uint64_t applied = 0;  // component revision last applied
    };

    void growSlots();
    bool inView(ComponentId id) const;
    QWidget* ensureWidget(ComponentId id);
    QWidget* create(ComponentId id);
    void placeAmongSiblings(ComponentId id, QWidget* w);
    void apply(ComponentId id);
    QPixmap pixmapFor(const std::string& relativePath);
    QPixmap loadPixmap(const std::string& relativePath);
    QRect placed(const Component& c) const;
    QFont fontFor(ComponentId id) const;
    void reapplyAll();
    void layoutScene();
    void placeOverlays();
    void raiseOverlays();
    void ensureSettingsButton();
    void updateFocusRing();
    void pressFocused();
    void messageLineMenu(const QPoint& globalPos);
    void changeSettings(const Settings& s);

    Game& g_;
    WindowHooks hooks_;
    std::shared_ptr<PictureLoader> pictures_;
    std::vector<Slot> slots_;
    std::vector<ComponentId> panels_;  // in table order
    int missing_ = 0;
    std::vector<QWidget*> touched_;
    uint64_t appliedModelRevision_ = 0;
    QHash<QString, QPixmap> pixmapCache_;
    QHash<QString, QSize> autoSizes_;  // auto-sized labels: text and pixel size -> size
    QTimer* timer2_ = nullptr;
    void drawFlashPhase();
    void endFlash();
    QTimer* flashTimer_ = nullptr;
    std::string flashKind_;  // empty: no flash running
    QColor flashColor_;
    int flashPhase_ = 0;
    int handlerDepth_ = 0;
    bool closeRequested_ = false;
    bool formCloseRun_ = false;
    bool painted_ = false;
    int titleTicks_ = 0;

    Settings settings_;
    int scale_ = 1;
    bool fullScreen_ = false;
    QPoint origin_;  // the scene's top-left corner in the window
    MessageHistory history_;
    SettingsPanel* settingsPanel_ = nullptr;
    HistoryView* historyView_ = nullptr;
    KeysHelp* keysHelp_ = nullptr;
    QPushButton* settingsButton_ = nullptr;
    FocusRing* ring_ = nullptr;
    QWidget* focused_ = nullptr;
    bool keyboardMode_ = false;  // the ring shows once the keyboard chose a button
    bool armed_ = false;         // the ring's button was chosen by the player
    bool ctrlHeld_ = false;
    bool noticed_ = false;
    QHash<QString, bool> hiResMissing_;
    QStyle* groupStyle_ = nullptr;  // group boxes' style, their title indented at the scale  // @2x
                                    // pictures looked for and not found
};

}  // namespace kotou
