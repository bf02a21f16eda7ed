#include "controls/namedialog.h"

#include "platform/filenames.h"

#include <QCoreApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QProxyStyle>
#include <QValidator>
#include <algorithm>

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isNumberCharacter(QChar c)
{
    return isDigit(c) || QStringLiteral(".+-*/=$%").contains(c);
}

// Runs everything that reaches the edit box (paste, drop, input methods, undo) through the
// same rules as typed keys, so a refused character cannot get in by any road.
class InsertFilter : public QValidator {
public:
    InsertFilter(const NameDialog& dialog, QObject* parent)
        : QValidator(parent)
        , m_dialog(dialog)
    {
    }

    State validate(QString& input, int& pos) const override
    {
        // Refused characters go first, then the text is cut to its length: a paste with a few
        // bad characters keeps as many good ones as fit. What is cut is the end of the insertion.
        input = m_dialog.Cleaned(input, &pos);
        const int max = m_dialog.MaxLength();
        if (max > 0 && input.size() > max) {
            const int excess = static_cast<int>(input.size()) - max;
            const int from = std::max(0, pos - excess);
            input.remove(from, pos - from);
            pos = from;
            if (input.size() > max)
                input.truncate(max);
            pos = std::min(pos, static_cast<int>(input.size()));
        }
        return Acceptable;
    }

private:
    const NameDialog& m_dialog;
};

// Shows the chosen character in place of each one in a password edit box.
class PasswordCharStyle : public QProxyStyle {
public:
    QChar passwordChar;

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter && !passwordChar.isNull())
            return passwordChar.unicode();
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

NameDialog::NameDialog(QObject* owner)
    : StringDialog(owner)
{
    m_insertFilter = new InsertFilter(*this, this);
    Edit()->setValidator(m_insertFilter);
}

NameDialog::~NameDialog()
{
    // The edit box goes with the window in the base destructor; it must not keep our style.
    if (Window())
        Edit()->setStyle(nullptr);
    delete m_passwordStyle;
}

bool NameDialog::Refuses(QChar c) const
{
    if (m_charType == sdcNumbers && !isNumberCharacter(c))
        return true;
    if (m_charType == sdcLetters && isDigit(c))
        return true;
    return m_dialogType == sddFileName && filenames::isRefusedNameCharacter(c);
}

QString NameDialog::Cleaned(const QString& text, int* cursor) const
{
    QString out;
    out.reserve(text.size());
    int newCursor = cursor ? *cursor : 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (Refuses(c)) {
            if (cursor && i < *cursor)
                --newCursor;
            continue;
        }
        switch (m_charCase) {
        case TEditCharCase::ecUpperCase:
            out += c.toUpper();
            break;
        case TEditCharCase::ecLowerCase:
            out += c.toLower();
            break;
        case TEditCharCase::ecNormal:
            out += c;
            break;
        }
    }
    if (cursor)
        *cursor = newCursor;
    return out;
}

void NameDialog::FilterKey(QChar& key)
{
    if (Refuses(key))
        key = QChar();
}

void NameDialog::applyToEdit()
{
    QLineEdit* edit = Edit();
    // The length is kept by the insert filter, after refused characters are dropped.
    edit->setMaxLength(32767);
    if (m_passwordChar.isNull()) {
        edit->setEchoMode(QLineEdit::Normal);
    } else {
        // The edit box reads the character from its style when the style changes.
        if (!m_passwordStyle) {
            auto* style = new PasswordCharStyle;
            style->passwordChar = m_passwordChar;
            m_passwordStyle = style;
            edit->setStyle(style);
        } else {
            static_cast<PasswordCharStyle*>(m_passwordStyle)->passwordChar = m_passwordChar;
            QEvent styleChange(QEvent::StyleChange);
            QCoreApplication::sendEvent(edit, &styleChange);
        }
        edit->setEchoMode(QLineEdit::Password);
    }
}

bool NameDialog::Execute()
{
    applyToEdit();

    const QString& text = Text();
    const bool bad = std::any_of(text.begin(), text.end(), [this](QChar c) { return Refuses(c); });
    QString start = bad ? QString() : Cleaned(text);
    if (m_maxLength > 0 && start.size() > m_maxLength)
        start.truncate(m_maxLength);

    QLineEdit* edit = Edit();
    edit->setText(start);
    if (m_autoSelect)
        edit->selectAll();
    else
        edit->setCursorPosition(0);

    return Run(false);
}

bool NameDialog::eventFilter(QObject* watched, QEvent* event)
{
    // The edit box selects everything when tabbed into; without AutoSelect the caret stays put.
    if (watched == Edit() && event->type() == QEvent::FocusIn && !m_autoSelect) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason) {
            QLineEdit* edit = Edit();
            const int cursor = edit->cursorPosition();
            const bool hadSelection = edit->hasSelectedText();
            static_cast<QObject*>(edit)->event(event);
            if (!hadSelection)
                edit->setCursorPosition(cursor);
            return true;
        }
    }
    return StringDialog::eventFilter(watched, event);
}
