#pragma once

#include "maze/mazegrid.h"

#include <QByteArray>
#include <QString>

// The maze file `.mzp`: the whole grid and the maze's size.
namespace maze {

// Puzzle folder + name with its extension replaced by ".mzp". programFolder ends with '/'.
QString MazeFilePath(const QString& programFolder, const QString& name);

// The 49544-byte record of a grid and its size.
QByteArray EncodeMazeRecord(const MazeGrid& grid, int n);

// Reads a record from the first bytes of a file: 0, -3 or -4. Only a record that passes every
// check changes grid and n.
int DecodeMazeRecord(const QByteArray& fileBytes, MazeGrid& grid, int& n);

// Replaces the file at path atomically: 0, or -1 when anything fails (the old file then stays
// and error, when given, gets the reason).
int SaveMazeFileAt(const QString& path, const MazeGrid& grid, int n, QString* error = nullptr);
// Reads the file at path: 0, -2, -3 or -4.
int LoadMazeFileAt(const QString& path, MazeGrid& grid, int& n);

// The same through the path rule.
int SaveMazeFile(const QString& programFolder, const QString& name, const MazeGrid& grid, int n);
int LoadMazeFile(const QString& programFolder, const QString& name, MazeGrid& grid, int& n);

} // namespace maze
