#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>

#include "app/access.h"
#include "app/canvas.h"
#include "app/placement/placement.h"
#include "app/pump.h"
#include "lifecycle/lifecycle.h"

class QPushButton;

// Quillet's one window, with its two buttons and their handlers: the desktop's
// front end of the program's lifecycle. A run is hosted by it and draws on
// its canvas, which it paints on every repaint.
class frmQuillet : public QWidget, public Host, private Lifecycle::FrontEnd {
    Q_OBJECT

public:
    // Every run takes its numbers from random.
    explicit frmQuillet(Random& random, QWidget* parent = nullptr);

    QPushButton* cmdRetry = nullptr;
    QPushButton* cmdEnd = nullptr;

    // Runs one whole diagram. Returns at once when a run is already going or
    // the program is ending.
    void Form_Load() { lifecycle_.load(); }
    // True once End was pressed or the window closed: the program is ending.
    bool hasEnded() const { return lifecycle_.ended(); }

    // Shown centred where it stays (see Placement), whichever show is called.
    void setVisible(bool visible) override;

    // What runs draw on.
    Canvas& canvas() { return canvas_; }

public slots:
    void cmdRetry_Click();
    void cmdEnd_Click() { lifecycle_.end(); }

public:
    // Host: the window's.
    void show() override { QWidget::show(); }
    void refresh() override { repaint(); }
    float outerWidth() const override { return static_cast<float>(frameGeometry().width() * twipsPerPixel); }
    float outerHeight() const override { return static_cast<float>(frameGeometry().height() * twipsPerPixel); }
    void setRetryEnabled(bool enabled) override;
    bool pump() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The lifecycle's turns, as the window shows them.
    void runStarted() override { announcer_.runStarted(); }
    void runFinished(std::int16_t sites) override;
    void ended() override;

    void fitCanvas();
    void fitCaptions();

    Canvas canvas_;
    Pump pump_{*this, canvas_};
    std::unique_ptr<Placement> placement_ = Placement::forPlatform(*this);
    Announcer announcer_{*this};
    Lifecycle lifecycle_;
};

// The program: the first run starts by itself, before the event loop; then
// the window waits for its buttons. Returns the exit status, 0 also when End
// or the window's close came in the middle of the first run.
int runQuillet(frmQuillet& form);
