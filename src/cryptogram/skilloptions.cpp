#include "cryptogram/skilloptions.h"

#include "controls/placement.h"
#include "shell/settings.h"

#include <QButtonGroup>
#include <QGroupBox>

namespace cryptogram {

SkillOptions::SkillOptions(QWidget* parent) : OptionsPage(parent)
{
    setObjectName(QStringLiteral("TabSheet2"));
    QGroupBox* box = optionsparts::Group(QStringLiteral("rgcgskill"), QStringLiteral("Skill level"), this,
                                         QRect(10, 8, 388, 128));
    QStringList items;
    for (int i = 0; i <= 11; ++i)
        items << QString::number(i);
    rgcgskill = optionsparts::RadioGroup(QStringLiteral("rgcgskill"), items, 3, box);
    placement::MakeLabel(QStringLiteral("The number selected is the number of characters that will be filled in when a "
                                        "new puzzle is created. 0 - Hardest to 11 - Easiest."),
                         QStringLiteral("Label5"), this, QRect(12, 146, 384, 44), true, 12);
    placement::MakeLabel(QStringLiteral("NOTICE: This setting has no effect on a puzzle that is currently being played!  "
                                        "It only effects new puzzles or a puzzle that is being edited."),
                         QStringLiteral("Label6"), this, QRect(12, 196, 384, 60), true, 12);
}

void SkillOptions::showSettings(const Settings& settings)
{
    optionsparts::CheckItem(rgcgskill, settings.cgSkill);
}

void SkillOptions::apply(Settings& settings)
{
    settings.cgSkill = rgcgskill->checkedId();
}

} // namespace cryptogram
