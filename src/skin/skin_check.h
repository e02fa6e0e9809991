#pragma once
// Whether a skin folder makes a window the user can work: its picture can
// be read and fits the screen, and its controls lie inside it, close and
// configuration above all. A skin that fails is refused with the reason.
#include "skin/skin_description.h"

#include <QImage>
#include <QRect>
#include <QSize>
#include <array>

struct SkinCandidate {
    QImage base; // "base.bmp", null when missing or unreadable
    bool baseFileFound = false;
    bool descriptionFound = false; // a "VSkin.ini" is there
    SkinDescription description;
    // Where each element's controls stand now: edges the description
    // leaves out stay there.
    std::array<QRect, kSkinElementCount> current{};
};

// Reads the picture and the description of `folder`.
SkinCandidate readSkinCandidate(const QString& folder,
                                const std::array<QRect, kSkinElementCount>& current);

// Where an element's control goes: `current` moved and sized by the edges
// the description gives.
QRect placedRect(QRect current, const TwipsGeometry& geometry);

// The reason the skin cannot be used, in words for the user ("its picture
// base.bmp is missing"); empty when it can.
QString skinProblem(const SkinCandidate& skin, QSize screen);
