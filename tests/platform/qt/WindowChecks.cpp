#include "tests/platform/qt/WindowChecks.h"

#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <algorithm>
#include <cmath>
#include <functional>

namespace kotou::checks {
namespace {

double channel(int v) {
    const double c = v / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

double luminance(QRgb c) {
    return 0.2126 * channel(qRed(c)) + 0.7152 * channel(qGreen(c)) + 0.0722 * channel(qBlue(c));
}

std::string nameOf(const QWidget* w) {
    return w->objectName().isEmpty() ? std::string(w->metaObject()->className())
                                     : w->objectName().toStdString();
}

bool shown(const QWidget* w, const QWidget* window) {
    return w->isVisibleTo(const_cast<QWidget*>(window)) && w->isVisible();
}

// The widgets under root that are on screen, root included.
std::vector<QWidget*> shownWidgets(QWidget* window, QWidget* root) {
    std::vector<QWidget*> out;
    if (shown(root, window)) out.push_back(root);
    for (QWidget* w : root->findChildren<QWidget*>())
        if (shown(w, window)) out.push_back(w);
    return out;
}

// The text a widget draws, and a way to set it (to take it away for a moment).
struct Text {
    QString text;
    std::function<void(const QString&)> set;
};

bool textOf(QWidget* w, Text& t) {
    if (auto* l = qobject_cast<QLabel*>(w)) {
        t = {l->text(), [l](const QString& s) { l->setText(s); }};
    } else if (auto* b = qobject_cast<QPushButton*>(w)) {
        t = {b->text(), [b](const QString& s) { b->setText(s); }};
    } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
        t = {g->title(), [g](const QString& s) { g->setTitle(s); }};
    } else {
        return false;
    }
    return !t.text.trimmed().isEmpty();
}

QImage grabArea(QWidget* window, const QRect& r) {
    return window->grab(r).toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace

double contrastRatio(QRgb a, QRgb b) {
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::vector<std::string> checkContrast(QWidget* window, QWidget* root, const Options& o) {
    std::vector<std::string> found;
    for (QWidget* w : shownWidgets(window, root)) {
        Text t;
        if (!textOf(w, t)) continue;
        const QRect area(w->mapTo(window, QPoint(0, 0)), w->size());
        const QImage with = grabArea(window, area);
        t.set(QString());
        const QImage behind = grabArea(window, area);
        t.set(t.text);

        // Glyph pixels: where the text changed the picture. The ink is the
        // glyph pixel that stands out most from what lies behind it.
        std::vector<std::pair<QRgb, QRgb>> glyphs;
        QRgb ink = 0;
        double strongest = -1;
        for (int y = 0; y < with.height(); ++y)
            for (int x = 0; x < with.width(); ++x) {
                const QRgb a = with.pixel(x, y), b = behind.pixel(x, y);
                if (a == b) continue;
                glyphs.emplace_back(a, b);
                const double d = std::abs(luminance(a) - luminance(b));
                if (d > strongest) {
                    strongest = d;
                    ink = a;
                }
            }
        if (glyphs.empty()) {
            found.push_back(nameOf(w) + ": text \"" + t.text.toStdString() + "\" is invisible");
            continue;
        }
        size_t readable = 0;
        double worst = 21;
        for (const auto& [a, b] : glyphs) {
            const double r = contrastRatio(ink, b);
            if (r >= o.minContrast) ++readable;
            worst = std::min(worst, r);
        }
        if (static_cast<double>(readable) < o.share * static_cast<double>(glyphs.size())) {
            found.push_back(nameOf(w) + ": text \"" + t.text.toStdString() +
                            "\" contrasts too little with what is behind it (" +
                            std::to_string(100 * readable / glyphs.size()) + "% of " +
                            std::to_string(glyphs.size()) + " glyph pixels reach " +
                            std::to_string(o.minContrast) + ":1, worst " + std::to_string(worst) +
                            ":1)");
        }
    }
    return found;
}

std::vector<std::string> checkButtonsReachable(QWidget* window, QWidget* root) {
    std::vector<std::string> found;
    for (QWidget* w : shownWidgets(window, root)) {
        auto* b = qobject_cast<QPushButton*>(w);
        if (!b || !b->isEnabled()) continue;
        const QPoint centre = b->mapTo(window, b->rect().center());
        QWidget* hit = window->childAt(centre);
        if (hit == b || (hit && b->isAncestorOf(hit))) continue;
        found.push_back(nameOf(b) + ": a click on its centre reaches " +
                        (hit ? nameOf(hit) : std::string("the window")));
    }
    return found;
}

std::vector<std::string> checkCaptionsFit(QWidget* root, const Options& o) {
    std::vector<std::string> found;
    auto report = [&](QWidget* w, const QString& text, const QRect& room, const QSize& need) {
        found.push_back(nameOf(w) + ": \"" + text.toStdString() + "\" needs " +
                        std::to_string(need.width()) + "x" + std::to_string(need.height()) +
                        ", has " + std::to_string(room.width()) + "x" +
                        std::to_string(room.height()));
    };
    for (QWidget* w : shownWidgets(root->window(), root)) {
        if (std::find(o.mayClip.begin(), o.mayClip.end(), nameOf(w)) != o.mayClip.end()) continue;
        const QFontMetrics fm(w->font());
        if (auto* l = qobject_cast<QLabel*>(w)) {
            if (l->text().isEmpty()) continue;
            const QRect room = l->contentsRect();
            const int flags = Qt::AlignLeft | Qt::AlignTop | (l->wordWrap() ? Qt::TextWordWrap : 0);
            const QRect need = fm.boundingRect(QRect(room.topLeft(), QSize(room.width(), 10000)),
                                               flags, l->text());
            if (need.width() > room.width() || need.height() > room.height())
                report(w, l->text(), room, need.size());
        } else if (auto* b = qobject_cast<QPushButton*>(w)) {
            if (b->text().isEmpty()) continue;
            QStyleOptionButton opt;
            opt.initFrom(b);
            opt.text = b->text();
            const QRect room = b->style()->subElementRect(QStyle::SE_PushButtonContents, &opt, b);
            const QSize need(fm.horizontalAdvance(b->text()), fm.height());
            if (need.width() > room.width() || need.height() > room.height())
                report(w, b->text(), room, need);
        } else if (auto* g = qobject_cast<QGroupBox*>(w)) {
            if (g->title().isEmpty()) continue;
            // The title sits on the frame, indented on both sides.
            const QRect room(0, 0, g->width() - 16, g->height());
            const QSize need(fm.horizontalAdvance(g->title()), fm.height());
            if (need.width() > room.width() || need.height() > room.height())
                report(w, g->title(), room, need);
        }
    }
    return found;
}

std::vector<std::string> checkWindow(QWidget* window, QWidget* root, const Options& o) {
    std::vector<std::string> all = checkContrast(window, root, o);
    for (auto& s : checkButtonsReachable(window, root)) all.push_back(std::move(s));
    for (auto& s : checkCaptionsFit(root, o)) all.push_back(std::move(s));
    return all;
}

}  // namespace kotou::checks
