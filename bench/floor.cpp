// The start-up floor: the window that Quillet shows, with nothing drawn in it.
// Same title, size and background, the same two buttons with their captions
// and access keys (all from the window's description), made as plainly as Qt
// allows. It has no run:
// it ends once its window is shown and painted, and says when to the probe.

#include <QApplication>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include "bench/startup_probe.h"
#include "window/window.h"

namespace {

class Floor : public QWidget {
public:
    explicit Floor(StartupProbe& probe) : probe_(probe)
    {
        setWindowTitle(Window::title);
        setFixedSize(Window::width, Window::height);
        QPalette pal = palette();
        const std::uint32_t c = Window::background;
        pal.setColor(QPalette::Window, QColor(redOf(c), greenOf(c), blueOf(c)));
        setPalette(pal);
        setAutoFillBackground(true);
        for (const Window::Button& b : {Window::retry, Window::end})
            (new QPushButton(b.caption, this))->setGeometry(b.x, b.y, b.width, b.height);
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
