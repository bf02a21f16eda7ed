// The INI reader on arbitrary bytes: what it parses, it writes back in a form it reads the same.
#include "platform/inifile.h"

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    IniFile ini(QString{});
    ini.parse(bytes);
    const QStringList sections = ini.sections();
    (void)ini.readInteger(QStringLiteral("installed"), QStringLiteral("installer#1"));
    ini.writeString(QStringLiteral("installed"), QStringLiteral("installer#7"), QStringLiteral("1"));
    if (ini.readInteger(QStringLiteral("installed"), QStringLiteral("installer#7")) != 1)
        std::abort();
    IniFile again(QString{});
    again.parse(ini.text());
    if (again.readInteger(QStringLiteral("installed"), QStringLiteral("installer#7")) != 1)
        std::abort();
    return 0;
}
