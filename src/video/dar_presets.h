#pragma once
// The display-aspect-ratio presets: the list the configuration dialog
// shows (its selection is the ratio in use; none is the movie's own), the
// file "DAR.ini" that keeps them, and the captions of the context menu's
// nine preset items.
#include "support/models/selectable_list.h"

#include <QString>
#include <QStringList>

class DarPresets {
  public:
    // Presets added by hand stop at this many.
    static constexpr int kMaxAdded = 9;
    static constexpr int kMenuItems = 9;

    explicit DarPresets(SelectableList& list) : list_(list) {}

    // The list from `file`, one preset a line; a missing or unreadable file
    // (or one far too big to be a preset list) leaves it empty. Nothing
    // is selected afterwards.
    // Returns how many lines were skipped as no ratio.
    int read(const QString& file);
    // Writes every preset as a line ending in CR LF, into a new file put in
    // place of the old one: a kill in the middle leaves the old or the new,
    // and a failure (`why` says what) leaves the old.
    bool save(const QString& file, QString* why = nullptr) const;

    enum class Added { Yes, Full, Empty, Malformed };
    // Appends `text`: refused when the list holds exactly kMaxAdded
    // presets, when the text is empty, or when it is no ratio (`problem`
    // says why).
    Added add(const QString& text, QString* problem = nullptr);
    void removeSelected();
    // Back to the movie's own ratio.
    void original() { list_.setListIndex(-1); }

    // Captions of the menu's preset items 1..9: the presets, then
    // "N - Empty".
    QStringList menuCaptions() const;

    SelectableList& list() { return list_; }

  private:
    SelectableList& list_;
};
