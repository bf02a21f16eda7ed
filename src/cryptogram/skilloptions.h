#pragma once

#include "shell/optionspage.h"

class QButtonGroup;

namespace cryptogram {

// The cryptogram's page of the options window: how many symbols a new puzzle starts with.
class SkillOptions : public OptionsPage {
public:
    explicit SkillOptions(QWidget* parent = nullptr);

    void showSettings(const Settings& settings) override;
    void apply(Settings& settings) override;

private:
    QButtonGroup* rgcgskill = nullptr;
};

} // namespace cryptogram
