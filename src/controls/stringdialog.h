#pragma once

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// Where the window of a dialogue component opens.
enum class DialogPosition {
    Designed,     // where the window already is (move it through Window())
    ScreenCenter, // centred on the screen
    OwnerCenter,  // centred on the owner's window (the screen when there is none)
};

// Asks for one line of text in a small modal window: a prompt, an edit box, OK and Cancel.
// The window and its controls are made once with the component and reused by every run.
class StringDialog : public QObject {
    Q_OBJECT

public:
    using NotifyEvent = std::function<void()>;
    // The typed character; set it to QChar() to drop it or to another character to type that.
    using KeyPressEvent = std::function<void(QChar& key)>;
    // The key code (Qt::Key) and modifiers; set key to 0 to stop the edit box handling it.
    using KeyEvent = std::function<void(int& key, Qt::KeyboardModifiers shift)>;

    // When owner is a widget, the window belongs to its window.
    explicit StringDialog(QObject* owner = nullptr);
    ~StringDialog() override;

    // Runs the dialogue; true on OK (Text then holds the entered text), false otherwise.
    virtual bool Execute();

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption) { m_caption = caption; }
    QString Text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }
    QString Prompt() const { return m_prompt; }
    void setPrompt(const QString& prompt) { m_prompt = prompt; }
    DialogPosition Position() const { return m_position; }
    void setPosition(DialogPosition position) { m_position = position; }

    NotifyEvent OnShow;  // at the start of each run, before the window opens
    NotifyEvent OnClose; // at the end of each run, after the window has closed
    KeyPressEvent OnKeyPress;
    NotifyEvent OnChange;
    KeyEvent OnKeyDown;
    KeyEvent OnKeyUp;

    QDialog* Window() const { return m_window; }
    QLabel* PromptLabel() const { return m_lblPrompt; }
    QLineEdit* Edit() const { return m_edText; }
    QPushButton* OkButton() const { return m_btnOK; }
    QPushButton* CancelButton() const { return m_btnCancel; }

protected:
    // The run shared by every kind of string dialogue; setEditText puts Text into the edit box
    // first (a subclass that has prepared the edit box itself passes false).
    bool Run(bool setEditText);
    // Decides the fate of a typed character before OnKeyPress sees it; QChar() drops it.
    virtual void FilterKey(QChar& key);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layOut();
    void place();

    QString m_caption = QStringLiteral("String Dialog");
    QString m_text;
    QString m_prompt = QStringLiteral("Please enter text below.");
    DialogPosition m_position = DialogPosition::ScreenCenter;

    QPointer<QDialog> m_window;
    QLabel* m_lblPrompt = nullptr;
    QLineEdit* m_edText = nullptr;
    QPushButton* m_btnOK = nullptr;
    QPushButton* m_btnCancel = nullptr;
};
