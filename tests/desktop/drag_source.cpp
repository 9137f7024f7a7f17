// A stand-in for a file manager: a small window that, when pressed, drags the files named
// on its command line as file URLs, the way a file manager offers them to a drop target.
// Usage: verbolt-drag-source FILE... ; exits 0 when a target accepted the drop.
#include <QApplication>
#include <QDrag>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QWidget>

#include <cstdio>

namespace {

class DragSource : public QWidget {
public:
    explicit DragSource(QList<QUrl> urls) : FUrls(std::move(urls)) {
        setWindowTitle("verbolt drag source");
        setFixedSize(120, 80);
    }

protected:
    void mousePressEvent(QMouseEvent*) override {
        auto* drag = new QDrag(this);
        auto* data = new QMimeData;
        data->setUrls(FUrls);
        drag->setMimeData(data);
        const Qt::DropAction done = drag->exec(Qt::CopyAction);
        std::printf("drag source: %s\n", done == Qt::IgnoreAction ? "refused" : "dropped");
        std::fflush(stdout);
        QApplication::exit(done == Qt::IgnoreAction ? 1 : 0);
    }

private:
    QList<QUrl> FUrls;
};

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QList<QUrl> urls;
    for (int i = 1; i < argc; ++i) urls << QUrl::fromLocalFile(QString::fromLocal8Bit(argv[i]));
    DragSource source(urls);
    source.move(800, 600);
    source.show();
    return app.exec();
}
