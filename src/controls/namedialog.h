#pragma once

#include "controls/stringdialog.h"

class QStyle;
class QValidator;

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

enum TokStringDialogCharacterType { sdcNumbers, sdcLetters, sdcBoth };

enum TokStringDialogType { sddGeneral, sddFileName };

// The string dialogue that can restrict what may be entered: digits and sums only, no digits,
// or nothing a file name cannot hold; it can also force the case and cap the length.
// The rules hold for typed and for pasted or dropped text alike.
class NameDialog : public StringDialog {
    Q_OBJECT

public:
    explicit NameDialog(QObject* owner = nullptr);
    ~NameDialog() override;

    bool Execute() override;

    TEditCharCase CharCase() const { return m_charCase; }
    void setCharCase(TEditCharCase charCase) { m_charCase = charCase; }
    int MaxLength() const { return m_maxLength; } // 0: no limit
    void setMaxLength(int maxLength) { m_maxLength = maxLength; }
    TokStringDialogCharacterType CharType() const { return m_charType; }
    void setCharType(TokStringDialogCharacterType charType) { m_charType = charType; }
    TokStringDialogType DialogType() const { return m_dialogType; }
    void setDialogType(TokStringDialogType dialogType) { m_dialogType = dialogType; }
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool autoSelect) { m_autoSelect = autoSelect; }
    QChar PasswordChar() const { return m_passwordChar; } // QChar(): shown as typed
    void setPasswordChar(QChar passwordChar) { m_passwordChar = passwordChar; }

    // True when the rules of CharType and DialogType keep c out of the text.
    bool Refuses(QChar c) const;
    // text with the refused characters taken out and the case forced; cursor follows.
    QString Cleaned(const QString& text, int* cursor = nullptr) const;

protected:
    void FilterKey(QChar& key) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void applyToEdit();

    TEditCharCase m_charCase = TEditCharCase::ecNormal;
    int m_maxLength = 0;
    TokStringDialogCharacterType m_charType = sdcBoth;
    TokStringDialogType m_dialogType = sddGeneral;
    bool m_autoSelect = true;
    QChar m_passwordChar;

    QValidator* m_insertFilter = nullptr;
    QStyle* m_passwordStyle = nullptr;
};
