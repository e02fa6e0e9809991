#include "inspector/frm_filter_prop.h"

#include "inspector/graph_inspector.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

frmFilterProp::frmFilterProp(GraphInspector& inspector, QWidget* parent)
    : QDialog(parent), inspector_(inspector), listFiltersP(new QListWidget(this)) {
    setWindowTitle(QStringLiteral("Filter Properties"));
    auto* Command4 = new QPushButton(QStringLiteral("&Properties"), this);
    auto* Command1 = new QPushButton(QStringLiteral("&Close"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command4);
    buttons->addWidget(Command1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(listFiltersP);
    layout->addLayout(buttons);

    connect(listFiltersP, &QListWidget::currentRowChanged, this,
            [this](int row) { inspector_.listFilters.setListIndex(row); });
    connect(listFiltersP, &QListWidget::itemDoubleClicked, this,
            [this] { inspector_.Command4_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { inspector_.Command4_Click(); });
    connect(Command1, &QPushButton::clicked, this, &QDialog::hide);
}

void frmFilterProp::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

void frmFilterProp::clearList() {
    const QSignalBlocker block(listFiltersP);
    listFiltersP->clear();
}

void frmFilterProp::Form_Activate() {
    const QSignalBlocker block(listFiltersP);
    listFiltersP->clear();
    listFiltersP->addItems(inspector_.listFilters.items());
    listFiltersP->setCurrentRow(inspector_.listFilters.listIndex());
}
