#pragma once

#include <QImage>
#include <QPoint>
#include <QString>
#include <vector>

// Pictures drawn by make_artwork. Everything is drawn from code with fixed
// seeds, so running the tool twice gives the same files.

struct NamedPicture {
    QString name;
    QImage image;
};

struct CursorPicture {
    QString name;
    QImage image;   // 32 x 32 units, transparent background
    QPoint hotSpot; // in the image's pixels
};

QImage MakeLauncherArtwork();
// scale: pixels a unit (1, or 2 for the sources of denser screens).
std::vector<NamedPicture> MakeIcons(int scale = 1);
std::vector<CursorPicture> MakeCursors(int scale = 1);
// The options window's highlight preview (black, white and red only) and the About picture.
QImage MakeOptionsPreview();
QImage MakeProgramIcon();

// Shared colours.
inline const QColor kNavy(0x00, 0x00, 0x62);
