#include "shell/puzzlefiles.h"

#include "controls/namedialog.h"
#include "platform/fileaccess.h"
#include "platform/filenames.h"
#include "platform/messageboxes.h"
#include "shell/program.h"
#include "shell/puzzlepicker.h"

#include <QFile>
#include <QWidget>

namespace puzzlefiles {

void ConfigureNameDialog(NameDialog& sd1)
{
    sd1.setCaption(QStringLiteral("Puzzle name"));
    sd1.setPrompt(QStringLiteral("Please enter a name for your puzzle."));
    sd1.setMaxLength(30);
    sd1.setDialogType(TokStringDialogType::sddFileName);
}

namespace {

bool userFilesExist(const Program& program, const PuzzleKind& kind, const QString& name)
{
    const auto exists = [&](const QString& file) {
        return QFile::exists(filenames::resolveInFolder(program.paths.puzzleFolder(), file));
    };
    const QString base = name + kind.userExtension;
    if (!kind.threeFiles)
        return exists(base);
    return exists(base + QLatin1Char('1')) && exists(base + QLatin1Char('2')) && exists(base + QLatin1Char('3'));
}

} // namespace

SaveResult SaveAfterBuild(Program& program, NameDialog& sd1, const PuzzleKind& kind, QString& currentName,
                    QWidget* maker)
{
    MessageBoxes& boxes = program.boxes;
    SaveResult result = SaveResult::Declined;
    for (;;) {
        if (!boxes.question(QStringLiteral("Save puzzle"),
                            QStringLiteral("Your puzzle has now been built. If you would like to be\n"
                                           "able to load and play this puzzle at a later time, you\n"
                                           "should save it now. Do you want to save this puzzle?")))
            break;

        QString name;
        for (;;) {
            sd1.setText(currentName);
            if (!sd1.Execute()) {
                name.clear();
                break;
            }
            if (!sd1.Text().isEmpty()) {
                name = sd1.Text();
                break;
            }
            boxes.warning(QStringLiteral("Name needed"), QStringLiteral("You must enter a name to continue!"));
        }
        if (name.isEmpty())
            continue;

        if (userFilesExist(program, kind, name) &&
            !boxes.question(QStringLiteral("Replace '") + name.toUpper() + QStringLiteral("' ?"),
                            QStringLiteral("A puzzle with this name already exists in your puzzle folder! If we save this\n"
                                           "puzzle with the name selected, the old saved puzzle will be gone forever!\n"
                                           "Do you want us to replace the old saved puzzle with this puzzle?")))
            continue;

        if (kind.writer && kind.writer(name) == 0) {
            if (kind.openToEveryone)
                fileaccess::openToEveryone(
                    filenames::resolveInFolder(program.paths.puzzleFolder(), name + kind.userExtension));
            currentName = name;
            boxes.message(QStringLiteral("Your puzzle has now been saved"));
            result = SaveResult::Saved;
        } else {
            boxes.message(QStringLiteral("Your puzzle could not be saved"));
            result = SaveResult::Failed;
        }
        break;
    }
    if (maker)
        maker->update();
    return result;
}

QString PickPuzzleFile(Program& program, PuzzlePicker& picker, const PuzzleKind& kind, QWidget* playWindow)
{
    if (kind.threeFiles)
        program.previewSwitch = true;
    picker.listFolder(program.paths.puzzleFolder(), kind.listingMask, kind.packagedExtension);
    const int result = picker.exec();
    if (playWindow)
        playWindow->update();
    QString chosen;
    if (result == QDialog::Accepted)
        chosen = picker.fileAt(picker.selectedRow());
    if (kind.threeFiles)
        program.previewSwitch = false;
    return chosen;
}

void ShowLoadError(Program& program)
{
    program.boxes.warning(QStringLiteral("Load error"), QStringLiteral("We are sorry but this puzzle could not be loaded!"));
}

Pick PickAndLoad(Program& program, PuzzlePicker& picker, const PuzzleKind& kind, QWidget* playWindow,
                 const std::function<int(const QString& chosen)>& load, const std::function<void()>& failed)
{
    const QString chosen = PickPuzzleFile(program, picker, kind, playWindow);
    if (chosen.isEmpty())
        return Pick::Nothing;
    if (load(chosen) == 0)
        return Pick::Loaded;
    ShowLoadError(program);
    if (failed)
        failed();
    return Pick::Failed;
}

} // namespace puzzlefiles
