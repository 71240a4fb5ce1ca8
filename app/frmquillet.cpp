#include "app/frmquillet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "app/buttons.h"
#include "app/icon.h"
#include "app/vector_state.h"

namespace {

Lifecycle::Key keyOf(int key)
{
    if (key == Qt::Key_Return || key == Qt::Key_Enter)
        return Lifecycle::Key::Enter;
    if (key == Qt::Key_Space || key == Qt::Key_Select)
        return Lifecycle::Key::Space;
    return Lifecycle::Key::Other;
}

}  // namespace

frmQuillet::frmQuillet(Random& random, QWidget* parent)
    : QWidget(parent), canvas_(font()), lifecycle_(*this, *this, random, *this)
{
    setObjectName("frmQuillet");
    setWindowTitle(Window::title);
    // The drawn icon, not the icon theme's: the same picture, without reading
    // every theme's index as the program starts.
    setWindowIcon(drawnIcon());
    setAccessibleName(Window::title);
    setAccessibleDescription(Window::about);
    setFixedSize(Window::width, Window::height);
    // A window of fixed size has nothing to maximise to: its title bar offers
    // no Maximise, also where Qt draws the title bar itself (Wayland).
    // On Windows, a thin border that does not offer to resize.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, toQColor(Window::background));
    setPalette(pal);
    setAutoFillBackground(true);

    cmdRetry = addButton(*this, Window::retry);
    cmdEnd = addButton(*this, Window::end);
    setTabOrder(cmdRetry, cmdEnd);
    connect(cmdRetry, &QPushButton::clicked, this, &frmQuillet::cmdRetry_Click);
    connect(cmdEnd, &QPushButton::clicked, this, &frmQuillet::cmdEnd_Click);
    cmdRetry->installEventFilter(this);
    cmdEnd->installEventFilter(this);
    clock_.start();
}

void frmQuillet::runFinished(std::int16_t sites)
{
    // The keyboard focus is on Retry after every run, however Retry was
    // pressed (while the run draws, nothing has it).
    cmdRetry->setFocus();
    announcer_.runFinished(sites);
}

// The window goes at once, and the event loop (if it is running yet) is told
// to finish.
void frmQuillet::ended()
{
    hide();
    QCoreApplication::quit();
}

void frmQuillet::closeEvent(QCloseEvent* event)
{
    lifecycle_.end();
    event->accept();
}

void frmQuillet::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    switch (event->type()) {
    case QEvent::ActivationChange: announcer_.activationChanged(); break;
    case QEvent::FontChange:
    case QEvent::StyleChange: fitCaptions(); break;
    case QEvent::WindowStateChange: placement_->refuseToGrow(); break;
    default: break;
    }
}

// The buttons' keys, as the lifecycle rules them. Alt+R moves the keyboard
// focus to Retry at once, as an access key does, not after the button's press
// shows: a Space that follows is Retry's.
bool frmQuillet::eventFilter(QObject* watched, QEvent* event)
{
    auto* button = qobject_cast<QPushButton*>(watched);
    if (button == cmdRetry && event->type() == QEvent::Shortcut && cmdRetry->isEnabled())
        cmdRetry->setFocus(Qt::ShortcutFocusReason);
    if (!button || (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease))
        return QWidget::eventFilter(watched, event);
    const Lifecycle::Key key = keyOf(static_cast<QKeyEvent*>(event)->key());
    switch (lifecycle_.key(button == cmdEnd ? Lifecycle::Button::End : Lifecycle::Button::Retry, key)) {
    case Lifecycle::KeyAction::Swallow: return true;
    case Lifecycle::KeyAction::Click:
        if (event->type() == QEvent::KeyPress)
            button->click();
        return true;
    case Lifecycle::KeyAction::Pass: break;
    }
    return QWidget::eventFilter(watched, event);
}

void frmQuillet::setVisible(bool visible)
{
    if (!visible || isVisible()) {
        QWidget::setVisible(visible);
        return;
    }
    placement_->beforeShow();
    QWidget::setVisible(true);
    placement_->afterShow();
    fitCanvas();
}

void frmQuillet::clear()
{
    fitCanvas();
    update(canvas_.clear());
}

// The canvas covers the outer size, which is a little larger than the client
// area, at the screen's pixel density.
void frmQuillet::fitCanvas() { canvas_.fit(frameGeometry().size().expandedTo(size()), devicePixelRatioF()); }

void frmQuillet::fitCaptions()
{
    for (QPushButton* button : {cmdRetry, cmdEnd})
        if (button)  // (not yet, while the window is being made)
            fitCaption(*button, font());
}

void frmQuillet::setRetryEnabled(bool enabled)
{
    // While a run draws, End takes no keyboard focus: Qt would pass Retry's
    // on to it, or give it End as the window opens, and then a second Space
    // would end the program and a screen reader would announce End. Nothing
    // has the focus then, unless the user had put it on End.
    if (!enabled)
        cmdEnd->setFocusPolicy(Qt::NoFocus);
    if (enabled)
        showDrawn(clock_.elapsed());
    cmdRetry->setEnabled(enabled);
    if (enabled)
        cmdEnd->setFocusPolicy(Qt::StrongFocus);
}

// One clock read a pump: what was drawn is shown once a frame, and the event
// loop asked at most once a millisecond.
bool frmQuillet::pump()
{
    const qint64 now = clock_.elapsed();
    if (frames_.due(now))
        showDrawn(now);
    if (asks_.due(now)) {
        asks_.done(now);
        QCoreApplication::processEvents();
    }
    // The search goes on from here, after Qt's drawing and events.
    dropUpperVectorState();
    return !lifecycle_.ended();
}

// What the run drew goes to the screen (at a pump once a frame, and as the
// run ends).
void frmQuillet::showDrawn(qint64 now)
{
    if (unshown_.isEmpty())
        return;
    update(std::exchange(unshown_, QRect()));
    frames_.done(now);
}

void frmQuillet::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    canvas_.paint(painter);
}

int runQuillet(frmQuillet& form)
{
    form.Form_Load();
    if (form.hasEnded())
        return 0;
    return QApplication::exec();
}
