#include "config/frm_credits.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

frmCredits::frmCredits(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmCredits"));
    setWindowTitle(QStringLiteral("Credits"));
    auto* title = new QLabel(QStringLiteral("<h2>Vantor Meridian</h2>"), this);
    title->setAlignment(Qt::AlignCenter);
    const QString version = QCoreApplication::applicationVersion();
    auto* text =
        new QLabel(QStringLiteral("A skinned movie player for Linux%1.<br><br>"
                                  "Written by the Vantor Meridian developers.<br><br>"
                                  "Playback by GStreamer, windows by Qt.")
                       .arg(version.isEmpty() ? QString() : QStringLiteral(", version ") + version),
                   this);
    text->setObjectName(QStringLiteral("CreditsText"));
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::hide);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(text);
    layout->addWidget(close, 0, Qt::AlignCenter);
}
