// What the configuration dialog's controls hold, as other windows read it.
#include "config/frm_config.h"

#include "config/display_modes.h"
#include "config/speaker_modes.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>

bool frmConfig::subtitlesOn() const {
    return Check1->isChecked();
}
bool frmConfig::screenSaverDisabled() const {
    return CheckScreenS->isChecked();
}
bool frmConfig::scrollTitle() const {
    return CheckScroll->isChecked();
}
QString frmConfig::subtitleFontName() const {
    return MyFontName->text();
}
QString frmConfig::subtitleFontSizeText() const {
    return MyFontSize->text();
}
int frmConfig::subtitleFontSize() const {
    return qRound(MyFontSize->text().trimmed().toDouble());
}
QColor frmConfig::subtitleFontColour() const {
    return fontColour_;
}
QFont frmConfig::subtitleFont() const {
    QFont font(MyFontName->text());
    if (const double size = MyFontSize->text().trimmed().toDouble(); size > 0)
        font.setPointSizeF(size);
    return font;
}
Preferences frmConfig::preferences() const {
    Preferences p = loaded_;
    p.useSub = Check1->isChecked();
    p.device = Combo2->currentText();
    p.screenSaverDisabled = CheckScreenS->isChecked();
    p.scrollTitle = CheckScroll->isChecked();
    p.fontName = MyFontName->text();
    p.fontSize = MyFontSize->text();
    p.fontColour = numberFromColour(fontColour_);
    const QColor key = keyColour();
    p.keyRed = key.red();
    p.keyGreen = key.green();
    p.keyBlue = key.blue();
    p.autoOverlay = ChkAutoRGB->isChecked();
    p.subYPos = SubYpos->text();
    p.skin = skinPath_;
    p.audioSys = Combo1->currentIndex();
    p.scenixDrive = Drive1->currentIndex();
    p.charset = Combo3->currentIndex();
    p.deviceIdx = Combo2->currentIndex();
    p.changeRes = CheckRes->isChecked();
    p.changeResXY = cmbres->currentIndex();
    p.changeResCols = cmbcols->currentIndex();
    p.changeResHz = cmbHz->currentIndex();
    p.dedynamic = UseDedynamic->isChecked();
    return p;
}
