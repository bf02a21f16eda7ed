#pragma once

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QStringList>
#include <QTimer>

#include <cstdint>

class ColourChooser;
class Program;
struct Desk;
class QAbstractButton;
class QButtonGroup;
class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTabWidget;

// "Options": the music choice and mode, the cryptogram skill level, the word-search highlight
// colour and the maze's cursor colour and level. OK applies, Cancel discards; only the maze
// colour and the music mode change while the window is open.
class OptionsWindow : public QDialog {
    Q_OBJECT
public:
    OptionsWindow(Program& program, Desk& desk, ColourChooser& ColorDialog1, QWidget* parent = nullptr);

    void ShowCurrentSettings();
    // Points the hidden tune list at the music folder again.
    void RefreshTuneList();
    // The tune list: file names with extension.
    QStringList tuneFiles() const;
    // The player's word that a test tune has ended.
    void TestTuneEnded();

    void PageControl1Change(int index);
    void cbselectionChange(int row);
    void btntestClick();
    void btnstopClick();
    void rbredClick(QAbstractButton* sender);
    void btncustomClick();
    void btnCcolorClick();
    void Timer1Timer();
    void CheckColourBrightness(std::uint32_t colour, QAbstractButton* asker);

    const QImage& imcolor() const { return imcolor_; }
    const QImage& impreview() const { return impreview_; }
    std::uint32_t customColour() const { return customColour_; }
    std::uint32_t panel2Colour() const { return panel2Colour_; }
    int flashCount() const { return flashCount_; }

    // The 13 colour buttons in the order of the highlight numbers 1 to 13.
    static const char* const kColourButtons[13];

protected:
    void showEvent(QShowEvent* event) override;
    void done(int result) override;

private:
    void FormCreate();
    void FormShow();
    void FormClose(bool ok);
    void buildControls();
    QWidget* buildGeneralPage();
    QWidget* buildSkillPage();
    QWidget* buildHighlightPage();
    QWidget* buildMazePage();
    void setColourPixel(std::uint32_t colour);
    void paintSwatch(QWidget* swatch, std::uint32_t colour);
    void setCustomColour(std::uint32_t colour);
    void setPanel2Colour(std::uint32_t colour);
    std::uint32_t fixedColourOf(QAbstractButton* button) const;

    Program& program_;
    Desk& desk_;
    ColourChooser& ColorDialog1_;

    QImage imcolor_;
    QImage imtest_;
    QImage impreviewArt_;
    QImage impreview_;
    std::uint32_t customColour_ = 255;
    std::uint32_t panel2Colour_ = 255;
    int savedMusicMode_ = 3;
    int savedMazeColour_ = 255;
    int flashCount_ = 0;

    QTabWidget* PageControl1 = nullptr;
    QListWidget* cbmusic = nullptr;
    QComboBox* cbselection = nullptr;
    QPushButton* btntest = nullptr;
    QPushButton* btnstop = nullptr;
    QRadioButton* rbselected = nullptr;
    QRadioButton* rborder = nullptr;
    QRadioButton* rbrandom = nullptr;
    QButtonGroup* rgcgskill = nullptr;
    QButtonGroup* colourGroup_ = nullptr;
    QRadioButton* rbcustom = nullptr;
    QPushButton* btncustom = nullptr;
    QLabel* impreviewLabel_ = nullptr;
    QPushButton* btnCcolor = nullptr;
    QWidget* Panel2 = nullptr;
    QButtonGroup* rgmzlevel = nullptr;
    QTimer* Timer1 = nullptr;
};
