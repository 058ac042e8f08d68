#pragma once
// The game window. It renders the form model (one widget per component, with
// the component's name as objectName and the same parent panel) and turns
// what the player does into handler calls:
//  - a button click calls the handler registered under the button's name;
//  - a mouse press on any other component calls the handler registered under
//    that component's name (the message area, the pictures), a press on the
//    window's own background the one registered under "Form1";
//  - Enter or Space calls the handler of "moji_l", so the keyboard can end a
//    wait like a click;
//  - Timer1 (50 ms) and Timer2 (100 ms) call the timer hooks;
//  - closing calls the close hook. While a handler is running (it may sit in
//    a nested wait), the window stays open until that handler returns, so the
//    game is never torn down under a running handler.
// After every handler the window applies the model changes, touching only the
// widgets whose component revision changed.
//
// Widgets are made in two steps so that the window shows quickly: at first
// only those of components in view (shown in the model, on shown panels, not
// hidden under a later panel), the rest right after the first paint. A widget still missing is made
// when it is needed: when its component comes into view, or when widgetOf() asks for it.

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QWidget>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "shell/Game.h"
#include "state/Version.h"

class QTimer;

namespace kotou {

class PictureLoader;

struct WindowHooks {
    Handler formClose;  // the window is closing; default: clickState = -1
    Handler timer1;     // every 50 ms: the status refresh
    Handler timer2;     // every 100 ms: the title animation
};

// The fixed window caption.
inline constexpr const char* kWindowCaption = "孤島生活 ver" KOTOU_VERSION " — 島の仲間たち";

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

    void startTimers();
    void stopTimers();

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
    void mousePressEvent(QMouseEvent* e) override;
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
    QTimer* timer1_ = nullptr;
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
};

}  // namespace kotou
