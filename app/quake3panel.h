#pragma once

#include "gamepanel.h"

#include "binds/add/quake3.h"

class QButtonGroup;
class QRadioButton;

// The Quake 3 panel: the root folder, the mod folder that gets the bind, the key, the
// text to say and its chat scope.
class Quake3Panel : public GamePanel
{
    Q_OBJECT

public:
    Quake3Panel(const Quake3Layout &layout, decorate::RandomSource &jazzRandom, const host::Host &host,
                QWidget *window);

    void addBind() override;
    QString modFolder() const override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void updatePreview() override;

private:
    binds::Quake3Fields fields() const;
    void normaliseCustomMod();

    QRadioButton *m_baseq3Option;
    QRadioButton *m_ospOption;
    QRadioButton *m_customModOption;
    QLineEdit *m_customModEdit;
    WrapButton *m_tesselButton;
    QButtonGroup *m_modGroup;
};
