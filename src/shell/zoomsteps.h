#pragma once

// The three sizes a grid or maze picture is shown at, 300, 600 or 900 pixels square (zoom 1, 2
// or 3), and the steps between them that Smaller and Larger take.
namespace zoomsteps {

constexpr int kStep = 300;

// The largest size whose picture fits room pixels; the smallest when none does.
constexpr int ForRoom(int room)
{
    return room >= 3 * kStep ? 3 * kStep : room >= 2 * kStep ? 2 * kStep : kStep;
}

// One step down: 900 becomes 600, anything else 300.
constexpr int Smaller(int pixels)
{
    return pixels == 3 * kStep ? 2 * kStep : kStep;
}

// One step up; 0 from the largest (or from a size that is no step).
constexpr int Larger(int pixels)
{
    return pixels == kStep ? 2 * kStep : pixels == 2 * kStep ? 3 * kStep : 0;
}

constexpr int Zoom(int pixels)
{
    return pixels == 3 * kStep ? 3 : pixels == 2 * kStep ? 2 : 1;
}

} // namespace zoomsteps
