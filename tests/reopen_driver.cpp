#include "reopen_driver.h"

#include "app/frm_main.h"
#include "test_support.h"

namespace reopen {

void openNumber(frmMain& window, int n) {
    static const char* const kMovies[] = {"two-audio.avi", "movie.mp4", "two-audio.divx",
                                          "one-audio.avi", "movie.divx"};
    if (n % 5 == 1 && window.playback.CurrentFile().endsWith(QLatin1String("two-audio.avi")))
        window.Mnu_As_Click(1);
    else
        window.OpenaMovie(testsupport::mediaPath(QString::fromLatin1(kMovies[n % 5])), false);
}

bool settled(frmMain& window) {
    return testsupport::waitUntil(
        [&] {
            FilterGraph* graph = window.playback.MediaControl().get();
            return graph && graph->videoSize() && window.opener.streamCount() > 0 &&
                   window.playback.PlayState() == PlayRunning;
        },
        10000);
}

void exercise(frmMain& window, int n) {
    window.Jump(QStringLiteral("00:00:01"));
    if (n % 2 == 0)
        window.transport.PlaybackRate(n / 2 % 3);
    if (n % 7 == 3) {
        window.StopMovie();
        window.transport.play_Click();
    }
    testsupport::pumpEvents(50);
}

} // namespace reopen
