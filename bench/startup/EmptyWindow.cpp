// The baseline of the start-up measurement: an empty Qt window of the game's
// size that ends the process right after its first paint has been delivered,
// as kotou does with KOTOU_EXIT_AFTER_SHOWN=1.
#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

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
    w.show();
    return app.exec();
}
