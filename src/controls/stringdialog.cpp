#include "controls/stringdialog.h"

#include <QDialog>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

namespace {

constexpr int kWindowWidth = 363;
constexpr int kWindowHeight = 164;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;

} // namespace

StringDialog::StringDialog(QObject* owner)
    : QObject(owner)
{
    QWidget* ownerWidget = qobject_cast<QWidget*>(owner);
    m_window = new QDialog(ownerWidget ? ownerWidget->window() : nullptr,
                           Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    m_window->setObjectName(QStringLiteral("TokStringDialogWindow"));
    m_window->setFixedSize(kWindowWidth, kWindowHeight);

    m_lblPrompt = new QLabel(m_window);
    m_lblPrompt->setObjectName(QStringLiteral("lblPrompt"));
    m_lblPrompt->setWordWrap(true);
    m_lblPrompt->setAlignment(Qt::AlignLeft | Qt::AlignTop);

    m_edText = new QLineEdit(m_window);
    m_edText->setObjectName(QStringLiteral("edText"));
    m_edText->installEventFilter(this);
    connect(m_edText, &QLineEdit::textChanged, this, [this] {
        if (OnChange)
            OnChange();
    });

    m_btnOK = new QPushButton(QStringLiteral("OK"), m_window);
    m_btnOK->setObjectName(QStringLiteral("btnOK"));
    m_btnOK->setDefault(true);
    connect(m_btnOK, &QPushButton::clicked, m_window.data(), &QDialog::accept);

    m_btnCancel = new QPushButton(QStringLiteral("Cancel"), m_window);
    m_btnCancel->setObjectName(QStringLiteral("btnCancel"));
    connect(m_btnCancel, &QPushButton::clicked, m_window.data(), &QDialog::reject);

    QWidget::setTabOrder(m_edText, m_btnOK);
    QWidget::setTabOrder(m_btnOK, m_btnCancel);
    layOut();
    place();
}

StringDialog::~StringDialog()
{
    delete m_window.data();
}

bool StringDialog::Execute()
{
    return Run(true);
}

bool StringDialog::Run(bool setEditText)
{
    if (OnShow)
        OnShow();
    m_window->setWindowTitle(m_caption);
    m_lblPrompt->setText(m_prompt);
    if (setEditText)
        m_edText->setText(m_text);
    layOut();
    place();

    m_edText->setFocus();
    const bool ok = m_window->exec() == QDialog::Accepted;
    if (ok)
        m_text = m_edText->text();

    if (OnClose)
        OnClose();
    return ok;
}

void StringDialog::layOut()
{
    const int labelHeight = m_lblPrompt->heightForWidth(338);
    m_lblPrompt->setGeometry(7, 8, 338, labelHeight > 0 ? labelHeight : m_lblPrompt->sizeHint().height());
    const int editTop = m_lblPrompt->geometry().bottom() + 1 + 10;
    m_edText->setGeometry(7, editTop, 337, 21);
    const int buttonTop = m_edText->geometry().bottom() + 1 + 20;
    m_btnOK->setGeometry(168, buttonTop, kButtonWidth, kButtonHeight);
    m_btnCancel->setGeometry(256, buttonTop, kButtonWidth, kButtonHeight);
    m_window->setFixedSize(kWindowWidth, m_btnOK->geometry().bottom() + 1 + 20);
}

void StringDialog::place()
{
    QRect area;
    QWidget* ownerWidget = qobject_cast<QWidget*>(parent());
    switch (m_position) {
    case DialogPosition::Designed:
        return;
    case DialogPosition::OwnerCenter:
        if (ownerWidget && ownerWidget->window()->isVisible()) {
            area = ownerWidget->window()->frameGeometry();
            break;
        }
        [[fallthrough]];
    case DialogPosition::ScreenCenter:
        if (QScreen* screen = QGuiApplication::primaryScreen())
            area = screen->geometry();
        break;
    }
    if (area.isValid())
        m_window->move(area.left() + (area.width() - m_window->width()) / 2,
                       area.top() + (area.height() - m_window->height()) / 2);
}

void StringDialog::FilterKey(QChar&)
{
}

bool StringDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_edText)
        return QObject::eventFilter(watched, event);

    if (event->type() == QEvent::KeyPress) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        if (OnKeyDown) {
            int key = keyEvent->key();
            OnKeyDown(key, keyEvent->modifiers());
            if (key == 0)
                return true;
        }
        const QString typed = keyEvent->text();
        if (typed.size() != 1)
            return false;
        // Control with a letter is a command (Ctrl+V pastes), not typing; Ctrl+Alt is AltGr.
        const Qt::KeyboardModifiers mods = keyEvent->modifiers();
        if ((mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier))
            return false;
        const QChar original = typed.front();
        const bool backspace = original == QChar(u'\b');
        if (!backspace && !original.isPrint())
            return false;
        QChar key = original;
        if (!backspace)
            FilterKey(key);
        if (OnKeyPress)
            OnKeyPress(key);
        if (key.isNull())
            return true;
        if (key != original) {
            m_edText->insert(QString(key));
            return true;
        }
        return false;
    }
    if (event->type() == QEvent::KeyRelease && OnKeyUp) {
        auto* keyEvent = static_cast<QKeyEvent*>(event);
        int key = keyEvent->key();
        OnKeyUp(key, keyEvent->modifiers());
        return key == 0;
    }
    return false;
}
