#include "player/frm_jump_to.h"

#include <QFormLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QPushButton>

frmJumpTo::frmJumpTo(std::function<void(const QString&)> jump, QWidget* parent)
    : QDialog(parent), jump_(std::move(jump)) {
    setWindowTitle(QStringLiteral("Jump to"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto field = [this](const char* name) {
        auto* edit = new QLineEdit(QStringLiteral("00"), this);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setMaxLength(2);
        edit->setValidator(new QIntValidator(0, 99, edit));
        return edit;
    };
    hours = field("hours");
    minutes = field("minutes");
    Seconds = field("Seconds");
    auto* Command1 = new QPushButton(QStringLiteral("&Ok"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setDefault(true);
    auto* layout = new QFormLayout(this);
    layout->addRow(QStringLiteral("Hours"), hours);
    layout->addRow(QStringLiteral("Minutes"), minutes);
    layout->addRow(QStringLiteral("Seconds"), Seconds);
    layout->addRow(Command1);
    connect(Command1, &QPushButton::clicked, this, &frmJumpTo::Command1_Click);
}

void frmJumpTo::Command1_Click() {
    // Times are read at fixed places, so each field is made two digits wide:
    // "1", "5", "3" means 01:05:03, not one hour.
    auto padded = [](const QLineEdit* field) {
        return field->text().trimmed().rightJustified(2, QLatin1Char('0'));
    };
    jump_(padded(hours) + QLatin1Char(':') + padded(minutes) + QLatin1Char(':') + padded(Seconds));
    close();
}
