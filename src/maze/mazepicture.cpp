#include "maze/mazepicture.h"

#include "platform/colours.h"

namespace maze {

namespace {
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr std::uint32_t kRouteColour = 255; // red as 0x00BBGGRR
} // namespace

QImage BlankMazePicture(int n)
{
    const int side = n < 1 ? 1 : n;
    QImage picture(side, side, QImage::Format_RGB32);
    picture.fill(kWhite);
    return picture;
}

void DrawMazePictures(const MazeGrid& grid, int n, QImage& mainPicture, QImage& keyPicture)
{
    mainPicture = BlankMazePicture(n);
    keyPicture = BlankMazePicture(n);
    const QRgb route = ToQColor(kRouteColour).rgb();
    // The grid may hold cells past the picture's edge; those are not drawn.
    for (int x = 0; x < n && x < kGridSide; ++x)
        for (int y = 0; y < n && y < kGridSide; ++y) {
            const std::int32_t cell = grid.at(x, y);
            if (cell == mcWall) {
                mainPicture.setPixel(x, y, kBlack);
                keyPicture.setPixel(x, y, kBlack);
            } else if (cell == mcRoute) {
                keyPicture.setPixel(x, y, route);
            }
        }
}

} // namespace maze
