#include "config/audio_page.h"

#include "config/config_procedures.h"
#include "config/dialog_widgets.h"
#include "config/frm_config.h"
#include "config/speaker_modes.h"
#include "support/registry/registry_store.h"

#include <QFormLayout>
#include <QVBoxLayout>

using namespace dialog;

AudioPage::AudioPage(frmConfig& dialog) : dialog_(dialog) {
    setObjectName(QStringLiteral("PageAudio"));
    auto* ac3 = frame("AC3 Dolby Digital && THX support ", this);
    Combo1 = named(new QComboBox(ac3), "Combo1");
    Combo2 = named(new QComboBox(ac3), "Combo2");
    auto* ac3Layout = new QFormLayout(ac3);
    ac3Layout->addRow(QStringLiteral("Speakers"), Combo1);
    ac3Layout->addRow(QStringLiteral("Audio device"), Combo2);

    auto* dedynamic = frame("DeDynamic (MMX Required)", this);
    UseDedynamic = checkBox("UseDedynamic", "Use Dedynamic filter", dedynamic);
    (new QVBoxLayout(dedynamic))->addWidget(UseDedynamic);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(ac3);
    layout->addWidget(dedynamic);
    layout->addStretch();

    // Another speaker mode changes the decoder's settings, and a new device
    // only plays in a newly built graph: Ok opens the movie again for them.
    connect(Combo1, &QComboBox::activated, this, [this] {
        Combo1_Click();
        dialog_.setRegChanged(true);
    });
    connect(Combo2, &QComboBox::activated, this, [this] {
        wantedDevice = chosenDeviceId();
        dialog_.setRegChanged(true);
    });
}

void AudioPage::fillSpeakerModes() {
    Combo1->clear();
    for (const ChoiceItem& item : kSpeakerModes)
        Combo1->addItem(QString::fromLatin1(item.text), item.number);
}

void AudioPage::fillAudioDevices(const QList<RegFilterInfo>& filters) {
    Combo2->clear();
    for (const RegFilterInfo& filter : filters) {
        if (filter.isAudioOutput())
            Combo2->addItem(filter.name(),
                            filter.device().isEmpty() ? filter.name() : filter.device());
    }
}

void AudioPage::chooseDevice(const QString& id) {
    Combo2->setCurrentIndex(id.isEmpty() ? -1 : Combo2->findData(id));
}

QString AudioPage::chosenDeviceId() const {
    return Combo2->currentData().toString();
}

void AudioPage::Combo1_Click() {
    const int row = Combo1->currentIndex();
    if (row < 0)
        return;
    if (dialog_.hooks.speakerModeChosen)
        dialog_.hooks.speakerModeChosen(row);
    else
        chooseSpeakerMode(row, dialog_.programFolder, userDataFolder(),
                          dialog_.registry ? *dialog_.registry : RegistryStore::user());
}

void AudioPage::Spkup() {
    const int row = Combo1->currentIndex();
    if (row < 0 || row >= int(kSpeakerModes.size()))
        return;
    if (dialog_.hooks.setSpeakerPicture)
        dialog_.hooks.setSpeakerPicture(kSpeakerModes[std::size_t(row)].number);
}
