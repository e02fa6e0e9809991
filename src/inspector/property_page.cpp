#include "inspector/property_page.h"

#include <QHeaderView>
#include <QMessageBox>
#include <QTableWidget>
#include <QVBoxLayout>

PropertyPage::PropertyPage(const FilterInfo& filter, QWidget* parent)
    : QDialog(parent), filter_(filter), table_(new QTableWidget(this)) {
    setWindowTitle(QStringLiteral("%1 Properties").arg(filter.name()));
    setAttribute(Qt::WA_DeleteOnClose);
    table_->setColumnCount(3);
    table_->setHorizontalHeaderLabels(
        {QStringLiteral("Property"), QStringLiteral("Value"), QStringLiteral("Type")});
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->verticalHeader()->hide();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table_);
    resize(560, 420);
    reload();
    connect(table_, &QTableWidget::itemChanged, this, &PropertyPage::onEdited);
}

void PropertyPage::reload() {
    loading_ = true;
    const QList<FilterProperty> properties = filter_.properties();
    table_->setRowCount(int(properties.size()));
    for (int row = 0; row < properties.size(); ++row) {
        const FilterProperty& property = properties[row];
        auto* name = new QTableWidgetItem(property.name);
        name->setFlags(Qt::ItemIsEnabled);
        name->setToolTip(property.description);
        auto* value = new QTableWidgetItem(property.value);
        value->setFlags(property.writable ? Qt::ItemIsEnabled | Qt::ItemIsEditable
                                          : Qt::ItemIsEnabled);
        auto* type = new QTableWidgetItem(property.typeName);
        type->setFlags(Qt::ItemIsEnabled);
        table_->setItem(row, 0, name);
        table_->setItem(row, 1, value);
        table_->setItem(row, 2, type);
    }
    table_->resizeColumnToContents(0);
    loading_ = false;
}

void PropertyPage::onEdited(QTableWidgetItem* item) {
    if (loading_ || item->column() != 1)
        return;
    const QString name = table_->item(item->row(), 0)->text();
    const MediaStatus status = filter_.setProperty(name, item->text());
    if (!status)
        QMessageBox::warning(this, windowTitle(), status.error());
    reload(); // show what the filter really holds now
}
