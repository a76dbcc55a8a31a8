#include "board/StorableRange.h"

#include "elements/Bauteil.h"
#include "stream/RecordIO.h"
#include "stream/ValueWriter.h"

#include "platform/NumberText.h"

#include <algorithm>
#include <cmath>
#include <QtCore/QIODevice>

namespace karvel {

namespace {

// Takes every byte and keeps none: measuring needs the coordinates, not the stream.
class DiscardingDevice : public QIODevice {
public:
    DiscardingDevice() { open(QIODevice::WriteOnly); }

protected:
    qint64 readData(char*, qint64) override { return -1; }
    qint64 writeData(const char*, qint64 length) override { return length; }
};

constexpr std::int64_t Max = record::MaxCoordinate;

} // namespace

CoordinateSpan StoredSpan(const std::vector<TBauteil*>& elements) {
    CoordinateSpan span;
    DiscardingDevice device;
    // The snapshot purpose writes fill bitmaps as references, not pictures: nothing to encode.
    RecordContext context(StreamPurpose::Snapshot, device);
    context.MeasureInto(&span);
    ValueWriter writer(device, 2000);
    for (TBauteil* element : elements)
        element->WriteToStream(context, writer);
    writer.FlushBuffer();
    return span;
}

std::int64_t Excess(const CoordinateSpan& span) {
    if (span.Empty())
        return 0;
    return std::max(
        {std::int64_t(0), -Max - span.Left, -Max - span.Top, span.Right - Max, span.Bottom - Max});
}

MoveLimits LimitsOfMove(const CoordinateSpan& span) {
    if (span.Empty())
        return {{INT32_MIN, INT32_MIN}, {INT32_MAX, INT32_MAX}};
    const auto lowest = [](std::int32_t low) { return int(std::min<std::int64_t>(0, -Max - low)); };
    const auto highest = [](std::int32_t high) {
        return int(std::max<std::int64_t>(0, Max - high));
    };
    return {{lowest(span.Left), lowest(span.Top)}, {highest(span.Right), highest(span.Bottom)}};
}

bool StaysStorable(const CoordinateSpan& before, const CoordinateSpan& after) {
    const std::int64_t excess = Excess(after);
    return excess == 0 || excess <= Excess(before);
}

int ClampToStorableGrid(int v, long double step, long double phase) {
    if (v >= -Max && v <= Max)
        return v;
    if (step < 1.0L)
        return int(std::clamp<std::int64_t>(v, -Max, Max));
    // The outermost grid point on that side; rounding an integer bound's inside keeps inside.
    const long double k =
        v > Max ? std::floor((Max - phase) / step) : std::ceil((-Max - phase) / step);
    return int(RoundHalfEven(phase + k * step));
}

} // namespace karvel
