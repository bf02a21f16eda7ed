#include "controls/toolstrip.h"

#include "buttonicons.h"

#include <QIcon>
#include <QToolButton>

namespace toolstrip {

void Build(QWidget* strip, const std::vector<Button>& buttons, const Layout& layout)
{
    constexpr int kButtonSize = 25;
    int left = layout.left;
    for (const Button& entry : buttons) {
        left += entry.gapBefore;
        auto* button = new QToolButton(strip);
        button->setObjectName(QString::fromLatin1(entry.name));
        button->setToolTip(QString::fromLatin1(entry.hint));
        button->setIcon(ButtonIcon(QString::fromLatin1(entry.icon)));
        button->setIconSize(QSize(21, 21));
        button->setAutoRaise(true);
        // The keys belong to the window's puzzle, never to its buttons.
        button->setFocusPolicy(Qt::NoFocus);
        button->setGeometry(left, layout.top, kButtonSize, kButtonSize);
        left += layout.pitch;
        if (entry.made)
            *entry.made = button;
        if (entry.clicked)
            QObject::connect(button, &QToolButton::clicked, button, entry.clicked);
    }
}

} // namespace toolstrip
