#include "config/credits_page.h"

#include "config/dialog_widgets.h"
#include "config/frm_config.h"
#include "config/frm_credits.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QVBoxLayout>

using namespace dialog;

namespace {
QLabel* link(const char* name, const QString& url, const QString& caption, QWidget* parent) {
    auto* label = named(new QLabel(parent), name);
    label->setText(QStringLiteral("<a href=\"%1\">%2</a>").arg(url, caption.toHtmlEscaped()));
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    return label;
}
} // namespace

CreditsPage::CreditsPage(frmConfig& dialog) : dialog_(dialog) {
    setObjectName(QStringLiteral("PageCredits"));
    auto* version = new QLabel(
        QStringLiteral("Vantor Meridian %1").arg(QCoreApplication::applicationVersion()), this);
    Label30 = link("Label30", QStringLiteral("https://gstreamer.freedesktop.org/"),
                   QStringLiteral("Playback by GStreamer"), this);
    Label32 = link("Label32", QStringLiteral("https://www.qt.io/"), QStringLiteral("Windows by Qt"),
                   this);
    Command11 = button("Command11", "Enjoy the credits !!", this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(version);
    layout->addWidget(Label30);
    layout->addWidget(Label32);
    layout->addWidget(Command11, 0, Qt::AlignLeft);
    layout->addStretch();

    connect(Command11, &QPushButton::clicked, this, &CreditsPage::Command11_Click);
    auto openLink = [this](const QString& url) {
        if (dialog_.hooks.openUrl)
            dialog_.hooks.openUrl(QUrl(url));
        else
            QDesktopServices::openUrl(QUrl(url));
    };
    connect(Label30, &QLabel::linkActivated, this, openLink);
    connect(Label32, &QLabel::linkActivated, this, openLink);
}

void CreditsPage::Command11_Click() {
    if (dialog_.hooks.minimizeMainWindow)
        dialog_.hooks.minimizeMainWindow();
    if (!credits_)
        credits_ = new frmCredits(&dialog_);
    credits_->show();
    credits_->raise();
}
