#include "app/frmquillet.h"

#include <QApplication>
#include <QCloseEvent>
#include <QPainter>
#include <QPushButton>

#include "app/button_keys.h"
#include "app/buttons.h"
#include "app/icon.h"

frmQuillet::frmQuillet(Random& random, QWidget* parent)
    : QWidget(parent), canvas_(font()), lifecycle_(*this, canvas_, random, *this)
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
    new ButtonKeys(*cmdRetry, *cmdEnd, lifecycle_, this);
}

// A clear start: the canvas fitted again first (the window's frame may have
// come, or its screen changed, since it was shown).
void frmQuillet::cmdRetry_Click()
{
    fitCanvas();
    lifecycle_.retry();
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
        pump_.showDrawn();
    cmdRetry->setEnabled(enabled);
    if (enabled)
        cmdEnd->setFocusPolicy(Qt::StrongFocus);
}

bool frmQuillet::pump()
{
    pump_();
    return !lifecycle_.ended();
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
