#include <QMargins>
#include <QWidget>

#include "app/placement/platforms.h"

namespace {

// A platform that draws no frame and places nothing: the client area centred.
class PlainPlacement final : public Placement {
public:
    explicit PlainPlacement(QWidget& window) : Placement(window) {}

private:
    void place() override { centreFrame(QMargins()); }
};

}  // namespace

std::unique_ptr<Placement> plainPlacement(QWidget& window) { return std::make_unique<PlainPlacement>(window); }
