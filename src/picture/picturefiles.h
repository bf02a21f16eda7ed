#pragma once

#include "picture/state.h"

#include <QByteArray>
#include <QString>

// The three files of a picture puzzle: 1 the board and 3 the solved picture as 640 x 480
// bitmaps, 2 the piece numbers one a line. User puzzles end ".tlp1".."3", packaged ".tld1".."3".
namespace picture {

constexpr int kBitmapBytes = 921'654;  // 24-bit 640 x 480 with its 54-byte header
constexpr int kMaxCellsFileBytes = 4096;

// The path of every file but its digit: a ".tld1".."tld4" name (any case) keeps its own stem in
// the puzzle folder; any other name becomes puzzle folder + name with ".tlp". programFolder
// ends with '/'.
QString PicturePathStem(const QString& programFolder, const QString& name);
// File 1, 2 or 3 of a stem, matched in its folder without regard to case.
QString PictureFilePath(const QString& stem, int digit);

// An uncompressed 24-bit bottom-up bitmap of the picture.
QByteArray EncodeBitmap24(const QImage& picture);

struct PictureFileBytes {
    QByteArray board;  // file 1
    QByteArray cells;  // file 2
    QByteArray answer; // file 3
};

PictureFileBytes EncodePictureFiles(const PictureState& state);

// Checks all three before touching the state: 0 with the board, answer tiles, pieces list and
// preview replaced, or -1 with the state unchanged and why (naming the file) in *why.
int DecodePictureFiles(const PictureFileBytes& files, PictureState& state, QString* why = nullptr, int* failingFile = nullptr);

// The same by stem (the path of every file but its digit).
// openToEveryone: the shared puzzle folder's files are; a folder of the user's own choice keeps its rules.
// A failed save's error names the file that failed.
int SavePictureFilesAt(const QString& stem, const PictureState& state, QString* error = nullptr, bool openToEveryone = true);
// Finishes a replacement of the set that a crash cut short, then reads each file once, without
// blocking. readerCode, when given, receives the result as a record file reader gives it: 0, -2
// (a file cannot be opened or read), -3 (file 1 or 3 is no bitmap), -4 (anything else wrong).
int LoadPictureFilesAt(const QString& stem, PictureState& state, QString* why = nullptr, int* readerCode = nullptr);

// All three or none, even across a crash, each opened to every user: 0 or -1 (*error says why).
int SavePictureFiles(const QString& programFolder, const QString& name, const PictureState& state, QString* error = nullptr);
// 0 or -1; on -1 nothing changed and *why names the failing file.
int LoadPictureFiles(const QString& programFolder, const QString& name, PictureState& state, QString* why = nullptr);

} // namespace picture
