#pragma once
// Reading registry-export files: the text the Windows registry editor writes
// and imports ("REGEDIT4" or version 5.00, UTF-16LE or 8-bit). The player's
// decoder presets (".iwc") are such files; importing one here takes the
// place of running the registry editor on it.
//
// A line that cannot be understood is skipped and reported, never fatal.
#include "support/registry/registry_store.h"

#include <QByteArray>
#include <QList>
#include <QString>

struct RegistrySkippedLine {
    int line = 0;   // 1-based, the first line of a continued value
    QString text;   // the line as read, cut to 200 characters
    QString reason; // in words, for a report
};

struct RegistryFileContents {
    enum Header { NoHeader, Regedit4, Version5 };
    Header header = NoHeader;
    QList<RegistryChange> changes; // in file order: keys created, values set, deletions
    QList<RegistrySkippedLine> skipped;
};

// Parses a whole file's bytes. Without a recognised header on the first
// non-blank line the lines are still parsed (the store reads its own file
// leniently); the importer refuses such a file.
RegistryFileContents parseRegistryFile(const QByteArray& bytes);

// Text of an 8-bit file or value: UTF-8 when it is valid UTF-8, otherwise
// the Western Windows code page (1252), as files from Windows usually are.
QString decode8Bit(const QByteArray& bytes);

struct RegistryImportResult {
    bool ok = false;                    // the file was a registry file and its changes are stored
    int valuesSet = 0;                  // values written, counted once per line that set one
    QList<RegistrySkippedLine> skipped; // malformed lines and changes the store refused
    QString error;                      // why nothing was imported, in words the caller can show
};

// Imports `filePath` into `store`, written to disk once at the end.
RegistryImportResult importRegistryFile(const QString& filePath,
                                        RegistryStore& store = RegistryStore::user());
RegistryImportResult importRegistryText(const QByteArray& bytes, RegistryStore& store);
