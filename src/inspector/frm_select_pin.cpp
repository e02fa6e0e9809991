#include "inspector/frm_select_pin.h"

#include "inspector/pin_selector.h"
#include "support/models/list_binding.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

frmSelectPin::frmSelectPin(PinSelector& selector, QWidget* parent)
    : QDialog(parent), selector_(selector) {
    setWindowTitle(QStringLiteral("Select a pin"));
    auto* listFilters = new QListWidget(this);
    auto* listPins = new QListWidget(this);
    listFilters->setObjectName(QStringLiteral("listFilters"));
    listPins->setObjectName(QStringLiteral("listPins"));
    VendorInfo = new QLabel(this);
    VendorInfo->setWordWrap(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* lists = new QHBoxLayout;
    lists->addWidget(listFilters);
    lists->addWidget(listPins);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(lists);
    layout->addWidget(VendorInfo);
    layout->addWidget(buttons);

    bindList(listFilters, &selector.listFilters);
    bindList(listPins, &selector.listPins);
    connect(&selector.listFilters, &SelectableList::clicked, this, &frmSelectPin::showVendor);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        selector_.accept();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    showVendor();
}

void frmSelectPin::showVendor() {
    VendorInfo->setText(selector_.VendorInfo);
}
