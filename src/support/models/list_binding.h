#pragma once
// Shows a SelectableList in a QListWidget and turns the user's clicks into
// selections of the model.
class QListWidget;
class SelectableList;

void bindList(QListWidget* view, SelectableList* model);
