#include "picture/state.h"

#include "picture/playrules.h"
#include "picture/tiles.h"

namespace picture {

PictureState::PictureState()
{
    ResetBoard(*this);
    preview = BlackPicture(kCanvasWidth, kCanvasHeight);
}

} // namespace picture
