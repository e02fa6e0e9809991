#pragma once
// Small makers for the configuration dialog's controls: each control's
// object name is its name in the dialog, which other windows and the tests
// look it up by.
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
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

// The slider with its value written beside it, kept up to date: a slider
// alone does not say where it stands. The label is "<slider>Value".
inline QWidget* withValue(QSlider* slider, const QString& unit) {
    auto* row = new QWidget;
    auto* value = new QLabel(row);
    value->setObjectName(slider->objectName() + QStringLiteral("Value"));
    value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-20 s")));
    const auto show = [value, unit](int number) {
        value->setText(QStringLiteral("%1 %2").arg(number).arg(unit));
    };
    show(slider->value());
    QObject::connect(slider, &QSlider::valueChanged, value, show);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(slider, 1);
    layout->addWidget(value);
    return row;
}

// A stored index the list does not have chooses nothing.
inline void setIndex(QComboBox* box, int index) {
    box->setCurrentIndex(index >= 0 && index < box->count() ? index : -1);
}

} // namespace dialog
