#pragma once
// The registry store's tree, and the registry-export text the store's file
// holds ("Windows Registry Editor Version 5.00"), written from it.
#include "support/registry/registry_store.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <map>
#include <memory>

// A key of the tree. Children and values are found by their case-folded
// names; the first spelling written is what is shown and saved.
struct RegistryKeyNode {
    struct Entry {
        RegistryValue value;
        quint64 order = 0; // creation order, for enumeration and the file
    };
    QString name;
    std::map<QString, std::unique_ptr<RegistryKeyNode>> children;
    std::map<QString, Entry> values;
    quint64 nextOrder = 0;
};

using RegistryTree = std::array<std::unique_ptr<RegistryKeyNode>, 5>; // one per root

// The file text for `tree`: every key in its own section (roots only with
// values), values in the order they were made.
QByteArray registryExportText(const RegistryTree& tree);
