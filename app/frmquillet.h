#pragma once

#include <QDeadlineTimer>
#include <QImage>
#include <QPointF>
#include <QWidget>
#include <cstdint>
#include <functional>

#include "app/x11frame.h"
#include "diagram/random.h"
#include "diagram/surface.h"

class QPushButton;

// Quillet's one window. It is also the surface the run draws on: everything
// goes into an off-screen image that paintEvent copies to the screen, so the
// drawing survives being covered or minimised.
class frmQuillet : public QWidget, public Surface {
    Q_OBJECT

public:
    // seeder gives the seed at every reseed: the clock, unless a test says
    // otherwise.
    explicit frmQuillet(std::function<std::uint64_t()> seeder = clockSeed, QWidget* parent = nullptr);

    QPushButton* cmdRetry = nullptr;
    QPushButton* cmdEnd = nullptr;

    // Runs one whole diagram. Returns at once when a run is already going or
    // the program is ending.
    void Form_Load();
    // True once End was pressed or the window closed: the program is ending.
    bool hasEnded() const { return ended_; }
    const QImage& image() const { return image_; }

public slots:
    void cmdRetry_Click();
    void cmdEnd_Click();

public:
    // Surface
    void show() override;
    void refresh() override;
    void clear() override;
    void setColour(std::uint32_t colour) override { colour_ = colour; }
    std::uint32_t colour() const override { return colour_; }
    void setFontSize(int points) override { fontSize_ = points; }
    float outerWidth() const override;
    float outerHeight() const override;
    void line(float x1, float y1, float x2, float y2) override;
    void circle(float x, float y, float radius, std::uint32_t colour) override;
    void print(std::string_view item, std::int16_t n) override;
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
    void end();
    void fitImage();
    bool placeCentred(const x11::FrameTelling& told);
    void tellDrawing();
    void waitUntil(const std::function<bool()>& done, QDeadlineTimer deadline);

    std::function<std::uint64_t()> seeder_;
    Rng rng_;
    QImage image_;
    QPointF position_;
    std::uint32_t colour_ = composeColour(255, 255, 255);
    int fontSize_ = 9;
    int sites_ = 0;  // the count the run's label showed
    bool running_ = false;
    bool ranBefore_ = false;
    bool ended_ = false;
    bool untold_ = false;  // the finished run's count waits for the window to be active
    bool placed_ = false;
};

// The program: the first run starts by itself, before the event loop; then
// the window waits for its buttons. Returns the exit status, 0 also when End
// or the window's close came in the middle of the first run.
int runQuillet(frmQuillet& form);
