// The generator's Build and Cancel: checks the list, runs the grid builder with the window as
// its progress display, reports unplaced words and hands the puzzle to the save flow.

#include "wordsearch/wordsearchmaker.h"

#include "controls/namedialog.h"
#include "platform/messageboxes.h"
#include "platform/seams.h"
#include "shell/program.h"
#include "shell/puzzlefiles.h"
#include "wordsearch/wordsearchkind.h"
#include "shell/desk.h"
#include "wordsearch/builderrordialog.h"
#include "wordsearch/noticedialog.h"

#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>

void WordSearchMaker::btnBuildClick()
{
    if (building())
        return;
    for (;;) {
        if (overLimit()) {
            program_.boxes.error(QStringLiteral("Error"), QStringLiteral("Your word list is ") + list_.statusText() +
                                                              QStringLiteral(".\n'Brainloft' can not build your puzzle if\n"
                                                                             "it contains more than 280 characters!"));
            return;
        }
        if (list_.input().size() == 1) {
            program_.boxes.warning(QStringLiteral("Error"), QStringLiteral("Your word list contains a word that is a\n"
                                                                           "single character. Single characters are not\n"
                                                                           "allowed! Please correct the word list and\n"
                                                                           "then then build your puzzle."));
            refuseSingleLetter();
            return;
        }
        if (!CheckContainedWords()) {
            btnclear->setEnabled(true);
            return;
        }
        const QStringList list = rows();
        if (list.isEmpty() || (list.size() == 1 && list.front().isEmpty())) {
            einput->setFocus();
            return;
        }

        // Prepare.
        if (BuildErrorDialog* report = builderror_.built())
            report->clearWords();
        pbprogress->setValue(0);
        setGauge(0);
        if (state_.newPuzzle)
            state_.currentName.clear();
        cancel_ = false;
        setBuildingState(true);
        if (!cursorSet_) {
            QApplication::setOverrideCursor(Qt::BusyCursor);
            cursorSet_ = true;
        }
        setGaugeMaximum(static_cast<int>(list.size()) + 1);

        wordsearch::GridBuilder builder(state_.puzzle, program_.rng, this);
        const wordsearch::BuildOutcome outcome = builder.Build(list);
        const bool cancelled = cancel_ || outcome.cancelled;

        bool retry = false;
        if (!cancelled) {
            setGauge(gaugeMaximum_);
            if (!outcome.unplaced.isEmpty()) {
                BuildErrorDialog& report = *builderror_;
                for (const QString& word : outcome.unplaced)
                    report.addWord(word);
                report.setMessage(wordsearch::UnplacedMessage(static_cast<int>(outcome.unplaced.size())));
                const int answer = report.exec();
                buildErrorShown_ = true;
                retry = answer == BuildErrorDialog::Retry;
            }
        }

        if (retry && !cancelled) {
            // The next round starts from nothing, like the first.
            setBuildingState(false);
            continue;
        }

        if (!cancelled)
            puzzlefiles::SaveAfterBuild(program_, *sd1, wordsearch::WordSearchKind(program_, state_),
                                        state_.currentName, this);
        cancel_ = true;
        program_.clock.wait(300);
        restoreCursor();
        setBuildingState(false);
        list_.dropRows();
        ++quietList_;
        cwords->clear();
        --quietList_;
        built_ = true;
        close();
        return;
    }
}

void WordSearchMaker::btnmenuClick()
{
    if (!program_.boxes.question(QStringLiteral("Cancel process"),
                                 QStringLiteral("If you stop this process, you puzzle will not be created\n"
                                                "and you will be returned to the main program!\n\n"
                                                "Do you still want to cancel this process?")))
        return;
    wordsearch::ClearPuzzle(state_.puzzle);
    ResetGenerator();
    state_.currentName.clear();
    cancel_ = true;
    // Refused while the build still runs; the build closes the window once it has stopped.
    close();
}

bool WordSearchMaker::CheckContainedWords()
{
    if (buildErrorShown_)
        return true;
    NoticeDialog& notice = *notice_;
    notice.clearLines();
    const QStringList lines = wordsearch::ContainedWordLines(rows());
    if (lines.isEmpty())
        return true;
    for (const QString& line : lines)
        notice.addLine(line);
    const int answer = notice.exec();
    repaint();
    einput->setFocus();
    return answer == QDialog::Accepted;
}

void WordSearchMaker::setBuildingState(bool on)
{
    btnmenu->setEnabled(on);
    btnBuild->setEnabled(!on);
    einput->setEnabled(!on);
    if (on) {
        btnclear->setEnabled(false);
        btnclose->setEnabled(false);
    } else {
        btnclose->setEnabled(true);
    }
}

void WordSearchMaker::restoreCursor()
{
    if (cursorSet_) {
        QApplication::restoreOverrideCursor();
        cursorSet_ = false;
    }
}

void WordSearchMaker::wordStarted(const QString& word)
{
    lblword->setText(word);
    lblword->repaint();
    // The one moment of a word's placement at which a click on Cancel gets through.
    QCoreApplication::processEvents();
}

void WordSearchMaker::fillStarted()
{
    lblword->setText(QStringLiteral("Random letters"));
    lblword->repaint();
}

void WordSearchMaker::progressChanged(int value)
{
    pbprogress->setValue(value);
}

void WordSearchMaker::gaugeChanged(int value)
{
    setGauge(value);
}
