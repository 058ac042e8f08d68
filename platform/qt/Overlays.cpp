#include "platform/qt/Overlays.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSlider>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace kotou {
namespace {

QString qt(const char* utf8) {
    return QString::fromUtf8(utf8);
}

QFont panelFont(int pixels, bool bold = true) {
    QFont f(QStringLiteral("IPAPGothic"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    return f;
}

// Buttons of the comfort panels, a chosen one marked in the accent colour.
QString buttonStyle(int scale) {
    return QStringLiteral(
               "QPushButton { background: #d8d8d8; color: #000000; border: %1px solid #606060;"
               " padding: %2px %3px; }"
               "QPushButton:checked { background: #f0c040; border: %4px solid #000000; }"
               "QPushButton:focus { border: %4px solid #ffd700; }"
               "QPushButton:checked:focus { border: %4px solid #000000; }"
               "QCheckBox::indicator { width: %5px; height: %5px; }")
        .arg(scale)
        .arg(2 * scale)
        .arg(6 * scale)
        .arg(2 * scale)
        .arg(12 * scale);
}

QPushButton* choice(QWidget* parent, const QString& text, QButtonGroup* group, int id) {
    auto* b = new QPushButton(text, parent);
    b->setCheckable(true);
    b->setFocusPolicy(Qt::StrongFocus);
    group->addButton(b, id);
    return b;
}

QLabel* heading(QWidget* parent, const char* text) {
    auto* l = new QLabel(qt(text), parent);
    l->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return l;
}

struct SpeakerColour {
    const char* speaker;
    const char* colour;
};
// Speakers in the history: each voice in its own light colour on the dark
// panel; narration in the panel's ink.
constexpr SpeakerColour kSpeakerColours[] = {
    {"ルル", "#ffa8c8"},     {"嵐", "#ffc070"},     {"スパーク", "#90d8ff"}, {"残響", "#c8b0ff"},
    {"オルガン", "#b0f0a0"}, {"？？？", "#b0f0a0"}, {"ゴルドス", "#ff8080"},
};
constexpr const char* kOtherSpeaker = "#fff0a0";

constexpr const char* kKeys =
    "<table cellspacing='4'>"
    "<tr><td>Enter・Space</td><td>メッセージを進める／選んだボタンを押す</td></tr>"
    "<tr><td>Tab・矢印キー</td><td>ボタンを選ぶ</td></tr>"
    "<tr><td>Esc</td><td>戻る・キャンセル／開いた画面を閉じる</td></tr>"
    "<tr><td>Ctrl（押したまま）</td><td>メッセージを飛ばす</td></tr>"
    "<tr><td>L・ホイール上</td><td>履歴</td></tr>"
    "<tr><td>F1</td><td>この一覧</td></tr>"
    "<tr><td>F2・メッセージ欄の右クリック</td><td>設定</td></tr>"
    "<tr><td>F11・Alt+Enter</td><td>全画面の切り替え</td></tr>"
    "</table>";

}  // namespace

// ---- Overlay ----

Overlay::Overlay(QWidget* window, QSize size) : QWidget(window), size_(size) {
    panel_ = new QFrame(this);
    panel_->setObjectName(QStringLiteral("overlay_panel"));
    panel_->setAutoFillBackground(true);
    QPalette pal = panel_->palette();
    pal.setColor(QPalette::Window, QColor(kOverlayPanel));
    pal.setColor(QPalette::WindowText, QColor(kOverlayInk));
    pal.setColor(QPalette::Text, QColor(kOverlayInk));
    pal.setColor(QPalette::Base, QColor(kOverlayPanel));
    panel_->setPalette(pal);
    panel_->setFrameShape(QFrame::Box);
    hide();
}

void Overlay::place(const QRect& scene, int scale) {
    setGeometry(scene);
    const QSize sz = size_ * scale;
    panel_->setGeometry(
        QRect(QPoint((scene.width() - sz.width()) / 2, (scene.height() - sz.height()) / 2), sz));
    panel_->setLineWidth(scale);
    if (scale != scale_) {
        scale_ = scale;
        rescale(scale);
    }
}

void Overlay::present() {
    show();
    raise();
    setFocus();
}

void Overlay::dismiss() {
    if (!isVisible()) return;
    // The window takes the focus first: a hidden focus would otherwise move
    // along the window's focus order.
    parentWidget()->setFocus();
    hide();
    emit closed();
}

void Overlay::paintEvent(QPaintEvent*) {
    QPainter(this).fillRect(rect(), QColor(0, 0, 0, 160));
}

void Overlay::mousePressEvent(QMouseEvent* e) {
    if (e->button() == Qt::RightButton) dismiss();
    e->accept();
}

void Overlay::wheelEvent(QWheelEvent* e) {
    e->accept();
}

void Overlay::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape) {
        dismiss();
        e->accept();
        return;
    }
    QWidget::keyPressEvent(e);
}

// ---- SettingsPanel ----

SettingsPanel::SettingsPanel(QWidget* window) : Overlay(window, QSize(440, 330)) {
    setObjectName(QStringLiteral("settings_panel"));
    QWidget* p = panel();
    auto* grid = new QGridLayout(p);

    auto* title = new QLabel(qt("設定"), p);
    title->setObjectName(QStringLiteral("settings_title"));
    grid->addWidget(title, 0, 0, 1, 3);

    auto row = [&](int r, const char* name, QWidget* a, QWidget* b = nullptr) {
        grid->addWidget(heading(p, name), r, 0);
        grid->addWidget(a, r, 1);
        if (b) grid->addWidget(b, r, 2);
    };
    auto buttons = [&](QButtonGroup*& group, std::initializer_list<std::pair<const char*, int>> c) {
        group = new QButtonGroup(this);
        auto* box = new QWidget(p);
        auto* h = new QHBoxLayout(box);
        h->setContentsMargins(0, 0, 0, 0);
        for (const auto& [text, id] : c) h->addWidget(choice(box, qt(text), group, id));
        h->addStretch();
        return box;
    };
    auto slider = [&](QSlider*& s, QLabel*& value, int Settings::*field) {
        s = new QSlider(Qt::Horizontal, p);
        s->setRange(0, 100);
        s->setPageStep(10);
        s->setFocusPolicy(Qt::StrongFocus);
        value = new QLabel(p);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        connect(s, &QSlider::valueChanged, this,
                [this, field](int v) { set([&](Settings& st) { st.*field = v; }); });
    };

    QWidget* scales = buttons(scale_, {{"×1", 1}, {"×2", 2}, {"×3", 3}});
    fullscreen_ = new QCheckBox(qt("全画面"), p);
    row(1, "画面", scales, fullscreen_);
    slider(bgm_, bgmValue_, &Settings::bgmVolume);
    row(2, "BGM", bgm_, bgmValue_);
    slider(sound_, soundValue_, &Settings::soundVolume);
    row(3, "効果音", sound_, soundValue_);
    mute_ = new QCheckBox(qt("ミュート"), p);
    row(4, "", mute_);
    row(5, "文字速度",
        buttons(speed_, {{"ゆっくり", int(TextSpeed::Slow)},
                         {"ふつう", int(TextSpeed::Normal)},
                         {"はやい", int(TextSpeed::Fast)},
                         {"瞬間", int(TextSpeed::Instant)}}));
    row(6, "オート",
        buttons(auto_, {{"切", 0}, {"1秒", 1}, {"2秒", 2}, {"3秒", 3}, {"4秒", 4}, {"5秒", 5}}));

    auto* reset = new QPushButton(qt("初期設定に戻す"), p);
    reset->setObjectName(QStringLiteral("settings_reset"));
    auto* close = new QPushButton(qt("閉じる"), p);
    close->setObjectName(QStringLiteral("settings_close"));
    for (QPushButton* b : {reset, close}) b->setFocusPolicy(Qt::StrongFocus);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(reset);
    bottom->addStretch();
    bottom->addWidget(close);
    grid->setRowStretch(7, 1);
    grid->addLayout(bottom, 8, 0, 1, 3);
    grid->setColumnStretch(1, 1);

    connect(scale_, &QButtonGroup::idClicked, this,
            [this](int id) { set([id](Settings& s) { s.scale = id; }); });
    connect(speed_, &QButtonGroup::idClicked, this,
            [this](int id) { set([id](Settings& s) { s.textSpeed = TextSpeed(id); }); });
    connect(auto_, &QButtonGroup::idClicked, this,
            [this](int id) { set([id](Settings& s) { s.autoSeconds = id; }); });
    connect(fullscreen_, &QCheckBox::toggled, this,
            [this](bool on) { set([on](Settings& s) { s.fullscreen = on; }); });
    connect(mute_, &QCheckBox::toggled, this,
            [this](bool on) { set([on](Settings& s) { s.mute = on; }); });
    connect(reset, &QPushButton::clicked, this, [this] {
        // The scale goes back to the one that fits the screen, which the
        // window knows; the rest to the defaults.
        set([](Settings& s) { s = Settings{}; });
    });
    connect(close, &QPushButton::clicked, this, &Overlay::dismiss);
}

void SettingsPanel::show(const Settings& s) {
    settings_ = s;
    showValues();
    present();
    if (QAbstractButton* b = scale_->checkedButton()) b->setFocus();
}

void SettingsPanel::showValues() {
    showing_ = true;
    if (QAbstractButton* b = scale_->button(settings_.scale)) b->setChecked(true);
    fullscreen_->setChecked(settings_.fullscreen);
    bgm_->setValue(settings_.bgmVolume);
    sound_->setValue(settings_.soundVolume);
    bgmValue_->setText(QString::number(settings_.bgmVolume));
    soundValue_->setText(QString::number(settings_.soundVolume));
    mute_->setChecked(settings_.mute);
    if (QAbstractButton* b = speed_->button(int(settings_.textSpeed))) b->setChecked(true);
    if (QAbstractButton* b = auto_->button(settings_.autoSeconds)) b->setChecked(true);
    showing_ = false;
}

void SettingsPanel::set(const std::function<void(Settings&)>& change) {
    if (showing_) return;
    Settings s = settings_;
    change(s);
    if (s == settings_) return;
    settings_ = s;
    if (changed) changed(settings_);
    showValues();
}

void SettingsPanel::rescale(int scale) {
    QWidget* p = panel();
    p->setFont(panelFont(13 * scale));
    p->setStyleSheet(buttonStyle(scale));
    if (auto* title = p->findChild<QLabel*>(QStringLiteral("settings_title")))
        title->setFont(panelFont(16 * scale));
    auto* grid = static_cast<QGridLayout*>(p->layout());
    grid->setContentsMargins(14 * scale, 10 * scale, 14 * scale, 12 * scale);
    grid->setHorizontalSpacing(10 * scale);
    grid->setVerticalSpacing(6 * scale);
    for (QLayout* l : p->findChildren<QLayout*>()) l->setSpacing(6 * scale);
    for (QLabel* l : {bgmValue_, soundValue_}) l->setMinimumWidth(30 * scale);
}

// ---- HistoryView ----

HistoryView::HistoryView(QWidget* window) : Overlay(window, QSize(600, 470)) {
    setObjectName(QStringLiteral("history_view"));
    auto* box = new QVBoxLayout(panel());
    auto* title = new QLabel(qt("履歴（ホイール下・Esc・右クリックで閉じる）"), panel());
    title->setObjectName(QStringLiteral("history_title"));
    box->addWidget(title);
    text_ = new QTextBrowser(panel());
    text_->setObjectName(QStringLiteral("history_text"));
    text_->setFrameShape(QFrame::NoFrame);
    text_->setContextMenuPolicy(Qt::NoContextMenu);
    text_->setOpenLinks(false);
    text_->setPalette(panel()->palette());
    text_->viewport()->installEventFilter(this);
    text_->installEventFilter(this);
    box->addWidget(text_);
}

void HistoryView::show(const MessageHistory& history) {
    QString html = QStringLiteral("<body>");
    for (const std::string& line : history.lines()) {
        const std::string_view speaker = MessageHistory::speakerOf(line);
        QString colour = QColor(kOverlayInk).name();
        if (!speaker.empty()) {
            colour = QString::fromUtf8(kOtherSpeaker);
            for (const SpeakerColour& c : kSpeakerColours)
                if (speaker == c.speaker) colour = QString::fromUtf8(c.colour);
        }
        html += QStringLiteral("<p style='margin:0 0 4px 0; color:%1'>%2</p>")
                    .arg(colour, QString::fromStdString(line).toHtmlEscaped());
    }
    if (history.size() == 0)
        html += QStringLiteral("<p>") + qt("まだメッセージはありません。") + QStringLiteral("</p>");
    text_->setHtml(html + QStringLiteral("</body>"));
    present();
    text_->verticalScrollBar()->setValue(text_->verticalScrollBar()->maximum());
    text_->setFocus();
}

void HistoryView::rescale(int scale) {
    panel()->setFont(panelFont(13 * scale, false));
    if (auto* title = panel()->findChild<QLabel*>(QStringLiteral("history_title")))
        title->setFont(panelFont(13 * scale));
    panel()->layout()->setContentsMargins(12 * scale, 8 * scale, 12 * scale, 10 * scale);
    panel()->layout()->setSpacing(6 * scale);
    text_->setFont(panelFont(14 * scale, false));
}

bool HistoryView::eventFilter(QObject* watched, QEvent* e) {
    if (e->type() == QEvent::Wheel) {
        // Turned down at the end: the reader is done.
        auto* w = static_cast<QWheelEvent*>(e);
        QScrollBar* bar = text_->verticalScrollBar();
        if (w->angleDelta().y() < 0 && bar->value() >= bar->maximum()) {
            dismiss();
            return true;
        }
    } else if (e->type() == QEvent::MouseButtonPress) {
        if (static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
            dismiss();
            return true;
        }
    } else if (e->type() == QEvent::KeyPress && watched == text_) {
        const int key = static_cast<QKeyEvent*>(e)->key();
        if (key == Qt::Key_Escape || key == Qt::Key_L) {
            dismiss();
            return true;
        }
    }
    return Overlay::eventFilter(watched, e);
}

// ---- KeysHelp ----

KeysHelp::KeysHelp(QWidget* window) : Overlay(window, QSize(470, 290)) {
    setObjectName(QStringLiteral("keys_help"));
    auto* box = new QVBoxLayout(panel());
    auto* title = new QLabel(qt("キー操作"), panel());
    title->setObjectName(QStringLiteral("keys_title"));
    box->addWidget(title);
    text_ = new QLabel(qt(kKeys), panel());
    text_->setTextFormat(Qt::RichText);
    box->addWidget(text_);
    box->addStretch();
}

void KeysHelp::rescale(int scale) {
    panel()->setFont(panelFont(13 * scale));
    if (auto* title = panel()->findChild<QLabel*>(QStringLiteral("keys_title")))
        title->setFont(panelFont(16 * scale));
    panel()->layout()->setContentsMargins(14 * scale, 10 * scale, 14 * scale, 10 * scale);
    panel()->layout()->setSpacing(6 * scale);
}

// ---- FocusRing ----

FocusRing::FocusRing(QWidget* window) : QWidget(window) {
    setObjectName(QStringLiteral("focus_ring"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    hide();
}

void FocusRing::surround(const QRect& target, int scale) {
    if (target.isEmpty()) {
        hide();
        return;
    }
    unit_ = scale;
    const int m = 3 * scale;
    setGeometry(target.adjusted(-m, -m, m, m));
    // Only the frame is drawn: the button inside shows through.
    const QRegion outer(rect());
    setMask(outer.subtracted(QRegion(rect().adjusted(m, m, -m, -m))));
    show();
    raise();
    update();
}

void FocusRing::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), QColor(kOuter));
    // One unit of black outside, two of yellow inside.
    p.fillRect(rect().adjusted(unit_, unit_, -unit_, -unit_), QColor(kInner));
}

}  // namespace kotou
