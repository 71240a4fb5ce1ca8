#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>

#include "app/access.h"
#include "app/canvas.h"
#include "app/placement/placement.h"
#include "diagram/random.h"
#include "diagram/surface.h"
#include "lifecycle/lifecycle.h"

class QPushButton;

// Quillet's one window, with its two buttons and their handlers: the desktop's
// front end of the program's lifecycle. A run draws on it through Surface:
// the drawing goes to the window's canvas, which it paints on every repaint.
class frmQuillet : public QWidget, public Surface, private Lifecycle::FrontEnd {
    Q_OBJECT

public:
    // seeder gives the seed at every reseed: the clock, unless a test says
    // otherwise.
    explicit frmQuillet(std::function<std::uint64_t()> seeder = clockSeed, QWidget* parent = nullptr);

    QPushButton* cmdRetry = nullptr;
    QPushButton* cmdEnd = nullptr;

    // Runs one whole diagram. Returns at once when a run is already going or
    // the program is ending.
    void Form_Load() { lifecycle_.load(); }
    // True once End was pressed or the window closed: the program is ending.
    bool hasEnded() const { return lifecycle_.ended(); }
    const QImage& image() const { return canvas_.image(); }

    // Shown centred where it stays (see Placement), whichever show is called.
    void setVisible(bool visible) override;

public slots:
    void cmdRetry_Click() { lifecycle_.retry(); }
    void cmdEnd_Click() { lifecycle_.end(); }

public:
    // Surface: the drawing goes to the canvas, the rest to the window.
    void show() override { QWidget::show(); }
    void refresh() override { repaint(); }
    void clear() override;
    void setColour(std::uint32_t colour) override { canvas_.setColour(colour); }
    std::uint32_t colour() const override { return canvas_.colour(); }
    void setFontSize(int points) override { canvas_.setFontSize(points); }
    float outerWidth() const override { return static_cast<float>(frameGeometry().width() * twipsPerPixel); }
    float outerHeight() const override { return static_cast<float>(frameGeometry().height() * twipsPerPixel); }
    void line(float x1, float y1, float x2, float y2) override { drawn(canvas_.line(x1, y1, x2, y2)); }
    void circle(float x, float y, float radius, std::uint32_t colour) override
    {
        drawn(canvas_.circle(x, y, radius, colour));
    }
    void print(std::string_view item, std::int16_t n) override { drawn(canvas_.print(item, n)); }
    void setRetryEnabled(bool enabled) override;
    bool pump() override;
    void reseed() override { rng_.seed(seeder_()); }
    float nextRandom() override { return rng_.next(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The lifecycle's turns, as the window shows them.
    void runStarted() override { announcer_.runStarted(); }
    void runFinished(std::int16_t sites) override;
    void ended() override;

    void fitCanvas();
    void fitCaptions();
    void drawn(const QRect& changed) { unshown_ |= changed; }
    void showDrawn(bool atOnce);

    std::function<std::uint64_t()> seeder_;
    Rng rng_;
    Canvas canvas_;
    std::unique_ptr<Placement> placement_ = Placement::forPlatform(*this);
    Announcer announcer_{*this};
    Lifecycle lifecycle_{*this, *this};
    QRect unshown_;  // drawn on the canvas, not yet asked onto the screen
    FrameThrottle frames_;
    QElapsedTimer clock_;  // the throttle's time
};

// The program: the first run starts by itself, before the event loop; then
// the window waits for its buttons. Returns the exit status, 0 also when End
// or the window's close came in the middle of the first run.
int runQuillet(frmQuillet& form);
