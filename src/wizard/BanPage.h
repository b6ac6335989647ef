#pragma once

#include "CheckBoxArray.h"
#include "WizardPage.h"
#include "settings/ServerSettings.h"

#include <memory>

class MaskValueLabel;
class QGroupBox;
class QLabel;

// What the weapon-ban and the feature-ban pages share: a frame of ban boxes,
// the red note that takes the frame's place for rail-only game types, and the
// note that is always shown.
class BanPage : public WizardPage {
    Q_OBJECT
public:
    struct Design {
        const char *windowName;
        const char *subtitle;
        const char *frameName;
        const char *frameCaptionPrefix; // followed by the game type's name
        const char *arrayName;
        const char *settingName;                    // the server setting the mask is written to
        SettingNumber ServerSettingsRecord::*field; // where Next stores the mask
        QList<const char *> captions;
    };

    BanPage(WizardController &wizard, const Design &design, QWidget *parent);
    ~BanPage() override;

    // The game-type page's preset: rail-only types hide the frame.
    void showBans(bool shown);

    void Form_Load() override;
    void Form_Activate() override;
    const CheckBoxArray &boxes() const { return *m_boxes; }
    // The ticks, as the mask, into the record.
    void storeMask();

protected:
    bool storeAnswers() override;

private:
    QString m_captionPrefix;
    SettingNumber ServerSettingsRecord::*m_field;
    MaskValueLabel *m_value = nullptr;
    QGroupBox *m_frame = nullptr;
    QLabel *lblImportant = nullptr;
    std::unique_ptr<CheckBoxArray> m_boxes;
};
