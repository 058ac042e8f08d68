#include "platform/qt/TForm1.h"

#include <QCloseEvent>
#include <QColor>
#include <QCoreApplication>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <exception>
#include <iostream>
#include <utility>

#include "platform/pictures/Picture.h"

namespace kotou {

namespace {

constexpr const char* kComponentId = "kotouComponent";
// Set on a list's viewport: the name of the list it shows.
constexpr const char* kListOfViewport = "kotouListOfViewport";
constexpr qint64 kPixmapCacheBytes = 128ll << 20;

QString toQt(const std::string& text) {
    QString s = QString::fromStdString(text);
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return s;
}

QColor toQt(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Font sizes of the model are in points at 96 dots per inch; the window's
// own font is given in pixels, so everything is set in pixels.
int pointsToPixels(int points) {
    return static_cast<int>(std::lround(points * 96.0 / 72.0));
}

void drawPicture(QWidget* w, const QPixmap& pixmap, bool stretch) {
    if (pixmap.isNull()) return;
    QPainter p(w);
    if (stretch) {
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawPixmap(w->rect(), pixmap);
    } else {
        p.drawPixmap(0, 0, pixmap);
    }
}

// A picture: stretched to the component or drawn at natural size from the
// top-left corner. Without a picture it draws nothing. While a flash runs it
// is filled with the flash colour instead.
class PictureView : public QWidget {
  public:
    using QWidget::QWidget;
    void setPixmap(const QPixmap& p, bool stretch) {
        pixmap_ = p;
        stretch_ = stretch;
        update();
    }
    const QPixmap& pixmap() const { return pixmap_; }
    void setFill(QColor c) {
        fill_ = c;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        if (fill_.isValid()) {
            QPainter(this).fillRect(rect(), fill_);
            return;
        }
        drawPicture(this, pixmap_, stretch_);
    }

  private:
    QPixmap pixmap_;
    bool stretch_ = false;
    QColor fill_;
};

// A panel: its colour, then its picture stretched over it, then the frame
// (and, for a group box, the title) and what lies on it.
template <class Base>
class PanelView : public Base {
  public:
    using Base::Base;
    void setPixmap(const QPixmap& p) {
        pixmap_ = p;
        this->update();
    }

  protected:
    void paintEvent(QPaintEvent* e) override {
        drawPicture(this, pixmap_, true);
        Base::paintEvent(e);
    }

  private:
    QPixmap pixmap_;
};
using PanelFrame = PanelView<QFrame>;
using PanelGroup = PanelView<QGroupBox>;

// A thin bar: dark trough, coloured part for value / maximum.
class GaugeView : public QWidget {
  public:
    using QWidget::QWidget;
    void set(int maximum, int value, QColor bar) {
        maximum_ = maximum;
        value_ = value;
        bar_ = bar;
        update();
    }
    void setBar(QColor bar) {
        bar_ = bar;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(40, 40, 40));
        if (maximum_ <= 0 || value_ <= 0) return;
        const double f = std::min(1.0, static_cast<double>(value_) / maximum_);
        p.fillRect(QRect(0, 0, static_cast<int>(std::lround(width() * f)), height()), bar_);
    }

  private:
    int maximum_ = 100;
    int value_ = 0;
    QColor bar_;
};

void setTextColor(QWidget* w, QColor c) {
    QPalette pal = w->palette();
    pal.setColor(QPalette::WindowText, c);
    w->setPalette(pal);
}

// The colours of the flashes over the scene picture.
struct FlashColor {
    const char* kind;
    QColor color;
};
const FlashColor kFlashColors[] = {
    {"red", QColor(255, 0, 0)},       // a blow: 攻撃, a reflected attack
    {"cyan", QColor(0, 255, 255)},    // 魔法
    {"yellow", QColor(255, 255, 0)},  // レーザー
    {"white", QColor(255, 255, 255)},
};
// The stamina gauge's flash: the gauge white with its labels red, then the
// gauge red with its labels white.
constexpr const char* kStaminaFlash = "hp";
constexpr int kFlashPhases = 12;  // six blinks, each on and off

}  // namespace

TForm1::TForm1(Game& g, WindowHooks hooks, std::shared_ptr<PictureLoader> pictures, QWidget* parent)
    : QWidget(parent), g_(g), hooks_(std::move(hooks)), pictures_(std::move(pictures)) {
    if (!pictures_) pictures_ = std::make_shared<PictureLoader>();
    if (!hooks_.formClose) hooks_.formClose = [](Game& game) { game.s.runtime.clickState = -1; };

    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QString::fromUtf8(kWindowCaption));
    QFont font(QStringLiteral("IPAPGothic"));
    font.setPixelSize(12);
    font.setBold(true);
    setFont(font);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    // Captions of disabled buttons stay readable (a requirement list tells
    // the player what is missing), a clear grey against the button face.
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(112, 112, 112));
    setPalette(pal);
    setFixedSize(640, 506);
    // A fixed dialog frame: system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);

    syncModel();

    flashTimer_ = new QTimer(this);
    connect(flashTimer_, &QTimer::timeout, this, [this] {
        if (++flashPhase_ >= kFlashPhases) {
            endFlash();
        } else {
            drawFlashPhase();
        }
    });

    timer1_ = new QTimer(this);
    timer1_->setObjectName(QStringLiteral("Timer1"));
    timer1_->setInterval(50);
    connect(timer1_, &QTimer::timeout, this, [this] {
        if (hooks_.timer1) runHandler(hooks_.timer1, "Timer1");
    });
    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(100);
    connect(timer2_, &QTimer::timeout, this, [this] {
        if (hooks_.timer2) runHandler(hooks_.timer2, "Timer2");
    });
}

TForm1::~TForm1() = default;

void TForm1::startTimers() {
    timer1_->start();
    timer2_->start();
}

void TForm1::stopTimers() {
    timer1_->stop();
    timer2_->stop();
}

QWidget* TForm1::widgetOf(std::string_view name) {
    const ComponentId id = g_.form.find(name);
    if (id == kNoComponent) return nullptr;
    growSlots();
    return ensureWidget(id);
}

void TForm1::growSlots() {
    const size_t n = g_.form.size();
    if (slots_.size() >= n) return;
    for (size_t i = slots_.size(); i < n; ++i) {
        if (g_.form.at(static_cast<ComponentId>(i)).kind == Kind::Panel)
            panels_.push_back(static_cast<ComponentId>(i));
    }
    missing_ += static_cast<int>(n - slots_.size());
    slots_.resize(n);
}

// Shown in the model, and so is every panel it lies on, and neither it nor
// any of those panels is hidden under a later panel (panels fill their
// background, and a later sibling lies on top).
bool TForm1::inView(ComponentId id) const {
    for (ComponentId at = id; at != kNoComponent; at = g_.form.at(at).parent) {
        const Component& c = g_.form.at(at);
        if (!c.visible) return false;
        if (c.kind == Kind::Window) continue;
        for (ComponentId panel : panels_) {
            if (panel <= at) continue;
            const Component& p = g_.form.at(panel);
            if (p.parent == c.parent && p.visible && p.left <= c.left && p.top <= c.top &&
                p.left + p.width >= c.left + c.width && p.top + p.height >= c.top + c.height) {
                return false;
            }
        }
    }
    return true;
}

// The widget of a component, made (after the panels it lies on) and given
// the component's current state when it was missing.
QWidget* TForm1::ensureWidget(ComponentId id) {
    Slot& slot = slots_[static_cast<size_t>(id)];
    if (slot.widget) return slot.widget;
    const ComponentId parent = g_.form.at(id).parent;
    if (parent != kNoComponent) ensureWidget(parent);
    QWidget* w = create(id);
    slots_[static_cast<size_t>(id)].widget = w;
    --missing_;
    if (w != this) placeAmongSiblings(id, w);
    apply(id);
    return w;
}

// A later sibling lies on top of an earlier one. A widget made after some of
// its later siblings goes right under the first of them that exists.
void TForm1::placeAmongSiblings(ComponentId id, QWidget* w) {
    for (size_t j = static_cast<size_t>(id) + 1; j < slots_.size(); ++j) {
        QWidget* sibling = slots_[j].widget;
        if (sibling && sibling != this && sibling->parentWidget() == w->parentWidget()) {
            w->stackUnder(sibling);
            return;
        }
    }
}

void TForm1::buildRemaining() {
    growSlots();
    // Table order: panels before what lies on them.
    for (size_t i = 0; i < slots_.size() && missing_ > 0; ++i)
        ensureWidget(static_cast<ComponentId>(i));
}

QWidget* TForm1::create(ComponentId id) {
    const Component& c = g_.form.at(id);
    if (c.kind == Kind::Window) return this;
    QWidget* parent =
        c.parent == kNoComponent ? this : slots_[static_cast<size_t>(c.parent)].widget;
    QWidget* w = nullptr;
    switch (c.kind) {
        case Kind::Panel:
            if (!c.caption.empty()) {
                w = new PanelGroup(parent);
            } else {
                w = new PanelFrame(parent);
            }
            w->setAutoFillBackground(true);
            break;
        case Kind::Button: {
            auto* b = new QPushButton(parent);
            // Buttons never take the keyboard focus, so Enter and Space reach
            // the window and end a wait instead of pressing a button again.
            b->setFocusPolicy(Qt::NoFocus);
            const std::string name = c.name;
            connect(b, &QPushButton::clicked, this, [this, name] { dispatch(name); });
            w = b;
            break;
        }
        case Kind::Label: {
            auto* l = new QLabel(parent);
            l->setTextFormat(Qt::PlainText);
            l->setWordWrap(true);
            l->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            w = l;
            break;
        }
        case Kind::Image:
            w = new PictureView(parent);
            break;
        case Kind::Gauge:
            w = new GaugeView(parent);
            break;
        case Kind::Edit: {
            auto* e = new QLineEdit(parent);
            // What the player types goes into the model at once; the
            // component's new revision counts as applied so the field is not
            // rewritten under the cursor.
            connect(e, &QLineEdit::textEdited, this, [this, id](const QString& text) {
                g_.form.setCaption(id, text.toStdString());
                slots_[static_cast<size_t>(id)].applied = g_.form.at(id).revision;
            });
            w = e;
            break;
        }
        case Kind::List: {
            auto* l = new QListWidget(parent);
            l->setFocusPolicy(Qt::NoFocus);
            const std::string name = c.name;
            // The pressed line goes into the model before the handler runs,
            // so the handler reads what the player chose.
            connect(l, &QListWidget::itemPressed, this, [this, id, l, name](QListWidgetItem* item) {
                g_.form.setSelected(id, l->row(item));
                dispatch(name);
            });
            // A press beside the lines (or on an empty list) reaches the
            // handler too, with the choice left as it was.
            l->viewport()->setProperty(kListOfViewport, QString::fromStdString(name));
            l->viewport()->installEventFilter(this);
            w = l;
            break;
        }
        case Kind::Window:
            break;
    }
    w->setObjectName(QString::fromStdString(c.name));
    w->setProperty(kComponentId, id);
    if (c.kind == Kind::Panel || c.kind == Kind::Label || c.kind == Kind::Image ||
        c.kind == Kind::Gauge) {
        w->installEventFilter(this);
    }
    return w;
}

QPixmap TForm1::pixmapFor(const std::string& relativePath) {
    const QString key = QString::fromStdString(relativePath);
    if (auto it = pixmapCache_.constFind(key); it != pixmapCache_.constEnd()) return *it;
    const Picture pic = pictures_->load(g_.host.baseDir() / relativePath);
    if (pic.empty()) return {};  // not cached: a file that appears later is read then
    const QImage image(pic.rgb.data(), pic.width, pic.height, pic.width * 3, QImage::Format_RGB888);
    QPixmap pixmap = QPixmap::fromImage(image);  // copies the pixels
    qint64 bytes = 0;
    for (const QPixmap& p : std::as_const(pixmapCache_))
        bytes += static_cast<qint64>(p.width()) * p.height() * 4;
    if (bytes > kPixmapCacheBytes) pixmapCache_.clear();
    pixmapCache_.insert(key, pixmap);
    return pixmap;
}

void TForm1::apply(ComponentId id) {
    const Component& c = g_.form.at(id);
    QWidget* w = slots_[static_cast<size_t>(id)].widget;
    slots_[static_cast<size_t>(id)].applied = c.revision;
    touched_.push_back(w);

    if (c.kind == Kind::Window) {
        // Size and caption are the window's own; the model gives the colour.
        QPalette pal = palette();
        pal.setColor(QPalette::Window, toQt(c.color));
        setPalette(pal);
        return;
    }

    // An auto-sized label gets its geometry once its font and text are set.
    const bool autoSized = c.kind == Kind::Label && c.autoSize;
    if (!autoSized) w->setGeometry(c.left, c.top, c.width, c.height);
    w->setEnabled(c.enabled);
    if (c.fontSize > 0 || w->font().pixelSize() != font().pixelSize()) {
        QFont f = font();
        if (c.fontSize > 0) f.setPixelSize(pointsToPixels(c.fontSize));
        w->setFont(f);
    }

    switch (c.kind) {
        case Kind::Panel: {
            QPalette pal = w->palette();
            pal.setColor(QPalette::Window, toQt(c.color));
            pal.setColor(QPalette::WindowText, toQt(c.fontColor));
            w->setPalette(pal);
            const QPixmap picture = c.picture.empty() ? QPixmap() : pixmapFor(c.picture);
            if (auto* box = dynamic_cast<PanelGroup*>(w)) {
                box->setTitle(toQt(c.caption));
                box->setPixmap(picture);
            } else {
                static_cast<PanelFrame*>(w)->setPixmap(picture);
            }
            break;
        }
        case Kind::Button:
            static_cast<QPushButton*>(w)->setText(toQt(c.caption));
            break;
        case Kind::Label: {
            // Only what changed is set: the click marker steps five times a
            // second while a message waits, and every change repaints.
            auto* l = static_cast<QLabel*>(w);
            QPalette pal = l->palette();
            pal.setColor(QPalette::WindowText, toQt(c.fontColor));
            pal.setColor(QPalette::Window, toQt(c.color));
            if (pal != l->palette()) l->setPalette(pal);
            if (l->autoFillBackground() != c.filled) l->setAutoFillBackground(c.filled);
            if (const QString text = toQt(c.caption); text != l->text()) l->setText(text);
            if (autoSized) {
                // As large as its text: a glyph that grows is never cut off.
                // The sizes are kept: measuring the text is the dearest part
                // of a marker step.
                l->setWordWrap(false);
                const QString key =
                    l->text() + QChar(0x1f) + QString::number(l->font().pixelSize());
                auto size = autoSizes_.constFind(key);
                if (size == autoSizes_.constEnd()) size = autoSizes_.insert(key, l->sizeHint());
                l->setGeometry(QRect(QPoint(c.left, c.top), *size));
            }
            break;
        }
        case Kind::Image:
            static_cast<PictureView*>(w)->setPixmap(
                c.picture.empty() ? QPixmap() : pixmapFor(c.picture), c.stretch);
            break;
        case Kind::Gauge:
            static_cast<GaugeView*>(w)->set(c.gaugeMax, c.gaugeValue, toQt(c.color));
            break;
        case Kind::Edit: {
            auto* e = static_cast<QLineEdit*>(w);
            const QString text = toQt(c.caption);
            if (e->text() != text) e->setText(text);
            break;
        }
        case Kind::List: {
            auto* l = static_cast<QListWidget*>(w);
            l->clear();
            for (const std::string& item : c.items) l->addItem(toQt(item));
            // The selection survives the refill of a repaint.
            l->setCurrentRow(c.selected);
            break;
        }
        case Kind::Window:
            break;
    }
    // Visibility last: a widget shown with its final geometry and content
    // does not flicker through an intermediate state.
    w->setVisible(c.visible);
}

int TForm1::syncModel() {
    touched_.clear();
    growSlots();
    if (g_.form.revision() == appliedModelRevision_) return 0;
    // Revisions only grow, so a component whose revision differs from the one
    // applied changed since; one comparison per component. A missing widget
    // is made once its component comes into view (a panel being shown brings
    // what lies on it); ensureWidget applies the state of what it makes.
    for (size_t i = 0; i < slots_.size(); ++i) {
        const auto id = static_cast<ComponentId>(i);
        if (slots_[i].widget) {
            if (g_.form.at(id).revision != slots_[i].applied) apply(id);
        } else if (inView(id)) {
            ensureWidget(id);
        }
    }
    appliedModelRevision_ = g_.form.revision();
    return static_cast<int>(touched_.size());
}

void TForm1::repaintNow() {
    syncModel();
    for (QWidget* w : touched_) {
        if (w != this && w->isVisible()) w->repaint();
    }
}

void TForm1::runHandler(const Handler& h, std::string_view what) {
    ++handlerDepth_;
    try {
        h(g_);
    } catch (const std::exception& e) {
        // An exception must not cross the Qt event loop (that ends the
        // program and the unsaved game with it). The handler stopped where
        // it failed; the game goes on from the state it left.
        std::cerr << "kotou: error: " << (what.empty() ? "handler" : std::string(what))
                  << " failed: " << e.what() << '\n';
    }
    --handlerDepth_;
    syncModel();
    if (handlerDepth_ == 0 && closeRequested_ && isVisible()) close();
}

void TForm1::dispatch(const std::string& componentName) {
    if (const Handler* h = g_.handlers.find(componentName)) runHandler(*h, componentName);
}

void TForm1::showFlash(const std::string& kind, int durationMs) {
    if (!flashKind_.empty()) endFlash();
    const bool stamina = kind == kStaminaFlash;
    flashColor_ = QColor();
    for (const FlashColor& f : kFlashColors)
        if (kind == f.kind) flashColor_ = f.color;
    if (!stamina && !flashColor_.isValid()) return;  // not a flash this window knows
    flashKind_ = kind;
    flashPhase_ = 0;
    drawFlashPhase();
    flashTimer_->start(std::max(1, durationMs / kFlashPhases));
}

// Even phases show the flash, odd ones what lies under it.
void TForm1::drawFlashPhase() {
    const bool on = flashPhase_ % 2 == 0;
    if (flashKind_ == kStaminaFlash) {
        const QColor red(255, 0, 0), white(255, 255, 255);
        if (auto* gauge = dynamic_cast<GaugeView*>(widgetOf("hp_l")))
            gauge->setBar(on ? white : red);
        for (const char* label : {"hp_l2", "hp_l3"})
            if (QWidget* l = widgetOf(label)) setTextColor(l, on ? red : white);
        return;
    }
    // The flash twin of the scene picture, filled with the colour, takes the
    // scene's place.
    auto* twin = dynamic_cast<PictureView*>(widgetOf("cg_red"));
    if (!twin) return;
    twin->setFill(flashColor_);
    twin->setVisible(on);
    if (QWidget* scene = widgetOf("cg")) scene->setVisible(!on && g_.form.at("cg").visible);
}

// Back to what the model shows.
void TForm1::endFlash() {
    flashTimer_->stop();
    const std::string kind = std::exchange(flashKind_, std::string());
    if (auto* twin = dynamic_cast<PictureView*>(widgetOf("cg_red"))) twin->setFill(QColor());
    for (const char* name : {"cg", "cg_red", "hp_l", "hp_l2", "hp_l3"}) {
        const ComponentId id = g_.form.find(name);
        if (id != kNoComponent && slots_[static_cast<size_t>(id)].widget) apply(id);
    }
}

void TForm1::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    if (!painted_) {
        painted_ = true;
        // After this paint has reached the screen: tell, then make the
        // widgets of what is not in view yet.
        QTimer::singleShot(0, this, [this] {
            emit firstPainted();
            buildRemaining();
        });
    }
}

void TForm1::closeEvent(QCloseEvent* e) {
    closeRequested_ = true;
    if (!formCloseRun_) {
        formCloseRun_ = true;
        ++handlerDepth_;
        hooks_.formClose(g_);
        --handlerDepth_;
        syncModel();
    }
    if (handlerDepth_ > 0) {
        // A handler is still on the stack (typically inside a wait, which
        // now ends); the window closes when it returns.
        e->ignore();
        return;
    }
    stopTimers();
    e->accept();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    switch (e->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!e->isAutoRepeat()) dispatch("moji_l");
            e->accept();
            return;
        default:
            QWidget::keyPressEvent(e);
    }
}

void TForm1::mousePressEvent(QMouseEvent* e) {
    dispatch("Form1");
    e->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    if (const QVariant list = watched->property(kListOfViewport); list.isValid()) {
        if (e->type() == QEvent::MouseButtonPress) {
            auto* view = static_cast<QListWidget*>(static_cast<QWidget*>(watched)->parentWidget());
            const QPoint at = static_cast<QMouseEvent*>(e)->position().toPoint();
            if (view->itemAt(at) == nullptr) dispatch(list.toString().toStdString());
        }
        return QWidget::eventFilter(watched, e);
    }
    if (e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonDblClick) {
        // A press on a panel, label, picture or gauge belongs to that
        // component alone; it does not fall through to the window.
        dispatch(watched->objectName().toStdString());
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

}  // namespace kotou
