#include "inspector/inspector_panel.h"

#include "inspector/graph_inspector.h"
#include "support/models/list_binding.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

namespace {
QListWidget* boundList(QWidget* parent, const char* name, SelectableList* model) {
    auto* view = new QListWidget(parent);
    view->setObjectName(QString::fromLatin1(name));
    bindList(view, model);
    return view;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption) {
    auto* result = new QPushButton(caption, parent);
    result->setObjectName(QString::fromLatin1(name));
    return result;
}
} // namespace

InspectorPanel::InspectorPanel(GraphInspector& inspector, SelectableList& playQueue,
                               QWidget* parent)
    : QWidget(parent), inspector_(inspector) {
    auto* listRegFilters = boundList(this, "listRegFilters", &inspector.listRegFilters);
    auto* listFilters = boundList(this, "listFilters", &inspector.listFilters);
    auto* listPins = boundList(this, "listPins", &inspector.listPins);
    lblFilterName = new QLabel(this);
    lblVendorInfo = new QLabel(this);
    lblVendorInfo->setWordWrap(true);
    txtPinInfo = new QPlainTextEdit(this);
    txtPinInfo->setObjectName(QStringLiteral("txtPinInfo"));
    txtPinInfo->setReadOnly(true);
    txtPinInfo->setMaximumHeight(70);

    cmdAddRegFilter = button(this, "cmdAddRegFilter", QStringLiteral("&Add Filter"));
    cmdConnect = button(this, "cmdConnect", QStringLiteral("&Connect"));
    cmdRender = button(this, "cmdRender", QStringLiteral("&Render"));
    Command4 = button(this, "Command4", QStringLiteral("&Properties"));
    cmdRun = button(this, "cmdRun", QStringLiteral("Run"));
    cmdPause = button(this, "cmdPause", QStringLiteral("Pause"));
    cmdStop = button(this, "cmdStop", QStringLiteral("Stop"));
    cmdNewGraph = button(this, "cmdNewGraph", QStringLiteral("&New Graph"));

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Registered filters"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Filters in the graph"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Pins"), this), 0, 2);
    grid->addWidget(listRegFilters, 1, 0);
    grid->addWidget(listFilters, 1, 1);
    grid->addWidget(listPins, 1, 2);
    grid->addWidget(cmdAddRegFilter, 2, 0);
    grid->addWidget(lblFilterName, 2, 1);
    grid->addWidget(lblVendorInfo, 3, 1);
    grid->addWidget(txtPinInfo, 2, 2, 2, 1);
    auto* commands = new QHBoxLayout;
    for (QPushButton* command :
         {cmdNewGraph, cmdConnect, cmdRender, Command4, cmdRun, cmdPause, cmdStop})
        commands->addWidget(command);

    auto* queueBox = new QGroupBox(QStringLiteral("Play queue"), this);
    auto* List1 = boundList(queueBox, "List1", &playQueue);
    Command1 = button(queueBox, "Command1", QStringLiteral("Add..."));
    Command2 = button(queueBox, "Command2", QStringLiteral("Remove"));
    Command3 = button(queueBox, "Command3", QStringLiteral("Play"));
    auto* queueButtons = new QVBoxLayout;
    queueButtons->addWidget(Command1);
    queueButtons->addWidget(Command2);
    queueButtons->addWidget(Command3);
    queueButtons->addStretch();
    auto* queueLayout = new QHBoxLayout(queueBox);
    queueLayout->addWidget(List1);
    queueLayout->addLayout(queueButtons);
    List1->setMaximumHeight(90);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(commands);
    layout->addWidget(queueBox);

    connect(listRegFilters, &QListWidget::itemDoubleClicked, this,
            [this] { inspector_.cmdAddRegFilter_Click(); });
    connect(cmdAddRegFilter, &QPushButton::clicked, this,
            [this] { inspector_.cmdAddRegFilter_Click(); });
    connect(cmdConnect, &QPushButton::clicked, this, [this] { inspector_.cmdConnect_Click(); });
    connect(cmdRender, &QPushButton::clicked, this, [this] { inspector_.cmdRender_Click(); });
    connect(Command4, &QPushButton::clicked, this, [this] { inspector_.Command4_Click(); });
    connect(&inspector, &GraphInspector::labelsChanged, this, &InspectorPanel::showLabels);
    showLabels();
}

void InspectorPanel::showLabels() {
    lblFilterName->setText(inspector_.lblFilterName);
    lblVendorInfo->setText(inspector_.lblVendorInfo);
    txtPinInfo->setPlainText(inspector_.txtPinInfo);
}
