// The baseline of the start-up and idle measurements: an empty Qt window of
// the game's size. Arguments, in any order:
//   buttons   the window also shows the title screen's two buttons in the
//             game's font: the least any window showing that text pays,
//             mostly for reading the system's font configuration and loading
//             the font;
//   scale=N   the window and its buttons N times as large (the game's scale);
//   stay      the window stays open (the idle benchmark); without it the
//             process ends right after its first paint has been delivered,
//             as kotou does with KOTOU_EXIT_AFTER_SHOWN=1.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

class EmptyWindow : public QWidget {
  public:
    bool stay = false;

  protected:
    void paintEvent(QPaintEvent*) override {
        if (!painted_ && !stay) {
            painted_ = true;
            QTimer::singleShot(0, this, [] {
                std::fflush(nullptr);
                std::_Exit(0);
            });
        }
    }

  private:
    bool painted_ = false;
};

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    EmptyWindow w;
    bool buttons = false;
    int scale = 1;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "buttons") == 0) buttons = true;
        if (std::strcmp(argv[i], "stay") == 0) w.stay = true;
        if (std::strncmp(argv[i], "scale=", 6) == 0) scale = std::max(1, std::atoi(argv[i] + 6));
    }
    w.setWindowTitle(QStringLiteral("empty window"));
    w.setFixedSize(640 * scale, 506 * scale);
    if (buttons) {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(12 * scale);
        font.setBold(true);
        w.setFont(font);
        const char* captions[] = {"はじめる", "つづける"};
        for (int i = 0; i < 2; ++i) {
            auto* button = new QPushButton(QString::fromUtf8(captions[i]), &w);
            button->setGeometry(268 * scale, (324 + 28 * i) * scale, 105 * scale, 25 * scale);
        }
    }
    w.show();
    return app.exec();
}
