#pragma once
// Holds the desktop's screen saver off while the player wants it, through
// the screen-saver service on the session bus. Calls never wait for the
// desktop: the request leaves at once and the answer is taken when it
// comes, so a slow or hung service cannot freeze the player.
#include <QDBusConnection>

class ScreenSaverInhibitor {
  public:
    explicit ScreenSaverInhibitor(QDBusConnection bus);

    // Holds the screen saver off (false) or lets it run again (true).
    // Returns false when there is no bus to ask.
    bool setActive(bool active);
    // The desktop's token for our hold, 0 while none is held.
    uint cookie() const { return cookie_; }

  private:
    void inhibit();
    void release();

    QDBusConnection bus_;
    uint cookie_ = 0;
    bool asking_ = false;    // an Inhibit is on its way
    bool wantActive_ = true; // what the player asked for last
};
