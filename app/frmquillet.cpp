#include "app/frmquillet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <optional>

#include "app/access.h"
#include "app/icon.h"
#include "app/x11frame.h"
#include "diagram/run.h"

namespace {

constexpr int clientWidth = 788;
constexpr int clientHeight = 565;

}  // namespace

frmQuillet::frmQuillet(std::function<std::uint64_t()> seeder, QWidget* parent)
    : QWidget(parent), seeder_(std::move(seeder))
{
    setObjectName("frmQuillet");
    setWindowTitle("Quillet");
    setWindowIcon(QIcon::fromTheme(QUILLET_APP_ID, drawnIcon()));
    setAccessibleName("Quillet");
    setAccessibleDescription("Draws the nearest-site diagram of random points");
    setFixedSize(clientWidth, clientHeight);
    // A window of fixed size has nothing to maximise to: its title bar offers
    // no Maximise, also where Qt draws the title bar itself (Wayland).
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
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
    cmdEnd->installEventFilter(this);

    fitImage();
}

void frmQuillet::Form_Load()
{
    if (running_ || ended_)
        return;
    running_ = true;
    // The keyboard focus goes back to Retry after the run if Retry had it
    // (while the run draws, nothing has it), and after the first run.
    const bool focusRetry = !ranBefore_ || cmdRetry->hasFocus();
    ranBefore_ = true;
    untold_ = false;
    const bool finished = runDiagram(*this);
    running_ = false;
    if (!finished || ended_)
        return;
    if (focusRetry)
        cmdRetry->setFocus();
    untold_ = true;
    tellDrawing();
}

// Tells a screen reader what the run drew, once, as soon as the window is
// active: screen readers speak for the active window alone, and the first
// run can finish before the window manager activates the window.
void frmQuillet::tellDrawing()
{
    if (!untold_ || !isActiveWindow())
        return;
    untold_ = false;
    announceDrawing(*this, sites_);
}

void frmQuillet::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange)
        tellDrawing();
    // Where Qt draws the title bar (Wayland), it offers Maximise whatever the
    // window's flags say; a window of fixed size has nothing to maximise to,
    // so it stays as it is.
    if (event->type() == QEvent::WindowStateChange && isMaximized())
        setWindowState(windowState() & ~Qt::WindowMaximized);
}

// While a run draws, End is pressed by the mouse or Alt+E alone: a key meant
// for Retry (a second Space, say) never ends the program.
bool frmQuillet::eventFilter(QObject* watched, QEvent* event)
{
    if (running_ && watched == cmdEnd && (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
        switch (static_cast<QKeyEvent*>(event)->key()) {
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Select: return true;
        default: break;
        }
    }
    return QWidget::eventFilter(watched, event);
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
    const bool onX11 = QGuiApplication::platformName() == QLatin1String("xcb");
    const x11::FrameTelling told = x11::frameTelling();
    const bool placedByManager = !placed_ && !placeCentred(told);
    placed_ = true;
    QWidget::show();
    // Wait, briefly, until the window is on screen and then, where an X11
    // window manager tells its frames, until Qt knows the frame, so that the
    // run reads the outer size with the frame. Where nobody tells a frame (a
    // bare X server; a Wayland compositor that draws the frame) being on
    // screen is all there is to wait for.
    waitUntil([this] { return windowHandle() && windowHandle()->isExposed(); }, QDeadlineTimer(2000));
    if (told.drawn)
        waitUntil([this] { return frameGeometry().size() != size(); }, QDeadlineTimer(300));
    // On a bare X server nobody gives the new window the keyboard focus.
    if (onX11 && !told.drawn)
        activateWindow();
    // Where the window manager placed the window, the frame is centred now
    // that it is known (KWin's own placement has done that already).
    if (placedByManager) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            QRect frame = frameGeometry();
            frame.moveCenter(screen->availableGeometry().center());
            move(frame.topLeft());
        }
    }
    fitImage();
}

// Before the window is first mapped: centred on the screen, so that it
// appears where it stays. Where the window manager tells ahead the frame it
// will draw, the frame is centred; where it tells frames only once it draws
// them (KWin), the window is left to its own placement, and false returned.
// Elsewhere, and where it answers that it draws no frame (mutter 48, which
// then draws one), the client area is centred.
bool frmQuillet::placeCentred(const x11::FrameTelling& told)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return true;
    QRect frame(QPoint(0, 0), size());
    if (told.drawn) {
        if (!told.ahead)
            return false;
        winId();  // the native window, not yet mapped, for the window manager to see
        const std::optional<QMargins> margins = x11::frameBeforeMapping(*windowHandle(), 300);
        if (!margins)
            return false;
        frame = frame.marginsAdded(*margins);
        frame.moveCenter(screen->availableGeometry().center());
        setGeometry(frame.marginsRemoved(*margins));  // the client area inside that frame
        return true;
    }
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
    return true;
}

// Handles events, asleep between them, until done() holds, the program ends
// or the deadline passes.
void frmQuillet::waitUntil(const std::function<bool()>& done, QDeadlineTimer deadline)
{
    if (deadline.hasExpired())
        return;
    QTimer wake;  // so that the wait ends also when nothing else comes
    wake.setSingleShot(true);
    wake.start(static_cast<int>(deadline.remainingTime()));
    while (!ended_ && !done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
}

void frmQuillet::setRetryEnabled(bool enabled)
{
    // While a run draws, End takes no keyboard focus: Qt would pass Retry's
    // on to it, or give it End as the window opens, and then a second Space
    // would end the program and a screen reader would announce End. Nothing
    // has the focus then, unless the user had put it on End.
    if (!enabled)
        cmdEnd->setFocusPolicy(Qt::NoFocus);
    cmdRetry->setEnabled(enabled);
    if (enabled)
        cmdEnd->setFocusPolicy(Qt::StrongFocus);
}

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
