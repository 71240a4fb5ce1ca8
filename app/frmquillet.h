#pragma once

#include <QElapsedTimer>
#include <QWidget>
#include <cstdint>
#include <memory>

#include "app/access.h"
#include "app/canvas.h"
#include "app/placement/placement.h"
#include "lifecycle/lifecycle.h"

class QPushButton;

// Quillet's one window, with its two buttons and their handlers: the desktop's
// front end of the program's lifecycle. A run is hosted by it and draws on
// it: the drawing goes to the window's canvas, which it paints on every
// repaint.
class frmQuillet : public QWidget, public Host, public Drawing, private Lifecycle::FrontEnd {
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

public slots:
    void cmdRetry_Click() { lifecycle_.retry(); }
    void cmdEnd_Click() { lifecycle_.end(); }

public:
    // Host: the window's.
    void show() override { QWidget::show(); }
    void refresh() override { repaint(); }
    float outerWidth() const override { return static_cast<float>(frameGeometry().width() * twipsPerPixel); }
    float outerHeight() const override { return static_cast<float>(frameGeometry().height() * twipsPerPixel); }
    void setRetryEnabled(bool enabled) override;
    bool pump() override;

    // Drawing: on the canvas.
    void clear() override;
    void setColour(std::uint32_t colour) override { canvas_.setColour(colour); }
    std::uint32_t colour() const override { return canvas_.colour(); }
    void setFontSize(int points) override { canvas_.setFontSize(points); }
    void line(float x1, float y1, float x2, float y2) override { drawn(canvas_.line(x1, y1, x2, y2)); }
    void circle(float x, float y, float radius, std::uint32_t colour) override
    {
        drawn(canvas_.circle(x, y, radius, colour));
    }
    void print(std::string_view item, std::int16_t n) override { drawn(canvas_.print(item, n)); }

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
    void showDrawn(qint64 now);

    Canvas canvas_;
    std::unique_ptr<Placement> placement_ = Placement::forPlatform(*this);
    Announcer announcer_{*this};
    Lifecycle lifecycle_;
    QRect unshown_;               // drawn on the canvas, not yet asked onto the screen
    Pace frames_{Pace::frameMs};  // what is drawn, shown
    Pace asks_{Pace::askMs};      // the event loop asked
    QElapsedTimer clock_;         // their time
};

// The program: the first run starts by itself, before the event loop; then
// the window waits for its buttons. Returns the exit status, 0 also when End
// or the window's close came in the middle of the first run.
int runQuillet(frmQuillet& form);
