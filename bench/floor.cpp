// The start-up floor: the window that Quillet shows, with nothing drawn in it.
// Same title, size and black background, the same two buttons with their
// captions and access keys, written as plainly as Qt allows. It has no run:
// it ends once its window is shown and painted, and says when to the probe.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "bench/startup_probe.h"

namespace {

class Floor : public QWidget {
public:
    explicit Floor(StartupProbe& probe) : probe_(probe)
    {
        setWindowTitle("Quillet");
        setFixedSize(788, 565);
        QPalette pal = palette();
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
        (new QPushButton("Retry(&R)", this))->setGeometry(16, 8, 57, 25);
        (new QPushButton("End(&E)", this))->setGeometry(112, 8, 57, 25);
    }

protected:
    // The window and its buttons are painted and flushed in one go; the
    // start is done once that is.
    void paintEvent(QPaintEvent*) override
    {
        if (std::exchange(painted_, true))
            return;
        QTimer::singleShot(0, this, [this] {
            probe_.done();
            QCoreApplication::quit();
        });
    }

private:
    StartupProbe& probe_;
    bool painted_ = false;
};

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    StartupProbe probe;
    Floor floor(probe);
    floor.show();
    return QApplication::exec();
}
