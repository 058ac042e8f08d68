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
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QProxyStyle>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>
#include <iostream>
#include <utility>

#include "platform/pictures/Picture.h"
#include "platform/qt/Overlays.h"
#include "shell/Dispatch.h"

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

// A picture stretched over the widget, or at its natural size (times the
// scale) from the top-left corner. Enlarged by a whole number of device
// pixels it is drawn without smoothing, so it stays crisp; other sizes are
// smoothed.
void drawPicture(QWidget* w, const QPixmap& pixmap, bool stretch, int scale) {
    if (pixmap.isNull()) return;
    QPainter p(w);
    const QRect target =
        stretch ? w->rect()
                : QRect(QPoint(0, 0), (pixmap.deviceIndependentSize() * scale).toSize());
    const qreal dpr = w->devicePixelRatioF();
    const int tw = qRound(target.width() * dpr), th = qRound(target.height() * dpr);
    const bool whole = tw % pixmap.width() == 0 && th % pixmap.height() == 0 &&
                       tw / pixmap.width() == th / pixmap.height();
    p.setRenderHint(QPainter::SmoothPixmapTransform, !whole);
    p.drawPixmap(target, pixmap);
}

// The panels whose button captions are tables padded with spaces: drawn in
// a font of fixed width, their columns line up.
constexpr const char* kTabularPanels[] = {
    "sisetu_box",  "item_seisaku_box", "item_seisaku2_box", "sozai_box",
    "kousaku_box", "study_box",        "uta_box",           "dassyutu_box",
};
constexpr const char* kTableFont = "IPAGothic";

// The buttons Esc presses: each panel's 戻る or Cansel (by component, so a
// caption may change).
constexpr const char* kBackButtons[] = {
    "BitBtn4",  "BitBtn13", "BitBtn32", "BitBtn25", "BitBtn46", "BitBtn27", "BitBtn7",
    "BitBtn11", "BitBtn12", "BitBtn19", "BitBtn23", "BitBtn15", "BitBtn37", "BitBtn17",
    "BitBtn36", "BitBtn40", "BitBtn28", "BitBtn26", "Button17", "BitBtn42", "BitBtn38",
};

// A picture: stretched to the component or drawn at natural size from the
// top-left corner. Without a picture it draws nothing. While a flash runs it
// is filled with the flash colour instead.
class PictureView : public QWidget {
  public:
    using QWidget::QWidget;
    void setPixmap(const QPixmap& p, bool stretch, int scale) {
        pixmap_ = p;
        stretch_ = stretch;
        scale_ = scale;
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
        drawPicture(this, pixmap_, stretch_, scale_);
    }

  private:
    QPixmap pixmap_;
    bool stretch_ = false;
    int scale_ = 1;
    QColor fill_;
};

// A label that keeps the last few pictures of its text: laying out and
// shaping a message's text is the dearest part of drawing it, and the click
// marker lying over the message line makes it draw again five times a second
// (the marker itself cycles through five sizes).
class TextLabel : public QLabel {
  public:
    using QLabel::QLabel;

  protected:
    void paintEvent(QPaintEvent*) override {
        if (text().isEmpty()) return;
        // What the picture depends on, compared field by field: building a
        // string key (the font's description above all) would cost more than
        // a marker step's whole drawing.
        const Look look{text(),      font(),
                        size(),      palette().color(QPalette::WindowText).rgba(),
                        isEnabled(), devicePixelRatioF()};
        auto it = std::find_if(cache_.begin(), cache_.end(),
                               [&](const auto& entry) { return entry.first == look; });
        if (it == cache_.end()) {
            QPixmap picture(size() * look.dpr);
            picture.setDevicePixelRatio(look.dpr);
            picture.fill(Qt::transparent);
            QPainter p(&picture);
            p.setFont(font());
            const int flags = QStyle::visualAlignment(layoutDirection(), alignment()) |
                              (wordWrap() ? Qt::TextWordWrap : 0);
            style()->drawItemText(&p, contentsRect(), flags, palette(), isEnabled(), text(),
                                  foregroundRole());
            p.end();
            if (cache_.size() >= kKept) cache_.erase(cache_.begin());
            cache_.emplace_back(look, picture);
            it = cache_.end() - 1;
        }
        QPainter(this).drawPixmap(0, 0, it->second);
    }

  private:
    struct Look {
        QString text;
        QFont font;
        QSize size;
        QRgb color = 0;
        bool enabled = true;
        qreal dpr = 1;
        bool operator==(const Look& o) const {
            return size == o.size && color == o.color && enabled == o.enabled && dpr == o.dpr &&
                   text == o.text && font == o.font;
        }
    };
    static constexpr size_t kKept = 6;
    std::vector<std::pair<Look, QPixmap>> cache_;
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
        drawPicture(this, pixmap_, true, 1);
        Base::paintEvent(e);
    }

  private:
    QPixmap pixmap_;
};
using PanelFrame = PanelView<QFrame>;
using PanelGroup = PanelView<QGroupBox>;

// The style of group boxes at a scale: the title's indentation grows with
// the scene, as the frame and the title's font do.
class ScaledStyle : public QProxyStyle {
  public:
    // At scale 1 the title lies this far from the box's left and top edges.
    static constexpr int kGroupTitleIndent = 4, kGroupTitleDrop = 1;
    int scale = 1;
    QRect subControlRect(ComplexControl cc, const QStyleOptionComplex* opt, SubControl sc,
                         const QWidget* w) const override {
        QRect r = QProxyStyle::subControlRect(cc, opt, sc, w);
        if (cc == CC_GroupBox && sc == SC_GroupBoxLabel && scale > 1)
            r.translate(kGroupTitleIndent * (scale - 1), kGroupTitleDrop * (scale - 1));
        return r;
    }
};

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

int fittingScale(QSize available, int frame) {
    int best = 1;
    for (int s = 2; s <= Settings::kMaxScale; ++s) {
        if (kSceneWidth * s <= available.width() * 8 / 10 &&
            kSceneHeight * s + frame <= available.height())
            best = s;
    }
    return best;
}

int fullScreenScale(QSize room) {
    return std::max(1, std::min(room.width() / kSceneWidth, room.height() / kSceneHeight));
}

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
    // The scene's colour is painted by paintEvent (black around it in full
    // screen).
    setAutoFillBackground(false);
    setAttribute(Qt::WA_OpaquePaintEvent);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    // Captions of disabled buttons stay readable (a requirement list tells
    // the player what is missing), a clear grey against the button face.
    pal.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(112, 112, 112));
    setPalette(pal);
    setFixedSize(kSceneWidth, kSceneHeight);
    // A fixed dialog frame: system menu, minimise and close, no maximise.
    setWindowFlags(Qt::Window | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                   Qt::WindowCloseButtonHint);
    setFocusPolicy(Qt::StrongFocus);

    settings_.scale = 1;
    syncModel();

    flashTimer_ = new QTimer(this);
    connect(flashTimer_, &QTimer::timeout, this, [this] {
        if (++flashPhase_ >= kFlashPhases) {
            endFlash();
        } else {
            drawFlashPhase();
        }
    });

    timer2_ = new QTimer(this);
    timer2_->setObjectName(QStringLiteral("Timer2"));
    timer2_->setInterval(100);
    connect(timer2_, &QTimer::timeout, this, [this] {
        // The animation plays once through while the title is up; then the
        // program sleeps until the player does something.
        const ComponentId title = g_.form.find("start_box");
        if (++titleTicks_ >= kTitleAnimationTicks ||
            (title != kNoComponent && !g_.form.at(title).visible))
            timer2_->stop();
        if (hooks_.timer2) runHandler(hooks_.timer2, "Timer2");
    });
}

TForm1::~TForm1() = default;

void TForm1::startTimers() {
    titleTicks_ = 0;
    timer2_->start();
}

void TForm1::stopTimers() {
    timer2_->stop();
}

void TForm1::refreshNow() {
    if (hooks_.timer1) {
        try {
            hooks_.timer1(g_);
        } catch (const std::exception& e) {
            std::cerr << "kotou: error: status refresh failed: " << e.what() << '\n';
        }
    }
    repaintNow();
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
                if (!groupStyle_) {
                    auto* style = new ScaledStyle;
                    style->setParent(this);
                    groupStyle_ = style;
                }
                w->setStyle(groupStyle_);
            } else {
                w = new PanelFrame(parent);
            }
            w->setAutoFillBackground(true);
            break;
        case Kind::Button: {
            auto* b = new QPushButton(parent);
            // Buttons never take Qt's own focus: the window moves its focus
            // ring itself, so Enter and Space press only a button the player
            // chose with Tab or an arrow key and otherwise end a wait.
            b->setFocusPolicy(Qt::NoFocus);
            const std::string name = c.name;
            connect(b, &QPushButton::clicked, this, [this, name] { dispatch(name); });
            w = b;
            break;
        }
        case Kind::Label: {
            auto* l = new TextLabel(parent);
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
            // Reached by a click or by the keyboard's focus order, not by
            // Qt's own Tab chain.
            e->setFocusPolicy(Qt::ClickFocus);
            // The edit menu in Japanese.
            e->setContextMenuPolicy(Qt::CustomContextMenu);
            connect(e, &QLineEdit::customContextMenuRequested, e, [e](const QPoint& at) {
                QMenu menu(e);
                const bool writable = !e->isReadOnly();
                const bool selected = e->hasSelectedText();
                auto item = [&](const char* text, bool on, auto slot) {
                    QAction* a = menu.addAction(QString::fromUtf8(text), e, slot);
                    a->setEnabled(on);
                };
                item("元に戻す", writable && e->isUndoAvailable(), &QLineEdit::undo);
                item("やり直し", writable && e->isRedoAvailable(), &QLineEdit::redo);
                menu.addSeparator();
                item("切り取り", writable && selected, &QLineEdit::cut);
                item("コピー", selected, &QLineEdit::copy);
                item("貼り付け", writable, &QLineEdit::paste);
                item("削除", writable && selected, [e] { e->del(); });
                menu.addSeparator();
                item("すべて選択", !e->text().isEmpty(), &QLineEdit::selectAll);
                menu.exec(e->mapToGlobal(at));
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
    if (c.parent == kNoComponent) raiseOverlays();
    if (c.kind == Kind::Panel || c.kind == Kind::Label || c.kind == Kind::Image ||
        c.kind == Kind::Gauge) {
        w->installEventFilter(this);
    }
    return w;
}

QPixmap TForm1::loadPixmap(const std::string& relativePath) {
    const Picture pic = pictures_->load(g_.host.baseDir() / relativePath);
    if (pic.empty()) return {};
    const QImage image(pic.rgb.data(), pic.width, pic.height, pic.width * 3, QImage::Format_RGB888);
    return QPixmap::fromImage(image);  // copies the pixels
}

// The picture, from cg/NAME@2x.EXT (drawn at half its pixel size) when the
// scene is drawn at twice the size or more and that file exists.
QPixmap TForm1::pixmapFor(const std::string& relativePath) {
    const bool hiRes = scale_ * devicePixelRatioF() >= 2;
    std::string hiPath;
    if (hiRes) {
        const size_t dot = relativePath.rfind('.');
        const size_t slash = relativePath.rfind('/');
        if (dot != std::string::npos && (slash == std::string::npos || dot > slash))
            hiPath = relativePath.substr(0, dot) + "@2x" + relativePath.substr(dot);
    }
    const QString key = QString::fromStdString(hiPath.empty() ? relativePath : hiPath);
    if (auto it = pixmapCache_.constFind(key); it != pixmapCache_.constEnd()) return *it;
    QPixmap pixmap;
    if (!hiPath.empty() && !hiResMissing_.contains(key)) {
        std::error_code ec;
        if (std::filesystem::exists(g_.host.baseDir() / hiPath, ec)) pixmap = loadPixmap(hiPath);
        if (pixmap.isNull()) {
            hiResMissing_.insert(key, true);
        } else {
            pixmap.setDevicePixelRatio(2);
        }
    }
    QString cacheKey = key;
    if (pixmap.isNull()) {
        cacheKey = QString::fromStdString(relativePath);
        if (auto it = pixmapCache_.constFind(cacheKey); it != pixmapCache_.constEnd()) return *it;
        pixmap = loadPixmap(relativePath);
    }
    if (pixmap.isNull()) return {};  // not cached: a file that appears later is read then
    qint64 bytes = 0;
    for (const QPixmap& p : std::as_const(pixmapCache_))
        bytes += static_cast<qint64>(p.width()) * p.height() * 4;
    if (bytes > kPixmapCacheBytes) pixmapCache_.clear();
    pixmapCache_.insert(cacheKey, pixmap);
    return pixmap;
}

// The component's rectangle in its parent widget at the current scale.
QRect TForm1::placed(const Component& c) const {
    QRect r(c.left * scale_, c.top * scale_, c.width * scale_, c.height * scale_);
    if (c.parent == kNoComponent) r.translate(origin_);
    return r;
}

QFont TForm1::fontFor(ComponentId id) const {
    const Component& c = g_.form.at(id);
    QFont f = font();
    if (c.fontSize > 0) f.setPixelSize(pointsToPixels(c.fontSize) * scale_);
    if (c.kind == Kind::Button) {
        for (ComponentId p = c.parent; p != kNoComponent; p = g_.form.at(p).parent) {
            const std::string& name = g_.form.at(p).name;
            for (const char* tabular : kTabularPanels)
                if (name == tabular) f.setFamily(QString::fromUtf8(kTableFont));
        }
    }
    return f;
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
    if (!autoSized) w->setGeometry(placed(c));
    w->setEnabled(c.enabled);
    if (const QFont f = fontFor(id); f != w->font()) w->setFont(f);

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
                l->setGeometry(QRect(placed(c).topLeft(), *size));
            }
            break;
        }
        case Kind::Image:
            static_cast<PictureView*>(w)->setPixmap(
                c.picture.empty() ? QPixmap() : pixmapFor(c.picture), c.stretch, scale_);
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
            if (g_.form.revisionOf(id) != slots_[i].applied) apply(id);
        } else if (inView(id)) {
            ensureWidget(id);
        }
    }
    appliedModelRevision_ = g_.form.revision();
    ensureSettingsButton();
    if (keyboardMode_) updateFocusRing();
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
        // The state may have changed: the status shows it.
        if (hooks_.timer1) hooks_.timer1(g_);
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
    if (g_.handlers.find(componentName) == nullptr) return;
    runHandler([&componentName](Game& g) { kotou::dispatch(g, componentName); }, componentName);
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
    {
        QPainter p(this);
        const QRect scene = sceneRect();
        if (scene != rect()) p.fillRect(rect(), Qt::black);
        p.fillRect(scene, palette().window());
    }
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

// ---- scale and full screen ----

QRect TForm1::sceneRect() const {
    return QRect(origin_, QSize(kSceneWidth, kSceneHeight) * scale_);
}

void TForm1::setScale(int scale) {
    settings_.scale = std::clamp(scale, 1, Settings::kMaxScale);
    if (!fullScreen_) layoutScene();
}

void TForm1::setFullScreenMode(bool on) {
    settings_.fullscreen = on;
    if (on == fullScreen_) return;
    fullScreen_ = on;
    if (on) {
        setMinimumSize(0, 0);
        setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
        showFullScreen();
        // Without a window manager to carry it out, the window covers the
        // screen itself.
        if (screen()) setGeometry(screen()->geometry());
    } else {
        showNormal();
    }
    layoutScene();
}

// Scale, window size and the scene's place for the current mode.
void TForm1::layoutScene() {
    int scale = settings_.scale > 0 ? settings_.scale : 1;
    QPoint origin;
    if (fullScreen_) {
        const QSize room = isFullScreen() || !screen() ? size() : screen()->geometry().size();
        scale = fullScreenScale(room);
        origin = QPoint((room.width() - kSceneWidth * scale) / 2,
                        (room.height() - kSceneHeight * scale) / 2);
        origin.setX(std::max(0, origin.x()));
        origin.setY(std::max(0, origin.y()));
    } else {
        setFixedSize(QSize(kSceneWidth, kSceneHeight) * scale);
    }
    if (scale == scale_ && origin == origin_) return;
    const bool rescaled = scale != scale_;
    scale_ = scale;
    origin_ = origin;
    if (rescaled) {
        if (groupStyle_) static_cast<ScaledStyle*>(groupStyle_)->scale = scale_;
        QFont f = font();
        f.setPixelSize(12 * scale_);
        setFont(f);
        autoSizes_.clear();
    }
    reapplyAll();
    placeOverlays();
    update();
}

void TForm1::reapplyAll() {
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].widget) apply(static_cast<ComponentId>(i));
    if (settingsButton_) {
        settingsButton_->setGeometry(268 * scale_, 380 * scale_, 105 * scale_, 24 * scale_);
        settingsButton_->setFont(font());
    }
    if (flashRunning()) drawFlashPhase();
    if (keyboardMode_) updateFocusRing();
}

void TForm1::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    if (fullScreen_) layoutScene();
}

void TForm1::changeEvent(QEvent* e) {
    QWidget::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && !isActiveWindow()) ctrlHeld_ = false;
    // The window manager left full screen on its own.
    if (e->type() == QEvent::WindowStateChange && fullScreen_ && !isFullScreen() &&
        (static_cast<QWindowStateChangeEvent*>(e)->oldState() & Qt::WindowFullScreen)) {
        fullScreen_ = false;
        settings_.fullscreen = false;
        layoutScene();
        if (settingsChanged) settingsChanged(settings_);
    }
}

// ---- settings ----

void TForm1::setSettings(const Settings& s) {
    const bool full = s.fullscreen;
    settings_ = s;
    settings_.scale = std::clamp(s.scale, 1, Settings::kMaxScale);
    settings_.fullscreen = fullScreen_;
    setFullScreenMode(full);
    layoutScene();
}

void TForm1::changeSettings(const Settings& s) {
    Settings next = s;
    // 初期設定に戻す: the scale that fits this screen.
    if (next.scale == 0)
        next.scale = screen() ? fittingScale(screen()->availableGeometry().size()) : 1;
    setSettings(next);
    if (settingsPanel_ && settingsPanel_->isVisible() && !(settingsPanel_->settings() == settings_))
        settingsPanel_->show(settings_);
    if (settingsChanged) settingsChanged(settings_);
}

void TForm1::notice(const std::string& text) {
    if (noticed_) return;
    noticed_ = true;
    g_.form.setCaption(g_.form.id("moji_l"), text);
    syncModel();
}

// ---- comforts ----

void TForm1::placeOverlays() {
    for (Overlay* o : std::initializer_list<Overlay*>{settingsPanel_, historyView_, keysHelp_})
        if (o) o->place(sceneRect(), scale_);
}

void TForm1::raiseOverlays() {
    for (Overlay* o : std::initializer_list<Overlay*>{settingsPanel_, historyView_, keysHelp_})
        if (o && o->isVisible()) o->raise();
    if (ring_ && ring_->isVisible()) ring_->raise();
}

bool TForm1::overlayOpen() const {
    for (const Overlay* o :
         std::initializer_list<const Overlay*>{settingsPanel_, historyView_, keysHelp_})
        if (o && o->isVisible()) return true;
    return false;
}

void TForm1::openSettings() {
    if (overlayOpen()) return;
    if (!settingsPanel_) {
        settingsPanel_ = new SettingsPanel(this);
        settingsPanel_->changed = [this](const Settings& s) { changeSettings(s); };
        connect(settingsPanel_, &Overlay::closed, this, [this] { setFocus(); });
    }
    settingsPanel_->place(sceneRect(), scale_);
    settingsPanel_->show(settings_);
}

void TForm1::openHistory() {
    if (overlayOpen()) return;
    if (!historyView_) {
        historyView_ = new HistoryView(this);
        connect(historyView_, &Overlay::closed, this, [this] { setFocus(); });
    }
    historyView_->place(sceneRect(), scale_);
    historyView_->show(history_);
}

void TForm1::openKeys() {
    if (overlayOpen()) return;
    if (!keysHelp_) {
        keysHelp_ = new KeysHelp(this);
        connect(keysHelp_, &Overlay::closed, this, [this] { setFocus(); });
    }
    keysHelp_->place(sceneRect(), scale_);
    keysHelp_->present();
}

// The title's 設定 button, under つづける, made with the title's panel.
void TForm1::ensureSettingsButton() {
    if (settingsButton_) return;
    const ComponentId title = g_.form.find("start_box");
    if (title == kNoComponent || !slots_[static_cast<size_t>(title)].widget) return;
    settingsButton_ =
        new QPushButton(QString::fromUtf8("設定"), slots_[static_cast<size_t>(title)].widget);
    settingsButton_->setObjectName(QStringLiteral("settings_b"));
    settingsButton_->setFocusPolicy(Qt::NoFocus);
    settingsButton_->setGeometry(268 * scale_, 380 * scale_, 105 * scale_, 24 * scale_);
    settingsButton_->setFont(font());
    connect(settingsButton_, &QPushButton::clicked, this, [this] { openSettings(); });
    settingsButton_->show();
}

bool TForm1::skipping() const {
    return ctrlHeld_ && !overlayOpen() && isActiveWindow();
}

bool TForm1::messageWaiting() const {
    return handlerDepth_ > 0 && g_.s.runtime.clickState == 0;
}

void TForm1::messageLineMenu(const QPoint& globalPos) {
    QMenu menu(this);
    menu.addAction(QString::fromUtf8("設定…（F2）"), this, [this] { openSettings(); });
    menu.addAction(QString::fromUtf8("履歴（L）"), this, [this] { openHistory(); });
    menu.addAction(QString::fromUtf8("キー操作（F1）"), this, [this] { openKeys(); });
    menu.addSeparator();
    menu.addAction(QString::fromUtf8(fullScreen_ ? "ウィンドウ表示（F11）" : "全画面（F11）"), this,
                   [this] {
                       Settings s = settings_;
                       s.fullscreen = !fullScreen_;
                       changeSettings(s);
                   });
    menu.exec(globalPos);
}

// ---- keyboard play ----

std::vector<QWidget*> TForm1::focusOrder() {
    std::vector<QWidget*> order;
    if (overlayOpen()) return order;
    for (size_t i = 0; i < slots_.size(); ++i) {
        const auto id = static_cast<ComponentId>(i);
        const Component& c = g_.form.at(id);
        if (c.kind != Kind::Button && c.kind != Kind::Edit) continue;
        if (!c.enabled || !inView(id)) continue;
        QWidget* w = slots_[i].widget;
        if (!w || !w->isVisible() || !w->isEnabled()) continue;
        order.push_back(w);
    }
    if (settingsButton_ && settingsButton_->isVisible()) order.push_back(settingsButton_);
    // Covered by a picture or a later panel: out of reach for the mouse, so
    // out of the order too.
    std::erase_if(order, [this](QWidget* w) {
        const QPoint centre = w->mapTo(this, w->rect().center());
        QWidget* hit = childAt(centre);
        return !(hit == w || (hit && w->isAncestorOf(hit)));
    });
    std::stable_sort(order.begin(), order.end(), [this](QWidget* a, QWidget* b) {
        const QPoint pa = a->mapTo(this, QPoint(0, 0)), pb = b->mapTo(this, QPoint(0, 0));
        return pa.y() != pb.y() ? pa.y() < pb.y() : pa.x() < pb.x();
    });
    return order;
}

void TForm1::moveFocus(int step) {
    keyboardMode_ = true;
    const std::vector<QWidget*> order = focusOrder();
    // The ring put on a new panel's first button by itself: a step forward
    // only confirms it.
    if (!armed_ && step > 0 && std::find(order.begin(), order.end(), focused_) != order.end()) {
        armed_ = true;
        updateFocusRing();
        return;
    }
    armed_ = true;
    if (order.empty()) {
        focused_ = nullptr;
        updateFocusRing();
        return;
    }
    auto at = std::find(order.begin(), order.end(), focused_);
    const int n = static_cast<int>(order.size());
    int i = at == order.end() ? (step > 0 ? 0 : n - 1)
                              : ((static_cast<int>(at - order.begin()) + step) % n + n) % n;
    focused_ = order[static_cast<size_t>(i)];
    updateFocusRing();
}

void TForm1::updateFocusRing() {
    if (!ring_) ring_ = new FocusRing(this);
    const std::vector<QWidget*> order = focusOrder();
    if (std::find(order.begin(), order.end(), focused_) == order.end()) {
        focused_ = order.empty() ? nullptr : order.front();
        // Not chosen by the player: Enter still held or pressed again to read
        // on must not press it.
        armed_ = false;
    }
    if (!focused_ || !keyboardMode_) {
        ring_->surround({}, scale_);
        return;
    }
    ring_->surround(QRect(focused_->mapTo(this, QPoint(0, 0)), focused_->size()), scale_);
    // Typing goes into a chosen line edit; everything else to the window.
    if (qobject_cast<QLineEdit*>(focused_)) {
        if (!focused_->hasFocus()) focused_->setFocus();
    } else if (QWidget* f = focusWidget(); f && f != this && !overlayOpen()) {
        setFocus();
    }
}

void TForm1::pressFocused() {
    if (auto* b = qobject_cast<QPushButton*>(focused_)) {
        b->click();
    } else if (qobject_cast<QLineEdit*>(focused_)) {
        // Enter in the line edit: on to the button after it (決定).
        moveFocus(1);
        if (auto* next = qobject_cast<QPushButton*>(focused_)) next->click();
    }
}

bool TForm1::pressBack() {
    const std::vector<QWidget*> order = focusOrder();
    for (const char* name : kBackButtons) {
        const ComponentId id = g_.form.find(name);
        if (id == kNoComponent) continue;
        QWidget* w = slots_[static_cast<size_t>(id)].widget;
        if (std::find(order.begin(), order.end(), w) == order.end()) continue;
        static_cast<QPushButton*>(w)->click();
        return true;
    }
    return false;
}

bool TForm1::focusNextPrevChild(bool next) {
    if (overlayOpen()) return QWidget::focusNextPrevChild(next);
    moveFocus(next ? 1 : -1);
    return true;
}

void TForm1::keyPressEvent(QKeyEvent* e) {
    const int key = e->key();
    const bool alt = e->modifiers() & Qt::AltModifier;
    if (key == Qt::Key_Control) ctrlHeld_ = true;
    if (key == Qt::Key_F11 || (alt && (key == Qt::Key_Return || key == Qt::Key_Enter))) {
        if (!e->isAutoRepeat()) {
            Settings s = settings_;
            s.fullscreen = !fullScreen_;
            changeSettings(s);
        }
        e->accept();
        return;
    }
    if (overlayOpen()) {
        // Keys the open panel left alone: Esc, F1, F2 and L close it.
        if (key == Qt::Key_Escape || key == Qt::Key_F1 || key == Qt::Key_F2 || key == Qt::Key_L) {
            for (Overlay* o :
                 std::initializer_list<Overlay*>{settingsPanel_, historyView_, keysHelp_})
                if (o && o->isVisible()) o->dismiss();
        }
        e->accept();
        return;
    }
    switch (key) {
        case Qt::Key_Control:
            // Held while a message waits: on to the next one at once.
            if (messageWaiting() && skipping()) dispatch("moji_l");
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (e->isAutoRepeat()) break;
            // A message being shown or waiting takes the key as a click; else
            // the button the player chose with the keyboard is pressed. A
            // ring that moved to a new panel by itself waits for a Tab or an
            // arrow first, so Enter pressed to read on never presses a command.
            if (handlerDepth_ == 0 && keyboardMode_ && focused_ && armed_) {
                pressFocused();
            } else {
                dispatch("moji_l");
            }
            break;
        case Qt::Key_Tab:
        case Qt::Key_Right:
        case Qt::Key_Down:
            moveFocus(1);
            break;
        case Qt::Key_Backtab:
        case Qt::Key_Left:
        case Qt::Key_Up:
            moveFocus(-1);
            break;
        case Qt::Key_Escape:
            if (handlerDepth_ == 0) pressBack();
            break;
        case Qt::Key_F1:
            openKeys();
            break;
        case Qt::Key_F2:
            openSettings();
            break;
        case Qt::Key_L:
            openHistory();
            break;
        default:
            QWidget::keyPressEvent(e);
            return;
    }
    e->accept();
}

void TForm1::keyReleaseEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Control && !e->isAutoRepeat()) ctrlHeld_ = false;
    QWidget::keyReleaseEvent(e);
}

void TForm1::mousePressEvent(QMouseEvent* e) {
    e->accept();
    // The black around the scene in full screen is no part of the game.
    if (!sceneRect().contains(e->position().toPoint())) return;
    if (keyboardMode_) {
        keyboardMode_ = false;
        updateFocusRing();
    }
    dispatch("Form1");
}

void TForm1::wheelEvent(QWheelEvent* e) {
    if (e->angleDelta().y() > 0) openHistory();
    e->accept();
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
    // Every event of every component passes here (paints too): only presses
    // are looked at.
    if (e->type() != QEvent::MouseButtonPress && e->type() != QEvent::MouseButtonDblClick)
        return QWidget::eventFilter(watched, e);
    if (const QVariant list = watched->property(kListOfViewport); list.isValid()) {
        if (e->type() == QEvent::MouseButtonPress) {
            auto* view = static_cast<QListWidget*>(static_cast<QWidget*>(watched)->parentWidget());
            const QPoint at = static_cast<QMouseEvent*>(e)->position().toPoint();
            if (view->itemAt(at) == nullptr) dispatch(list.toString().toStdString());
        }
        return QWidget::eventFilter(watched, e);
    }
    const auto* m = static_cast<QMouseEvent*>(e);
    const std::string name = watched->objectName().toStdString();
    // The message line's right-click menu.
    if (m->button() == Qt::RightButton && (name == "moji_l" || name == "click_l")) {
        if (e->type() == QEvent::MouseButtonPress) messageLineMenu(m->globalPosition().toPoint());
        return true;
    }
    if (keyboardMode_) {
        keyboardMode_ = false;
        updateFocusRing();
    }
    // A press on a panel, label, picture or gauge belongs to that
    // component alone; it does not fall through to the window.
    dispatch(name);
    return true;
}

}  // namespace kotou
