#include "tools/recording/recording_surface.h"

#include <algorithm>

RecordingSurface::RecordingSurface(float widthPx, float heightPx, std::uint64_t seed)
    : width_(widthPx), height_(heightPx), rng_(seed)
{
}

std::size_t RecordingSurface::count(Kind k) const
{
    return static_cast<std::size_t>(
        std::count_if(ops_.begin(), ops_.end(), [k](const Op& op) { return op.kind == k; }));
}

std::vector<RecordingSurface::Op> RecordingSurface::all(Kind k) const
{
    std::vector<Op> out;
    std::copy_if(ops_.begin(), ops_.end(), std::back_inserter(out), [k](const Op& op) { return op.kind == k; });
    return out;
}

void RecordingSurface::record(Kind kind, float x1, float y1, float x2, float y2, std::uint32_t value, std::string text)
{
    if (keep_)
        ops_.push_back(Op{kind, x1, y1, x2, y2, value, std::move(text)});
}

void RecordingSurface::clear()
{
    pen_.clear();
    record(Kind::Clear);
}

void RecordingSurface::setColour(std::uint32_t c)
{
    pen_.colour = c;
    record(Kind::Colour, 0, 0, 0, 0, c);
}

void RecordingSurface::setFontSize(int points)
{
    pen_.points = points;
    record(Kind::FontSize, 0, 0, 0, 0, static_cast<std::uint32_t>(points));
}

void RecordingSurface::line(float x1, float y1, float x2, float y2)
{
    pen_.lineTo(x2, y2);
    record(Kind::Line, x1, y1, x2, y2, pen_.colour);
}

void RecordingSurface::circle(float x, float y, float radius, std::uint32_t colour)
{
    record(Kind::Circle, x, y, radius, 0, colour);
}

void RecordingSurface::print(std::string_view item, std::int16_t n)
{
    record(Kind::Print, pen_.x, pen_.y, 0, 0, static_cast<std::uint32_t>(n), printedText(item, n));
    pen_.newLine();
}

void RecordingSurface::setRetryEnabled(bool enabled)
{
    retryEnabled_ = enabled;
    record(Kind::RetryEnabled, 0, 0, 0, 0, enabled ? 1u : 0u);
}

bool RecordingSurface::pump()
{
    ++pumps_;
    record(Kind::Pump);
    return !onPump || onPump(pumps_);
}

void RecordingSurface::reseed()
{
    rng_.reseed();
    record(Kind::Reseed);
}

float RecordingSurface::next()
{
    const float r = random ? random() : rng_.next();
    record(Kind::Random, r);
    return r;
}

void replay(const std::vector<RecordingSurface::Op>& ops, Drawing& onto)
{
    using Kind = RecordingSurface::Kind;
    for (const RecordingSurface::Op& op : ops) {
        const auto n = static_cast<std::int16_t>(op.value);
        switch (op.kind) {
        case Kind::Clear: onto.clear(); break;
        case Kind::Colour: onto.setColour(op.value); break;
        case Kind::FontSize: onto.setFontSize(static_cast<int>(op.value)); break;
        case Kind::Line: onto.line(op.x1, op.y1, op.x2, op.y2); break;
        case Kind::Circle: onto.circle(op.x1, op.y1, op.x2, op.value); break;
        // (the item is the text without the blank, the digits and the blank that Print adds)
        case Kind::Print:
            onto.print(std::string_view(op.text).substr(0, op.text.size() - std::to_string(n).size() - 2), n);
            break;
        default: break;  // the window's and the random source's, not the drawing's
        }
    }
}
