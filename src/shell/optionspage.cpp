#include "shell/optionspage.h"

#include "platform/colours.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QPushButton>

namespace optionsparts {

QGroupBox* Group(const QString& name, const QString& title, QWidget* parent, const QRect& geometry)
{
    auto* box = new QGroupBox(title, parent);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

QPushButton* Button(const QString& name, const QString& text, QWidget* parent, const QRect& geometry)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(name);
    button->setGeometry(geometry);
    return button;
}

QButtonGroup* RadioGroup(const QString& name, const QStringList& items, int columns, QGroupBox* box)
{
    auto* group = new QButtonGroup(box);
    group->setObjectName(name);
    auto* grid = new QGridLayout(box);
    const int rows = (static_cast<int>(items.size()) + columns - 1) / columns;
    for (int i = 0; i < items.size(); ++i) {
        auto* radio = new QRadioButton(items[i], box);
        radio->setObjectName(name + QStringLiteral("_%1").arg(i));
        group->addButton(radio, i);
        grid->addWidget(radio, i % rows, i / rows);
    }
    return group;
}

void CheckItem(QButtonGroup* group, int index)
{
    if (QAbstractButton* b = group->button(index)) {
        b->setChecked(true);
        return;
    }
    group->setExclusive(false);
    for (QAbstractButton* b : group->buttons())
        b->setChecked(false);
    group->setExclusive(true);
}

void PaintSwatch(QWidget* swatch, const QColor& colour)
{
    QPalette pal = swatch->palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::Button, colour);
    swatch->setPalette(pal);
    swatch->setAutoFillBackground(true);
    swatch->update();
}

bool IsDarkColour(const QColor& colour)
{
    return colour.red() < 155 && colour.green() < 155 && colour.blue() < 155;
}

bool IsLightColour(const QColor& colour)
{
    return colour.red() >= 201 && colour.green() >= 201 && colour.blue() >= 201;
}

} // namespace optionsparts
