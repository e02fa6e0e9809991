#include "config/subtitles_page.h"

#include "config/dialog_widgets.h"
#include "config/frm_config.h"
#include "config/preferences.h"

#include <QColorDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

using namespace dialog;

namespace {

// Boxes hold their number as text, as the user typed it; "" counts as 0.
int boxNumber(const QLineEdit* box) {
    return box->text().trimmed().toInt();
}

std::optional<SubtitleFontChoice> askForFont(QWidget* parent, const SubtitleFontChoice& current) {
    QFont initial(current.name);
    if (const double size = current.size.toDouble(); size > 0)
        initial.setPointSizeF(size);
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, QStringLiteral("Font"));
    if (!ok)
        return std::nullopt;
    // The font dialog has no colour of its own; a cancelled colour keeps the old one.
    QColor colour = QColorDialog::getColor(current.colour, parent, QStringLiteral("Colour"));
    if (!colour.isValid())
        colour = current.colour;
    return SubtitleFontChoice{font.family(), QString::number(font.pointSizeF()), colour};
}

} // namespace

SubtitlesPage::SubtitlesPage(frmConfig& dialog) : dialog_(dialog) {
    setObjectName(QStringLiteral("PageSubtitles"));
    build();
    connect(ChkAutoRGB, &QCheckBox::clicked, this, &SubtitlesPage::ChkAutoRGB_Click);
    connect(Combo3, &QComboBox::activated, this, &SubtitlesPage::Combo3_Click);
    for (QLineEdit* box : {ColorR, ColorG, ColorB})
        connect(box, &QLineEdit::textChanged, this, [this, box] { colourBoxChanged(box); });
    connect(Command4, &QPushButton::clicked, this, &SubtitlesPage::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &SubtitlesPage::Command5_Click);
    // A control whose work has no one to do it is shown, but cannot be used.
    Command4->setEnabled(bool(dialog_.hooks.applySubtitleFont));
    Combo3->setEnabled(bool(dialog_.hooks.applyCharacterSet));
}

void SubtitlesPage::build() {
    auto* engine = frame("Internal Subtitles Engine", this);
    MyFontName = named(new QLabel(engine), "MyFontName");
    MyFontSize = named(new QLabel(engine), "MyFontSize");
    for (QLabel* label : {MyFontName, MyFontSize})
        label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    MyFontColor = named(new QLabel(engine), "MyFontColor");
    MyFontColor->setMinimumSize(32, 16);
    Command4 = button("Command4", "Choose...", engine);

    // Digits only; a number above 255 is cut back when it is set.
    auto* digits =
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,3}")), engine);
    auto colourBox = [&](const char* name) {
        auto* box = named(new QLineEdit(engine), name);
        box->setValidator(digits);
        box->setMaximumWidth(48);
        return box;
    };
    ColorR = colourBox("ColorR");
    ColorG = colourBox("ColorG");
    ColorB = colourBox("ColorB");
    ChkAutoRGB = checkBox("ChkAutoRGB", "Autodetect RGB color transparancy", engine);
    Command5 = button("Command5", "Redetect", engine);
    SubYpos = named(new QLineEdit(engine), "SubYpos");
    Combo3 = named(new QComboBox(engine), "Combo3");
    SubBegin = slider(QStringLiteral("SubBegin"), -20, 20, 1, 5, 0);
    SubDisp = slider(QStringLiteral("SubDisp"), -2, 15, 1, 5, 0);
    ChkFindSubs = checkBox("ChkFindSubs", "Load subtitles found beside the movie", engine);

    auto* fontRow = new QHBoxLayout;
    for (QWidget* part : {static_cast<QWidget*>(MyFontName), static_cast<QWidget*>(MyFontSize),
                          static_cast<QWidget*>(MyFontColor), static_cast<QWidget*>(Command4)})
        fontRow->addWidget(part);
    fontRow->addStretch();
    auto* keyRow = new QHBoxLayout;
    for (QWidget* part : {static_cast<QWidget*>(ColorR), static_cast<QWidget*>(ColorG),
                          static_cast<QWidget*>(ColorB), static_cast<QWidget*>(ChkAutoRGB),
                          static_cast<QWidget*>(Command5)})
        keyRow->addWidget(part);
    keyRow->addStretch();
    auto* layout = new QFormLayout(engine);
    layout->addRow(QStringLiteral("Font"), fontRow);
    layout->addRow(QStringLiteral("Transparent colour (R, G, B)"), keyRow);
    layout->addRow(QStringLiteral("Vertical position (%)"), SubYpos);
    layout->addRow(QStringLiteral("Character set"), Combo3);
    layout->addRow(QStringLiteral("Delay"), dialog::withValue(SubBegin, QStringLiteral("s")));
    layout->addRow(QStringLiteral("Extra duration"),
                   dialog::withValue(SubDisp, QStringLiteral("s")));
    layout->addRow(QString(), ChkFindSubs);
    (new QVBoxLayout(this))->addWidget(engine);
}

void SubtitlesPage::fillCharacterSets() {
    Combo3->clear();
    for (const ChoiceItem& item : kCharacterSets)
        Combo3->addItem(QString::fromLatin1(item.text), item.number);
}

void SubtitlesPage::setFontColour(const QColor& colour) {
    fontColour_ = colour;
    MyFontColor->setStyleSheet(QStringLiteral("background-color: %1;").arg(colour.name()));
}

QFont SubtitlesPage::font() const {
    QFont font(MyFontName->text());
    if (const double size = MyFontSize->text().trimmed().toDouble(); size > 0)
        font.setPointSizeF(size);
    return font;
}

QColor SubtitlesPage::keyColour() const {
    return QColor(clampColourComponent(boxNumber(ColorR)), clampColourComponent(boxNumber(ColorG)),
                  clampColourComponent(boxNumber(ColorB)));
}

void SubtitlesPage::setKeyColour(const QColor& colour) {
    ColorR->setText(QString::number(colour.red()));
    ColorG->setText(QString::number(colour.green()));
    ColorB->setText(QString::number(colour.blue()));
}

int SubtitlesPage::characterSetNumber() const {
    return Combo3->currentIndex() >= 0 ? Combo3->currentData().toInt() : 0;
}

void SubtitlesPage::ChkAutoRGB_Click() {
    const bool manual = !ChkAutoRGB->isChecked();
    for (QLineEdit* box : {ColorR, ColorG, ColorB})
        box->setEnabled(manual);
}

void SubtitlesPage::colourBoxChanged(QLineEdit* box) {
    if (boxNumber(box) > 255)
        box->setText(QStringLiteral("255"));
}

void SubtitlesPage::Combo3_Click() {
    if (Combo3->currentIndex() >= 0 && dialog_.hooks.applyCharacterSet)
        dialog_.hooks.applyCharacterSet(characterSetNumber());
}

void SubtitlesPage::Command4_Click() {
    const SubtitleFontChoice current{MyFontName->text(), MyFontSize->text(), fontColour_};
    const std::optional<SubtitleFontChoice> chosen =
        dialog_.hooks.chooseFont ? dialog_.hooks.chooseFont(current) : askForFont(this, current);
    if (!chosen)
        return;
    MyFontName->setText(chosen->name);
    MyFontSize->setText(chosen->size);
    setFontColour(chosen->colour.isValid() ? chosen->colour : fontColour_);
    Combo3_Click();
}

void SubtitlesPage::Command5_Click() {
    if (!dialog_.movieOpen()) {
        dialog_.showCritical(QStringLiteral("Please open a file first."));
        return;
    }
    if (dialog_.hooks.startOverlayDetection)
        dialog_.hooks.startOverlayDetection();
}

void SubtitlesPage::applyFont() {
    if (dialog_.hooks.applySubtitleFont)
        dialog_.hooks.applySubtitleFont(font(), fontColour_);
}
