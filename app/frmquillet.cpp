#include "app/frmquillet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <cmath>

#include "app/access.h"
#include "app/icon.h"
#include "diagram/run.h"

namespace {

constexpr int clientWidth = 788;
constexpr int clientHeight = 565;

QColor toQColor(std::uint32_t c) { return QColor(redOf(c), greenOf(c), blueOf(c)); }

// Lines may run far past the canvas; cut them to a box around the image first,
// so the rasteriser never sees huge coordinates.
bool clipToBox(QPointF& a, QPointF& b, const QRectF& box)
{
    double t0 = 0;
    double t1 = 1;
    const double dx = b.x() - a.x();
    const double dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - box.left(), box.right() - a.x(), a.y() - box.top(), box.bottom() - a.y()};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return false;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    const QPointF start = a;
    a = start + t0 * QPointF(dx, dy);
    b = start + t1 * QPointF(dx, dy);
    return true;
}

}  // namespace

frmQuillet::frmQuillet(std::function<std::uint64_t()> seeder, QWidget* parent)
    : QWidget(parent), seeder_(std::move(seeder))
{
    setObjectName("frmQuillet");
    setWindowTitle("Quillet");
    setWindowIcon(QIcon::fromTheme(QUILLET_APP_ID, drawnIcon()));
    presentAsMainWindow();
    setAccessibleName("Quillet");
    setAccessibleDescription("The nearest-site diagram of a random set of points");
    setFixedSize(clientWidth, clientHeight);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::black);
    setPalette(pal);
    setAutoFillBackground(true);

    cmdRetry = new QPushButton("Retry(&R)", this);
    cmdRetry->setObjectName("cmdRetry");
    cmdRetry->setGeometry(16, 8, 57, 25);
    cmdEnd = new QPushButton("End(&E)", this);
    cmdEnd->setObjectName("cmdEnd");
    cmdEnd->setGeometry(112, 8, 57, 25);
    cmdRetry->setAccessibleName("Retry");
    cmdRetry->setAccessibleDescription("Clear the window and draw a new diagram");
    cmdEnd->setAccessibleName("End");
    cmdEnd->setAccessibleDescription("Quit Quillet at once");
    // Buttons keep the system's own look on the black window.
    cmdRetry->setPalette(QGuiApplication::palette());
    cmdEnd->setPalette(QGuiApplication::palette());
    setTabOrder(cmdRetry, cmdEnd);
    connect(cmdRetry, &QPushButton::clicked, this, &frmQuillet::cmdRetry_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmQuillet::cmdEnd_Click);

    fitImage();
}

void frmQuillet::Form_Load()
{
    if (running_ || ended_)
        return;
    running_ = true;
    // Retry is disabled while the run draws, and Qt moves the keyboard focus
    // on to End; it comes back to Retry afterwards if Retry had it, and after
    // the first run, so that Space twice never ends the program.
    const bool focusRetry = !ranBefore_ || cmdRetry->hasFocus();
    ranBefore_ = true;
    const bool finished = runDiagram(*this);
    running_ = false;
    if (!finished || ended_)
        return;
    describeDrawing(*this, sites_, true);
    if (focusRetry)
        cmdRetry->setFocus();
}

void frmQuillet::cmdRetry_Click()
{
    if (running_)
        return;
    clear();
    Form_Load();
}

void frmQuillet::cmdEnd_Click() { end(); }

void frmQuillet::closeEvent(QCloseEvent* event)
{
    end();
    event->accept();
}

// The program ends: the run stops at its next pump, the window goes at once,
// and the event loop (if it is running yet) is told to finish.
void frmQuillet::end()
{
    ended_ = true;
    hide();
    QCoreApplication::quit();
}

void frmQuillet::show()
{
    if (isVisible())
        return;
    if (!placed_) {
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            move(screen->availableGeometry().center() - QPoint(clientWidth / 2, clientHeight / 2));
    }
    QWidget::show();
    // Wait, briefly, until the window is on screen and, where the platform
    // tells it (X11: the window manager's frame extents), until its frame is
    // known, so that the run reads the outer size with the frame. A Wayland
    // compositor that draws the frame does not tell it: there, being on
    // screen is all there is to wait for.
    QElapsedTimer waited;
    waited.start();
    waitUntil([this] { return windowHandle() && windowHandle()->isExposed(); }, 2000);
    if (QGuiApplication::platformName() == QLatin1String("xcb"))
        waitUntil([this] { return frameGeometry().size() != size(); }, 300 - static_cast<int>(waited.elapsed()));
    if (!placed_) {
        placed_ = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    fitImage();
}

// Handles events, asleep between them, until done() holds, the program ends
// or ms milliseconds have passed.
void frmQuillet::waitUntil(const std::function<bool()>& done, int ms)
{
    if (ms <= 0)
        return;
    QTimer deadline;  // also wakes the wait when nothing else comes
    deadline.setSingleShot(true);
    deadline.start(ms);
    while (!ended_ && !done() && deadline.isActive())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
}

void frmQuillet::refresh() { repaint(); }

void frmQuillet::clear()
{
    fitImage();
    image_.fill(Qt::black);
    position_ = QPointF(0, 0);
    update();
}

float frmQuillet::outerWidth() const { return static_cast<float>(frameGeometry().width() * twipsPerPixel); }
float frmQuillet::outerHeight() const { return static_cast<float>(frameGeometry().height() * twipsPerPixel); }

// The image covers the whole canvas (the outer size, which is a little larger
// than the client area) at the screen's pixel density.
void frmQuillet::fitImage()
{
    const QSize want = frameGeometry().size().expandedTo(size());
    const qreal ratio = devicePixelRatioF();
    if (!image_.isNull() && image_.devicePixelRatio() == ratio && image_.deviceIndependentSize().toSize() == want)
        return;
    QImage next(want * ratio, QImage::Format_RGB32);
    next.setDevicePixelRatio(ratio);
    next.fill(Qt::black);
    if (!image_.isNull()) {
        QPainter p(&next);
        p.drawImage(QPointF(0, 0), image_);
    }
    image_ = std::move(next);
}

void frmQuillet::line(float x1, float y1, float x2, float y2)
{
    position_ = QPointF(x2, y2);
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return;
    if (x1 == x2 && y1 == y2)
        return;  // a line to its own start only moves the position
    QPointF a(x1, y1);
    QPointF b(x2, y2);
    if (!clipToBox(a, b, QRectF(QPointF(-2, -2), image_.deviceIndependentSize() + QSizeF(4, 4))))
        return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(toQColor(colour_), 1));
    p.drawLine(a, b);
    update(QRectF(a, b).normalized().adjusted(-2, -2, 2, 2).toAlignedRect());
}

void frmQuillet::circle(float x, float y, float radius, std::uint32_t colour)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(radius))
        return;
    QPainter p(&image_);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(toQColor(colour), 1));
    p.drawEllipse(QPointF(x, y), radius, radius);
    update(QRectF(x - radius - 2, y - radius - 2, 2 * radius + 4, 2 * radius + 4).toAlignedRect());
}

void frmQuillet::print(std::string_view item, std::int16_t n)
{
    const QString text = QString::fromStdString(printedText(item, n));
    QPainter p(&image_);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont f = font();
    f.setPointSize(fontSize_);
    p.setFont(f);
    p.setPen(toQColor(colour_));
    const QFontMetricsF metrics(f, &image_);
    p.drawText(position_ + QPointF(0, metrics.ascent()), text);
    update(QRectF(position_, QSizeF(metrics.horizontalAdvance(text), metrics.height()))
               .toAlignedRect()
               .adjusted(-2, -2, 2, 2));
    position_ = QPointF(0, position_.y() + metrics.lineSpacing());
    // The label is the run's site count.
    sites_ = n;
    describeDrawing(*this, n, false);
}

void frmQuillet::setRetryEnabled(bool enabled) { cmdRetry->setEnabled(enabled); }

bool frmQuillet::pump()
{
    QCoreApplication::processEvents();
    return !ended_;
}

int runQuillet(frmQuillet& form)
{
    form.Form_Load();
    if (form.hasEnded())
        return 0;
    return QApplication::exec();
}

void frmQuillet::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(QPointF(0, 0), image_);
}
