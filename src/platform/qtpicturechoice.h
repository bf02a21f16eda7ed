#pragma once

#include "platform/picturechoice.h"

// The platform's file dialogue.
class QtPictureChoice : public PictureChoice {
public:
    QString choosePicture(QWidget* parent, const QString& title, const QString& filter) override;
};
