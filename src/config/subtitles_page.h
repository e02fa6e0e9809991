#pragma once
// The configuration dialog's "Subtitles" page: the subtitle font and its
// colour, the overlay key colour and its detection, the vertical position,
// the character set, and the delay and extra duration.
#include <QColor>
#include <QFont>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSlider;
class frmConfig;

class SubtitlesPage : public QWidget {
    Q_OBJECT
  public:
    explicit SubtitlesPage(frmConfig& dialog);

    QLabel *MyFontName, *MyFontSize, *MyFontColor;
    QPushButton* Command4; // choose the font
    QLineEdit *ColorR, *ColorG, *ColorB;
    QCheckBox* ChkAutoRGB;
    QPushButton* Command5; // detect the key colour again
    QLineEdit* SubYpos;
    QComboBox* Combo3; // character set
    QSlider *SubBegin, *SubDisp;
    QCheckBox* ChkFindSubs; // look for subtitles beside each movie

    void fillCharacterSets();
    QColor fontColour() const { return fontColour_; }
    void setFontColour(const QColor& colour);
    QFont font() const;
    QColor keyColour() const;
    void setKeyColour(const QColor& colour);
    int characterSetNumber() const; // 0 (Western European) when none chosen

    void ChkAutoRGB_Click();
    void Combo3_Click();
    void Command4_Click();
    void Command5_Click();
    // The subtitle lines take the font.
    void applyFont();

  private:
    void build();
    void colourBoxChanged(QLineEdit* box);

    frmConfig& dialog_;
    QColor fontColour_ = Qt::white; // MyFontColor's back colour
};
