#include "shell/puzzlepicker.h"

#include "platform/filenames.h"
#include "platform/fonts.h"
#include "platform/inputfile.h"
#include "shell/program.h"

#include <QAbstractListModel>
#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QRegularExpression>
#include <QShowEvent>

#include <algorithm>
#include <numeric>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

// A wildcard mask matched without regard to case; "*.wsp" and its kind by the name's ending.
class Mask {
public:
    explicit Mask(const QString& mask)
    {
        const QString rest = mask.mid(1);
        if (mask.startsWith(QLatin1Char('*')) && !rest.contains(QRegularExpression(QStringLiteral("[*?\\[]"))))
            suffix_ = rest;
        else
            pattern_ = QRegularExpression::fromWildcard(mask, Qt::CaseInsensitive);
    }
    bool matches(const QString& name) const
    {
        return pattern_.pattern().isEmpty() ? name.endsWith(suffix_, Qt::CaseInsensitive) : pattern_.match(name).hasMatch();
    }

private:
    QString suffix_;
    QRegularExpression pattern_;
};

} // namespace

// The rows of the list: one name a row, read only.
class PuzzleNameModel : public QAbstractListModel {
public:
    using QAbstractListModel::QAbstractListModel;

    void setNames(QStringList names)
    {
        beginResetModel();
        names_ = std::move(names);
        endResetModel();
    }
    const QStringList& names() const { return names_; }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override
    {
        return parent.isValid() ? 0 : static_cast<int>(names_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole || !index.isValid() || index.row() >= names_.size())
            return QVariant();
        return names_[index.row()];
    }

private:
    QStringList names_;
};

PuzzlePicker::PuzzlePicker(Program& program, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint), program_(program)
{
    setObjectName(QStringLiteral("fmfiles"));
    setWindowTitle(QStringLiteral("Select puzzle"));
    setModal(true);
    setFixedSize(kNarrowWidth, kHeight);

    names_ = new PuzzleNameModel(this);
    lbfiles = new QListView(this);
    lbfiles->setObjectName(QStringLiteral("lbfiles"));
    lbfiles->setGeometry(10, 10, 370, 337);
    lbfiles->setFont(fonts::sans(13));
    // Every row is one line in one font: the view sizes one and lays out thousands at once.
    lbfiles->setUniformItemSizes(true);
    lbfiles->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lbfiles->setSelectionMode(QAbstractItemView::SingleSelection);
    lbfiles->setModel(names_);
    connect(lbfiles, &QListView::clicked, this, [this] { lbfilesClick(); });
    connect(lbfiles->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { lbfilesClick(); });
    connect(lbfiles, &QListView::doubleClicked, this, &QDialog::accept);

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
    QStringList masks;
    for (const QString& m : mask.split(QLatin1Char(';'), Qt::SkipEmptyParts))
        masks << m.trimmed();
    files_ = matchingFiles(folder, masks);
    QStringList names;
    names.reserve(files_.size());
    for (const QString& file : files_) {
        const QString name = filenames::replaceExtension(file, QString());
        const bool packaged = !packagedExtension.isEmpty() && filenames::lowerExtension(file) == packagedExtension;
        names << (packaged ? QLatin1Char('<') + name + QLatin1Char('>') : name);
    }
    names_->setNames(std::move(names));
}

QStringList PuzzlePicker::matchingFiles(const QString& folder, const QStringList& masks)
{
    std::vector<Mask> matchers;
    for (const QString& m : masks)
        matchers.emplace_back(m);
    QStringList files;
    // The folder is read once, by its descriptor: the kind of each entry comes with its name,
    // and only links and entries of unknown kind are looked up.
    DIR* dir = opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return files;
    const int fd = dirfd(dir);
    while (const dirent* entry = readdir(dir)) {
        const char* raw = entry->d_name;
        if (raw[0] == '.')
            continue; // hidden, and the folder itself and its parent
        const QString name = QFile::decodeName(raw);
        if (std::none_of(matchers.begin(), matchers.end(), [&](const Mask& m) { return m.matches(name); }))
            continue;
        bool plainFile = entry->d_type == DT_REG;
        if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat st {};
            plainFile = fstatat(fd, raw, &st, 0) == 0 && S_ISREG(st.st_mode);
        }
        if (plainFile && faccessat(fd, raw, R_OK, 0) == 0)
            files << name;
    }
    closedir(dir);

    // By the lower-cased name, as code units; names that differ only in case by the name itself.
    QStringList keys;
    keys.reserve(files.size());
    for (const QString& file : files)
        keys << file.toLower();
    std::vector<int> order(files.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](int a, int b) {
        const int byKey = keys[a].compare(keys[b]);
        return byKey != 0 ? byKey < 0 : files[a] < files[b];
    });
    QStringList sorted;
    sorted.reserve(files.size());
    for (int i : order)
        sorted << files[i];
    return sorted;
}

QString PuzzlePicker::fileAt(int row) const
{
    return row >= 0 && row < files_.size() ? files_[row] : QString();
}

int PuzzlePicker::selectedRow() const
{
    const QModelIndexList selected = lbfiles->selectionModel()->selectedRows();
    return selected.isEmpty() ? -1 : selected.first().row();
}

QStringList PuzzlePicker::rows() const
{
    return names_->names();
}

void PuzzlePicker::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        FormShow();
}

void PuzzlePicker::FormShow()
{
    if (names_->rowCount() > 0)
        lbfiles->setCurrentIndex(names_->index(0));
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
