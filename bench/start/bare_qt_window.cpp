// The yardstick for start-up: the barest Qt 6 window of the editor's size, at the same
// place, painting one colour.
#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

class Bare : public QWidget {
protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), QColor(0x33, 0x66, 0x99));
    }
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    Bare window;
    window.setWindowTitle("bare");
    window.setFixedSize(689, 427);
    window.move(0, 0);
    window.show();
    return app.exec();
}
