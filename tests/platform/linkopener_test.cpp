#include "platform/linkopener.h"

#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QStringList g_messages;

void record(QtMsgType, const QMessageLogContext&, const QString& message)
{
    g_messages << message;
}

} // namespace

// Without an opener or a browser, a link leads nowhere, quietly: nothing on the terminal.
TEST(DesktopLinkOpener, AFailingLinkSaysNothing)
{
    QTemporaryDir nothing;
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(nothing.path()));
    const QByteArray browser = qgetenv("BROWSER");
    qunsetenv("BROWSER");
    g_messages.clear();
    const QtMessageHandler previous = qInstallMessageHandler(record);
    DesktopLinkOpener opener;
    opener.open(QUrl("https://example.invalid/update.php?sw=Brainloft&ver=2.0.1"));
    qInstallMessageHandler(previous);
    qputenv("PATH", path);
    if (!browser.isEmpty())
        qputenv("BROWSER", browser);
    EXPECT_TRUE(g_messages.isEmpty()) << g_messages.join('\n').toStdString();
}
