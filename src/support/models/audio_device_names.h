#pragma once
// The names the audio device box shows. A sound server tells its devices
// apart by id (PulseAudio's sink name); users read descriptions, and two
// devices may have the same one ("Speakers" on two cards). Where they do,
// each gets its id after the description, so every name in the box is
// unique. The choice is kept by id: a name changes when the twin goes.
#include <QList>
#include <QString>
#include <QStringList>

struct AudioDeviceEntry {
    QString id;          // the server's own name, unique
    QString description; // what the server shows users
};

// One name per entry, in the same order; a description equal to one of
// `taken` (the player's own outputs) gets the id too.
QStringList audioDeviceNames(const QList<AudioDeviceEntry>& devices, const QStringList& taken = {});
