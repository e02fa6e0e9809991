#pragma once
// Small makers for the configuration dialog's controls: each control's
// object name is its name in the dialog, which other windows and the tests
// look it up by.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QPushButton>
#include <QSlider>

namespace dialog {

template <typename W> W* named(W* widget, const char* name) {
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

inline QPushButton* button(const char* name, const char* caption, QWidget* parent) {
    return named(new QPushButton(QString::fromLatin1(caption), parent), name);
}

inline QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent) {
    return named(new QCheckBox(QString::fromLatin1(caption), parent), name);
}

inline QGroupBox* frame(const char* caption, QWidget* parent) {
    return new QGroupBox(QString::fromLatin1(caption), parent);
}

inline QSlider* slider(const QString& name, int minimum, int maximum, int single, int page,
                       int value, Qt::Orientation orientation = Qt::Horizontal) {
    auto* slider = new QSlider(orientation);
    slider->setObjectName(name);
    slider->setRange(minimum, maximum);
    slider->setSingleStep(single);
    slider->setPageStep(page);
    slider->setValue(value);
    slider->setTickPosition(orientation == Qt::Horizontal ? QSlider::TicksBelow
                                                          : QSlider::TicksRight);
    return slider;
}

// A stored index the list does not have chooses nothing.
inline void setIndex(QComboBox* box, int index) {
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

} // namespace dialog
