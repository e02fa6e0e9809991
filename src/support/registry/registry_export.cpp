#include "support/registry/registry_export.h"

#include <algorithm>
#include <vector>

namespace {

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size() + 2);
    for (QChar ch : text) {
        if (ch == u'\\' || ch == u'"')
            out += u'\\';
        if (ch == u'\n')
            out += QLatin1String("\\n");
        else if (ch == u'\r')
            out += QLatin1String("\\r");
        else
            out += ch;
    }
    return out;
}

// A string value goes in quotes only when reading the quotes back gives the
// same bytes; anything else (no terminator, inner NULs, line breaks, broken
// UTF-16) is written as hex(1) so that nothing is lost.
bool quotable(const QByteArray& data, QString* text) {
    if (data.size() < 2 || data.size() % 2)
        return false;
    QString t = reg::stringFromData(data);
    if (t.back() != QChar(0))
        return false;
    t.chop(1);
    if (t.contains(QChar(0)) || t.contains(u'\n') || t.contains(u'\r') || !t.isValidUtf16())
        return false;
    *text = t;
    return true;
}

// Hex bytes wrapped as the registry editor wraps them: lines end in ",\" and
// go on indented by two spaces.
void appendHex(QString& out, QString line, const QByteArray& data) {
    for (qsizetype i = 0; i < data.size(); ++i) {
        line += QString::asprintf("%02x", uchar(data[i]));
        if (i + 1 < data.size()) {
            line += u',';
            if (line.size() > 76) {
                out += line + QLatin1String("\\\n");
                line = QStringLiteral("  ");
            }
        }
    }
    out += line + u'\n';
}

void appendValue(QString& out, const RegistryValue& value) {
    const QString name = value.name.isEmpty() ? QStringLiteral("@=")
                                              : u'"' + escaped(value.name) + QLatin1String("\"=");
    QString text;
    if (value.type == reg::REG_SZ && quotable(value.data, &text)) {
        out += name + u'"' + escaped(text) + QLatin1String("\"\n");
    } else if (value.type == reg::REG_DWORD && value.data.size() == 4) {
        const quint32 number = uchar(value.data[0]) | (uchar(value.data[1]) << 8) |
                               (uchar(value.data[2]) << 16) | (quint32(uchar(value.data[3])) << 24);
        out += name + QString::asprintf("dword:%08x\n", number);
    } else if (value.type == reg::REG_BINARY) {
        appendHex(out, name + QLatin1String("hex:"), value.data);
    } else {
        appendHex(out, name + QString::asprintf("hex(%x):", value.type), value.data);
    }
}

void appendKey(QString& out, const QString& path, const RegistryKeyNode& node, bool isRoot) {
    // Every key gets its section, so empty keys survive; a root only when it
    // holds values, since roots always exist.
    if (!isRoot || !node.values.empty()) {
        out += u'[' + path + QLatin1String("]\n");
        std::vector<const RegistryKeyNode::Entry*> entries;
        for (const auto& [key, entry] : node.values)
            entries.push_back(&entry);
        std::sort(entries.begin(), entries.end(),
                  [](auto* a, auto* b) { return a->order < b->order; });
        for (const auto* entry : entries)
            appendValue(out, entry->value);
        out += u'\n';
    }
    for (const auto& [key, child] : node.children)
        appendKey(out, path + u'\\' + child->name, *child, false);
}

} // namespace

QByteArray registryExportText(const RegistryTree& tree) {
    QString out = QStringLiteral("Windows Registry Editor Version 5.00\n\n");
    for (const auto& root : tree)
        appendKey(out, root->name, *root, true);
    return out.toUtf8();
}
