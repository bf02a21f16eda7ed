#pragma once

#include <QString>
#include <QStringList>

#ifndef BRAINLOFT_VERSION
#error "BRAINLOFT_VERSION comes from the project's version in CMake"
#endif

// The program's version, from the one place it is set: the CMake project.
inline QString ProgramVersion()
{
    return QStringLiteral(BRAINLOFT_VERSION);
}

// The version as the update address takes it: four two-digit groups ("02.00.01.00").
inline QString UpdateVersion()
{
    QStringList parts = ProgramVersion().split(QLatin1Char('.'));
    while (parts.size() < 4)
        parts << QStringLiteral("0");
    QStringList groups;
    for (const QString& part : parts.mid(0, 4))
        groups << QStringLiteral("%1").arg(part.toInt(), 2, 10, QLatin1Char('0'));
    return groups.join(QLatin1Char('.'));
}

// The maker's web pages.
inline QString HomePage()
{
    return QStringLiteral("https://www.oakhollow.example/");
}
inline QString SoftwarePage()
{
    return HomePage() + QStringLiteral("software/");
}
inline QString UpdateAddress()
{
    return HomePage() + QStringLiteral("update.php?sw=brainloft&ver=") + UpdateVersion();
}
