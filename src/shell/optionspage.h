#pragma once

#include <QColor>
#include <QRadioButton>
#include <QStringList>
#include <QWidget>

#include <functional>

class ColourChooser;
class Program;
class QButtonGroup;
class QGroupBox;
class QPushButton;
struct Settings;

// A puzzle type's page of the options window. It shows the settings when the window opens, puts
// its choices into them on OK, and on Cancel undoes what it changed at once.
class OptionsPage : public QWidget {
public:
    using QWidget::QWidget;

    virtual void showSettings(const Settings& settings) = 0;
    virtual void apply(Settings& settings) = 0;
    virtual void cancel(Settings&) {}
    // The window closes, either way: what still runs on the page stops.
    virtual void closing() {}
};

// How a type makes its page.
using OptionsPageMaker = std::function<OptionsPage*(Program& program, ColourChooser& colours)>;

// The pieces the pages are built of.
namespace optionsparts {

QGroupBox* Group(const QString& name, const QString& title, QWidget* parent, const QRect& geometry);
QPushButton* Button(const QString& name, const QString& text, QWidget* parent, const QRect& geometry);
// A radio group of the given items laid out in columns, filled column by column.
QButtonGroup* RadioGroup(const QString& name, const QStringList& items, int columns, QGroupBox* box);
// Checks the item; none when there is no such item.
void CheckItem(QButtonGroup* group, int index);
void PaintSwatch(QWidget* swatch, const QColor& colour);

// A colour whose three parts are all below 155, or all 201 or more: too dark or too light to
// rely on, worth a warning.
bool IsDarkColour(const QColor& colour);
bool IsLightColour(const QColor& colour);

} // namespace optionsparts

// A radio without a caption, painted in its colour: the whole swatch takes the click, not only
// its circle.
class SwatchRadio : public QRadioButton {
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};
