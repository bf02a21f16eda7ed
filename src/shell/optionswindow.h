#pragma once

#include <QDialog>
#include <QStringList>


class ColourChooser;
class OptionsPage;
class Program;
struct Desk;
class QComboBox;
class QPushButton;
class QRadioButton;
class QTabWidget;

// "Options": the music choice and mode on the general page, and a page of each puzzle type that
// has options of its own. OK applies, Cancel discards; only what a page changes at once (the maze
// colour) and the music mode change while the window is open.
class OptionsWindow : public QDialog {
    Q_OBJECT
public:
    OptionsWindow(Program& program, Desk& desk, ColourChooser& ColorDialog1, QWidget* parent = nullptr);

    void ShowCurrentSettings();
    // Points the hidden tune list at the music folder again.
    void RefreshTuneList();
    // The tune list: file names with extension.
    QStringList tuneFiles() const;
    // The tune chosen in the list (file name with extension), empty when there is none.
    QString selectedTune() const;
    // The player's word that a test tune has ended.
    void TestTuneEnded();

    void PageControl1Change(int index);
    void cbselectionChange(int row);
    void btntestClick();
    void btnstopClick();

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormShow();
    void FormClose(bool ok);
    void buildControls();
    QWidget* buildGeneralPage();

    struct TypePage {
        int typeId;
        OptionsPage* page;
    };

    Program& program_;
    Desk& desk_;
    ColourChooser& ColorDialog1_;
    QList<TypePage> pages_;
    int savedMusicMode_ = 3;
    // The tunes of the music folder (file names with extension) and the one chosen, -1 for none.
    QStringList cbmusic_;
    int tuneRow_ = -1;

    QTabWidget* PageControl1 = nullptr;
    QComboBox* cbselection = nullptr;
    QPushButton* btntest = nullptr;
    QPushButton* btnstop = nullptr;
    QRadioButton* rbselected = nullptr;
    QRadioButton* rborder = nullptr;
    QRadioButton* rbrandom = nullptr;
};
