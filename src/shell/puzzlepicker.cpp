#include "shell/puzzlepicker.h"

#include "platform/filenames.h"
#include "platform/fonts.h"
#include "platform/inputfile.h"
#include "shell/program.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>

namespace {

constexpr int kHeight = 400;
constexpr qint64 kMaxPreviewPixels = 100LL * 1000 * 1000;
constexpr qint64 kMaxPreviewBytes = 64LL * 1024 * 1024;

QLabel* previewPanel(QWidget* parent, const QString& panelName, const QString& imageName, int top, QWidget*& panel)
{
    panel = new QLabel(QStringLiteral("No preview."), parent);
    panel->setObjectName(panelName);
    panel->setGeometry(388, top, 164, 124);
    static_cast<QLabel*>(panel)->setAlignment(Qt::AlignCenter);
    static_cast<QLabel*>(panel)->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    auto* image = new QLabel(panel);
    image->setObjectName(imageName);
    image->setGeometry(2, 2, 160, 120);
    image->setScaledContents(true);
    image->hide();
    return image;
}

// A picture for a preview, or a null image when the file is missing, unreadable or absurdly large.
QImage readPreview(const QString& path)
{
    // Read once, without blocking: a pipe in a preview's place shows no preview.
    QByteArray bytes;
    if (!inputfile::ReadFile(path, kMaxPreviewBytes, bytes))
        return QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    const QSize size = reader.size();
    if (size.isValid() && qint64(size.width()) * size.height() > kMaxPreviewPixels)
        return QImage();
    return reader.read();
}

} // namespace

PuzzlePicker::PuzzlePicker(Program& program, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), program_(program)
{
    setObjectName(QStringLiteral("fmfiles"));
    setWindowTitle(QStringLiteral("Select puzzle"));
    setModal(true);
    setFixedSize(kNarrowWidth, kHeight);

    lbaccess = new QListWidget(this);
    lbaccess->setObjectName(QStringLiteral("lbaccess"));
    lbaccess->hide();

    lbfiles = new QListWidget(this);
    lbfiles->setObjectName(QStringLiteral("lbfiles"));
    lbfiles->setGeometry(10, 10, 370, 337);
    lbfiles->setFont(fonts::sans(13));
    connect(lbfiles, &QListWidget::itemClicked, this, [this] { lbfilesClick(); });
    connect(lbfiles, &QListWidget::currentRowChanged, this, [this] { lbfilesClick(); });
    connect(lbfiles, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    BitBtn1 = new QPushButton(QStringLiteral("OK"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setGeometry(214, 358, 80, 28);
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &QDialog::accept);
    BitBtn2 = new QPushButton(QStringLiteral("Cancel"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setGeometry(300, 358, 80, 28);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);

    lblpreviewa = new QLabel(QStringLiteral("Preview A:"), this);
    lblpreviewa->setObjectName(QStringLiteral("lblpreviewa"));
    lblpreviewa->setGeometry(388, 8, 160, 16);
    impreviewa = previewPanel(this, QStringLiteral("pnpreviewa"), QStringLiteral("impreviewa"), 26, pnpreviewa);
    lblpreviewb = new QLabel(QStringLiteral("Preview B:"), this);
    lblpreviewb->setObjectName(QStringLiteral("lblpreviewb"));
    lblpreviewb->setGeometry(388, 166, 160, 16);
    impreviewb = previewPanel(this, QStringLiteral("pnpreviewb"), QStringLiteral("impreviewb"), 184, pnpreviewb);
    setPreviewsShown(false);
}

void PuzzlePicker::listFolder(const QString& folder, const QString& mask, const QString& packagedExtension)
{
    folder_ = folder;
    lbaccess->clear();
    lbfiles->clear();
    const QStringList masks = mask.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    QStringList trimmed;
    for (const QString& m : masks)
        trimmed << m.trimmed();
    const QStringList files =
        QDir(folder).entryList(trimmed, QDir::Files | QDir::Readable, QDir::Name | QDir::IgnoreCase);
    for (const QString& file : files) {
        lbaccess->addItem(file);
        const QString name = filenames::replaceExtension(file, QString());
        const bool packaged = !packagedExtension.isEmpty() && filenames::lowerExtension(file) == packagedExtension;
        lbfiles->addItem(packaged ? QLatin1Char('<') + name + QLatin1Char('>') : name);
    }
}

QString PuzzlePicker::fileAt(int row) const
{
    return row >= 0 && row < lbaccess->count() ? lbaccess->item(row)->text() : QString();
}

int PuzzlePicker::selectedRow() const
{
    const QList<QListWidgetItem*> selected = lbfiles->selectedItems();
    return selected.isEmpty() ? -1 : lbfiles->row(selected.first());
}

QStringList PuzzlePicker::rows() const
{
    QStringList out;
    for (int i = 0; i < lbfiles->count(); ++i)
        out << lbfiles->item(i)->text();
    return out;
}

void PuzzlePicker::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void PuzzlePicker::FormShow()
{
    if (lbfiles->count() > 0)
        lbfiles->setCurrentRow(0);
    if (!program_.previewSwitch) {
        setPreviewsShown(false);
        setFixedWidth(kNarrowWidth);
        return;
    }
    setPreviewsShown(true);
    setFixedWidth(kWideWidth);
    loadPreviews();
}

void PuzzlePicker::setPreviewsShown(bool shown)
{
    for (QWidget* w : {pnpreviewa, pnpreviewb, static_cast<QWidget*>(lblpreviewa), static_cast<QWidget*>(lblpreviewb)})
        w->setVisible(shown);
}

void PuzzlePicker::lbfilesClick()
{
    if (program_.previewSwitch)
        loadPreviews();
}

void PuzzlePicker::loadPreviews()
{
    const int row = selectedRow();
    if (row < 0)
        return;
    const QString file = fileAt(row);
    const QString ext = file.mid(file.size() - filenames::lowerExtension(file).size());
    const QString stem = ext.left(ext.size() - 1);
    const QImage a = readPreview(QDir(folder_).filePath(filenames::replaceExtension(file, stem + QLatin1Char('3'))));
    const QImage b = readPreview(QDir(folder_).filePath(filenames::replaceExtension(file, stem + QLatin1Char('1'))));
    if (a.isNull() || b.isNull()) {
        impreviewa->hide();
        impreviewb->hide();
        return;
    }
    impreviewa->setPixmap(QPixmap::fromImage(a));
    impreviewb->setPixmap(QPixmap::fromImage(b));
    impreviewa->show();
    impreviewb->show();
}
