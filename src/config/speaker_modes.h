#pragma once
// Speaker modes of the configuration dialog's list (Combo1) and the decoder
// presets behind them, plus the first start's import of the decoder defaults.
//
// Two folders are involved. Preset files are read from the program's data
// folder ("<data>/Decoder/<mode>.iwc", installed read-only beside the
// program). Everything the player writes (the mode markers "Ac3reg<n>.cfg"
// and the first-start marker "newdev.mpw") goes to the user's data folder,
// userDataFolder() unless a folder is passed in.
#include "support/registry/registry_import.h"
#include "support/registry/registry_store.h"

#include <QString>
#include <QStringList>
#include <array>

inline constexpr int kSpeakerModeCount = 7;

struct SpeakerModeInfo {
    const char* text;       // the list's text, "6 Speakers Mode (5.1)"
    const char* presetFile; // below "<data>/Decoder/", "6Speakers.iwc"
};

// Rows 0..6 of the list, in list order.
const std::array<SpeakerModeInfo, kSpeakerModeCount>& speakerModes();
QStringList speakerModeTexts();

// <GenericDataLocation>/OrvaneSoft/Vantor: not tied to the application's
// names, so every part of the player and the tests agree on it.
QString userDataFolder();

// "<programData>/Decoder/6Speakers.iwc" for row 5; empty for a row outside
// 0..6.
QString speakerPresetPath(const QString& programDataFolder, int row);
// "Ac3reg5.cfg" for row 5.
QString speakerMarkerName(int row);
inline constexpr char kSpeakerMarkerText[] = "This file is a file !";

struct SpeakerModeChange {
    bool presetFound = false;      // the row has a preset and the file exists
    RegistryImportResult import;   // what the import did (ok false when not run)
    bool markerWritten = false;    // only this row's marker is left
    QStringList markersNotRemoved; // markers of other rows that could not be deleted
};

// The list's click: imports the row's preset into `store` (at once, so the
// next graph sees it), deletes the markers of every row and writes the
// chosen row's marker. A row outside 0..6 imports nothing and leaves no
// marker. The caller marks the dialog's settings as changed.
SpeakerModeChange chooseSpeakerMode(int row, const QString& programDataFolder,
                                    const QString& userFolder = userDataFolder(),
                                    RegistryStore& store = RegistryStore::user());

// --- First start ---------------------------------------------------------

inline constexpr char kFirstStartMarker[] = "newdev.mpw";

// A user's first start is when their data folder does not exist yet: then the
// folder is made with the first-start marker in it. Call it at start-up
// before anything else writes into that folder. True when the marker was
// created.
bool prepareFirstStart(const QString& userFolder = userDataFolder());
bool firstStartPending(const QString& userFolder = userDataFolder());
// The configuration dialog's Ok drops the marker too. True when no marker is
// left.
bool removeFirstStartMarker(const QString& userFolder = userDataFolder());

struct FirstStartImport {
    bool pending = false; // the marker was there
    RegistryImportResult import;
    bool markerRemoved = false;
};

// With the marker present, imports "<programData>/Decoder/Data.iwc" and
// removes the marker. A failed import keeps the marker, so the next start
// tries again.
FirstStartImport runFirstStartImport(const QString& programDataFolder,
                                     const QString& userFolder = userDataFolder(),
                                     RegistryStore& store = RegistryStore::user());
