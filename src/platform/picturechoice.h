#pragma once

#include <QString>

class QWidget;

// The open-picture dialogue goes through this seam, so tests can script the chosen file.
class PictureChoice {
public:
    virtual ~PictureChoice() = default;

    // The chosen file's path, or "" when the user cancels. filter is a dialogue filter list
    // ("Pictures (*.bmp *.jpg)").
    virtual QString choosePicture(QWidget* parent, const QString& title, const QString& filter) = 0;
};
