// The floor bench_start compares the program's start with: a Qt Widgets program that builds 26
// dialogues of a few controls each, as many as the program has windows, and shows one frameless
// 600 x 465 window with the launcher's picture, centred.
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <memory>
#include <vector>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    std::vector<std::unique_ptr<QDialog>> dialogs;
    for (int i = 0; i < 26; ++i) {
        auto dialog = std::make_unique<QDialog>();
        dialog->setWindowTitle(QStringLiteral("Dialogue %1").arg(i));
        new QLabel(QStringLiteral("A label"), dialog.get());
        (new QLineEdit(dialog.get()))->move(0, 30);
        (new QPushButton(QStringLiteral("OK"), dialog.get()))->move(0, 60);
        dialogs.push_back(std::move(dialog));
    }
    QLabel window(nullptr, Qt::Window | Qt::FramelessWindowHint);
    window.setFixedSize(600, 465);
    window.setScaledContents(true);
    if (argc > 1)
        window.setPixmap(QPixmap(QString::fromLocal8Bit(argv[1])));
    window.move(window.screen()->geometry().center() - window.rect().center());
    window.show();
    return app.exec();
}
