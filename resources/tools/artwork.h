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
    QImage image;   // 32 x 32, transparent background
    QPoint hotSpot;
};

QImage MakeLauncherArtwork();
std::vector<NamedPicture> MakeIcons();
std::vector<CursorPicture> MakeCursors();
// The options window's highlight preview (black, white and red only) and the About picture.
QImage MakeOptionsPreview();
QImage MakeProgramIcon();

// Shared colours.
inline const QColor kNavy(0x00, 0x00, 0x62);
