#pragma once

#include "shell/windowpositions.h"

#include <QWidget>

class Program;
struct Desk;
class QButtonGroup;
class QLabel;
class QPushButton;

// The launcher: a borderless picture window in which the user picks a puzzle type.
class LauncherWindow : public QWidget {
    Q_OBJECT
public:
    LauncherWindow(Program& program, Desk& desk, QWidget* parent = nullptr);

    // The selected type: 0 picture, 1 cryptogram, 2 word search, 3 maze.
    int selectedType() const;
    void selectType(int index);

    bool dragging() const { return dragging_; }
    bool positionsLoaded() const { return positionsLoaded_; }

    void playChosenType();
    void showAbout();
    void minimise();
    void offerMorePuzzles();
    void Image1MouseDown(int x, int y);
    void Image1MouseMove(int x, int y, QPoint global);
    void Image1MouseUp();

    static constexpr int kWidth = 600;
    static constexpr int kHeight = 465;

signals:
    // The launcher has closed: the program ends.
    void closed();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void FormShow();
    void FormClose();
    void buildControls();
    void offerPacks(bool askAll);
    QList<NamedWindow> positionedWindows() const;

    Program& program_;
    Desk& desk_;
    QLabel* Image1 = nullptr;
    QWidget* rgpuzzletype = nullptr;
    QButtonGroup* typeGroup_ = nullptr;
    bool dragging_ = false;
    int grabX_ = 0;
    int grabY_ = 0;
    bool positionsLoaded_ = false;
    bool minimisedByButton_ = false;
};
