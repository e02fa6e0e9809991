#pragma once
// Dresses the main window in a skin folder: its pictures, outline,
// control places and colours. A skin that cannot make a usable window is
// refused with the reason, and the player's own skin stands in.
#include <QString>
#include <functional>

class MainBar;
class PictureStore;
class SettingsStore;
class SkinWindow;
struct SkinDescription;

class SkinLoader {
  public:
    struct Hooks {
        // The configuration dialog's Skins page shows the description.
        std::function<void(const SkinDescription&)> describe;
        // After the pictures: the meter, the speaker picture, the title.
        std::function<void()> afterLoad;
        std::function<void(const QString& message)> warn;
        // The player's own skin is to be loaded in place of a refused one.
        std::function<void(const QString& folder)> useInstead;
    };
    SkinLoader(SkinWindow& window, MainBar& bar, PictureStore& pictures, SettingsStore& settings,
               Hooks hooks);

    // Whatever the folder lacks keeps what the previous skin gave.
    void load(const QString& folder, const QString& ownSkin);

  private:
    void apply(const QString& folder);

    SkinWindow& window_;
    MainBar& bar_;
    PictureStore& pictures_;
    SettingsStore& settings_;
    Hooks hooks_;
};
