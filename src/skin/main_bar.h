#pragma once
// The controls of the main window's bar: the picture buttons, the time and
// size labels, the scrolling title, the seek bar and the sound controls.
// Built where a plain bar has them, moved and coloured by the skin; the
// window that owns them wires what they do.
#include "skin/skin_description.h"

#include <QImage>
#include <QString>
#include <functional>

class QLabel;
class QWidget;
class SkinImage;
class SkinWindow;
class TextScroller;
class cpvProgressBar;

class MainBar {
  public:
    // Builds every control on `window`; `skinFolder` says where the pressed
    // pictures are found, asked at each press.
    MainBar(SkinWindow& window, std::function<QString()> skinFolder);

    // The title: the hidden label holds it, the scroller shows it.
    void setTitle(const QString& title);
    QString title() const;
    // The skin's colours for the labels and the title's strip.
    void applyColours(const SkinDescription& skin);
    // Plain captions on the buttons while no skin picture shows.
    void setFallbackVisible(bool visible);
    // A copy of a store picture; a null one leaves the control as it is.
    static void showPicture(SkinImage* control, const QImage& picture);

    SkinImage *Image9, *Image8, *Image1, *Image6, *Image7;
    SkinImage *VolSlider, *SoundType, *Opsub;
    SkinImage *prev, *play, *pause, *stopbt, *nextbt;
    SkinImage *enablefs, *playlbt, *ouvrir, *conf, *PanScanPad;
    SkinImage *pgh, *Ph, *Pg, *Pd, *pbd, *Pb;
    QLabel* vbwScroller1; // holds the title; vbwScroller2 shows it
    TextScroller* vbwScroller2;
    QLabel *tempslbl, *tempec, *vsize;
    QWidget* Shape2; // the level bar: no skin draws it, it keeps the level's height
    cpvProgressBar* PBar1;

  private:
    SkinImage* addButton(const char* name, const char* pressedBitmap, const QString& toolTip,
                         const QString& fallback, QRect design);
    void buildButtons();
    void placeElements();

    SkinWindow& window_;
    std::function<QString()> skinFolder_;
};
