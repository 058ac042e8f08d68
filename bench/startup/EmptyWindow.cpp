// The baseline of the start-up measurement: an empty Qt window of the game's
// size that ends the process right after its first paint has been delivered,
// as kotou does with KOTOU_EXIT_AFTER_SHOWN=1.
//
// With the argument "buttons" the window also shows the title screen's two
// buttons in the game's font: the least any window showing that text pays,
// mostly for reading the system's font configuration and loading the font.
#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <cstring>

class EmptyWindow : public QWidget {
  protected:
    void paintEvent(QPaintEvent*) override {
        if (!painted_) {
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
    w.setFixedSize(640, 506);
    if (argc > 1 && std::strcmp(argv[1], "buttons") == 0) {
        QFont font(QStringLiteral("IPAPGothic"));
        font.setPixelSize(12);
        font.setBold(true);
        w.setFont(font);
        const char* captions[] = {"はじめる", "つづける"};
        for (int i = 0; i < 2; ++i) {
            auto* button = new QPushButton(QString::fromUtf8(captions[i]), &w);
            button->setGeometry(268, 324 + 28 * i, 105, 25);
        }
    }
    w.show();
    return app.exec();
}
