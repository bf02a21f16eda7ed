#include "platform/fonts.h"

#include <QStringList>

namespace fonts {
namespace {

QFont make(const QStringList& families, int pixelSize, bool bold)
{
    QFont font;
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

} // namespace

QFont sans(int pixelSize, bool bold)
{
    return make(QStringList{QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Sans Serif")}, pixelSize, bold);
}

QFont mono(int pixelSize)
{
    QFont font = make(QStringList{QStringLiteral("Liberation Mono"), QStringLiteral("Courier New"), QStringLiteral("Monospace")},
                      pixelSize, false);
    font.setStyleHint(QFont::TypeWriter);
    return font;
}

QFont serif(int pixelSize, bool bold)
{
    return make(QStringList{QStringLiteral("Liberation Serif"), QStringLiteral("Times New Roman"), QStringLiteral("Serif")}, pixelSize,
                bold);
}

QFont sansPoints(int pointSize, bool bold)
{
    QFont font = sans(12, bold);
    font.setPointSize(pointSize);
    return font;
}

} // namespace fonts
