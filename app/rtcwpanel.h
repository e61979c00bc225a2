#pragma once

#include "gamepanel.h"

#include "binds/add/rtcw.h"

class QButtonGroup;
class QComboBox;
class QRadioButton;

// The RTCW panel: the root folder, the key, and either a voice command or a text to say
// with its chat scope. The bind always goes into the main folder.
class RtcwPanel : public GamePanel
{
    Q_OBJECT

public:
    RtcwPanel(const RtcwLayout &layout, decorate::RandomSource &jazzRandom, const host::Host &host, QWidget *window);

    // The voice list, in the games' order; the box keeps showing its start text.
    void fillVoiceList();
    void addBind() override;
    void takeBind(const QString &key, const QString &command) override;

protected:
    void updatePreview() override;

private:
    binds::RtcwFields fields() const;

    QLabel *m_exampleLabel;
    QRadioButton *m_voiceOption;
    QComboBox *m_voiceBox;
    QRadioButton *m_sayOption;
    QButtonGroup *m_kindGroup;
};
