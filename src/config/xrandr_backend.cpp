#include "xrandr_backend.h"

#include <algorithm>
#include <cmath>
#include <vector>

// Last: Xlib defines macros (None, Bool, Status) that Qt headers must not see.
#include <X11/Xlib.h>
#include <X11/extensions/Xrandr.h>

namespace {

// Xlib reports protocol errors to one process-wide handler, whose default
// exits the program; a refused request must come back as a result instead.
thread_local int g_lastXError = 0; // the first error since the trap was set

int recordXError(Display*, XErrorEvent* event) {
    if (g_lastXError == 0)
        g_lastXError = event->error_code;
    return 0;
}

class XErrorTrap {
  public:
    explicit XErrorTrap(Display* display) : display_(display) {
        XSync(display_, False);
        g_lastXError = 0;
        previous_ = XSetErrorHandler(recordXError);
    }
    ~XErrorTrap() {
        XSync(display_, False);
        XSetErrorHandler(previous_);
    }
    XErrorTrap(const XErrorTrap&) = delete;
    XErrorTrap& operator=(const XErrorTrap&) = delete;
    // The first error since the trap was set, after the server answered.
    int error() {
        XSync(display_, False);
        return g_lastXError;
    }

  private:
    Display* display_;
    int (*previous_)(Display*, XErrorEvent*) = nullptr;
};

struct Resources {
    explicit Resources(Display* display, Window root) {
        res = XRRGetScreenResourcesCurrent(display, root);
        // The cached answer can be empty before anything probed the outputs.
        if (res && res->nmode == 0) {
            XRRFreeScreenResources(res);
            res = XRRGetScreenResources(display, root);
        }
    }
    ~Resources() {
        if (res)
            XRRFreeScreenResources(res);
    }
    Resources(const Resources&) = delete;
    Resources& operator=(const Resources&) = delete;
    const XRRModeInfo* mode(RRMode id) const {
        for (int i = 0; i < res->nmode; ++i) {
            if (res->modes[i].id == id)
                return &res->modes[i];
        }
        return nullptr;
    }
    XRRScreenResources* res = nullptr;
};

struct OutputInfo {
    OutputInfo(Display* display, XRRScreenResources* res, RROutput output)
        : info(XRRGetOutputInfo(display, res, output)) {}
    ~OutputInfo() {
        if (info)
            XRRFreeOutputInfo(info);
    }
    OutputInfo(const OutputInfo&) = delete;
    OutputInfo& operator=(const OutputInfo&) = delete;
    XRROutputInfo* info;
};

struct CrtcInfo {
    CrtcInfo(Display* display, XRRScreenResources* res, RRCrtc crtc)
        : info(XRRGetCrtcInfo(display, res, crtc)) {}
    ~CrtcInfo() {
        if (info)
            XRRFreeCrtcInfo(info);
    }
    CrtcInfo(const CrtcInfo&) = delete;
    CrtcInfo& operator=(const CrtcInfo&) = delete;
    XRRCrtcInfo* info;
};

// Whole hertz, or 0 when the server gives no timings (Xvfb's modes have a
// zero dot clock and totals).
int refreshOf(const XRRModeInfo& mode) {
    double lines = mode.vTotal;
    if (mode.modeFlags & RR_DoubleScan)
        lines *= 2;
    if (mode.modeFlags & RR_Interlace)
        lines /= 2;
    if (mode.dotClock == 0 || mode.hTotal == 0 || lines <= 0)
        return 0;
    return int(std::lround(double(mode.dotClock) / (double(mode.hTotal) * lines)));
}

int millimetres(int pixels, int oldPixels, int oldMillimetres) {
    if (oldPixels > 0 && oldMillimetres > 0)
        return std::max(1, int(std::lround(double(pixels) * oldMillimetres / oldPixels)));
    return std::max(1, int(std::lround(pixels * 25.4 / 96)));
}

bool sideways(Rotation rotation) {
    return (rotation & (RR_Rotate_90 | RR_Rotate_270)) != 0;
}

// A CRTC's whole setting, as needed to put it back.
struct CrtcSetting {
    RRCrtc crtc = 0;
    RRMode mode = 0;
    int x = 0;
    int y = 0;
    Rotation rotation = RR_Rotate_0;
    std::vector<RROutput> outputs;
    int screenWidth = 0;
    int screenHeight = 0;
    int screenWidthMm = 0;
    int screenHeightMm = 0;
};

} // namespace

struct XRandRBackend::Impl {
    Display* display = nullptr;
    Window root = 0;
    int screen = 0;
    RROutput output = 0;
    QByteArray outputName;
    int depth = 0;
    int bitsPerPixel = 0;
    std::optional<CrtcSetting> saved;

    bool findOutput();
    void takeScreenChanges();
    std::optional<CrtcSetting> currentSetting(const Resources& resources);
    int apply(const CrtcSetting& setting, bool savedScreenSize);
    int applyOnce(const CrtcSetting& setting, bool savedScreenSize, bool* staleConfig);
};

bool XRandRBackend::Impl::findOutput() {
    Resources resources(display, root);
    if (!resources.res)
        return false;
    const RROutput primary = XRRGetOutputPrimary(display, root);
    RROutput fallback = 0;
    for (int i = 0; i < resources.res->noutput; ++i) {
        const RROutput candidate = resources.res->outputs[i];
        OutputInfo out(display, resources.res, candidate);
        if (!out.info || out.info->connection != RR_Connected || out.info->crtc == 0)
            continue;
        if (candidate == primary || fallback == 0) {
            fallback = candidate;
            outputName = QByteArray(out.info->name, out.info->nameLen);
        }
        if (candidate == primary)
            break;
    }
    output = fallback;
    return output != 0;
}

// Xlib's screen size (DisplayWidth and friends) follows the server only
// through the change notices it has read.
void XRandRBackend::Impl::takeScreenChanges() {
    XSync(display, False);
    while (XPending(display)) {
        XEvent event;
        XNextEvent(display, &event);
        XRRUpdateConfiguration(&event);
    }
}

std::optional<CrtcSetting> XRandRBackend::Impl::currentSetting(const Resources& resources) {
    OutputInfo out(display, resources.res, output);
    if (!out.info || out.info->crtc == 0)
        return std::nullopt;
    CrtcInfo crtc(display, resources.res, out.info->crtc);
    if (!crtc.info)
        return std::nullopt;
    takeScreenChanges();
    CrtcSetting setting;
    setting.crtc = out.info->crtc;
    setting.mode = crtc.info->mode;
    setting.x = crtc.info->x;
    setting.y = crtc.info->y;
    setting.rotation = crtc.info->rotation;
    setting.outputs.assign(crtc.info->outputs, crtc.info->outputs + crtc.info->noutput);
    setting.screenWidth = DisplayWidth(display, screen);
    setting.screenHeight = DisplayHeight(display, screen);
    setting.screenWidthMm = DisplayWidthMM(display, screen);
    setting.screenHeightMm = DisplayHeightMM(display, screen);
    return setting;
}

int XRandRBackend::Impl::apply(const CrtcSetting& setting, bool savedScreenSize) {
    bool stale = false;
    int result = applyOnce(setting, savedScreenSize, &stale);
    // Another client changed the configuration meanwhile: once more with
    // fresh resources.
    if (stale)
        result = applyOnce(setting, savedScreenSize, &stale);
    return result;
}

int XRandRBackend::Impl::applyOnce(const CrtcSetting& setting, bool savedScreenSize,
                                   bool* staleConfig) {
    *staleConfig = false;
    Resources resources(display, root);
    if (!resources.res)
        return DisplayDriverFailed;
    const XRRModeInfo* mode = resources.mode(setting.mode);
    if (!mode)
        return DisplayModeNotSupported;

    // The screen must hold every lit CRTC, this one at its new size.
    int width = 0;
    int height = 0;
    for (int i = 0; i < resources.res->ncrtc; ++i) {
        const RRCrtc id = resources.res->crtcs[i];
        CrtcInfo crtc(display, resources.res, id);
        if (!crtc.info)
            continue;
        int right = 0;
        int bottom = 0;
        if (id == setting.crtc) {
            const bool turned = sideways(setting.rotation);
            right = setting.x + int(turned ? mode->height : mode->width);
            bottom = setting.y + int(turned ? mode->width : mode->height);
        } else if (crtc.info->mode != 0) {
            right = crtc.info->x + int(crtc.info->width);
            bottom = crtc.info->y + int(crtc.info->height);
        }
        width = std::max(width, right);
        height = std::max(height, bottom);
    }
    if (savedScreenSize) {
        width = setting.screenWidth;
        height = setting.screenHeight;
    }
    int minWidth = 0, minHeight = 0, maxWidth = 0, maxHeight = 0;
    if (!XRRGetScreenSizeRange(display, root, &minWidth, &minHeight, &maxWidth, &maxHeight) ||
        width < minWidth || height < minHeight || width > maxWidth || height > maxHeight)
        return DisplayModeNotSupported;

    takeScreenChanges();
    const int oldWidth = DisplayWidth(display, screen);
    const int oldHeight = DisplayHeight(display, screen);
    int widthMm = savedScreenSize ? setting.screenWidthMm : 0;
    int heightMm = savedScreenSize ? setting.screenHeightMm : 0;
    if (widthMm <= 0 || heightMm <= 0) {
        // Same physical size per pixel as now; 96 dpi when the server knows
        // none, since it refuses a size of 0 mm.
        widthMm = millimetres(width, oldWidth, DisplayWidthMM(display, screen));
        heightMm = millimetres(height, oldHeight, DisplayHeightMM(display, screen));
    }

    XErrorTrap trap(display);
    XGrabServer(display);
    CrtcInfo current(display, resources.res, setting.crtc);
    // A CRTC that would stick out of a smaller screen goes dark first, as the
    // server refuses a screen smaller than what is shown.
    if (current.info && current.info->mode != 0 &&
        (current.info->x + int(current.info->width) > width ||
         current.info->y + int(current.info->height) > height)) {
        XRRSetCrtcConfig(display, resources.res, setting.crtc, CurrentTime, 0, 0, None, RR_Rotate_0,
                         nullptr, 0);
    }
    if (width != oldWidth || height != oldHeight)
        XRRSetScreenSize(display, root, width, height, widthMm, heightMm);
    std::vector<RROutput> outputs = setting.outputs;
    const Status status =
        XRRSetCrtcConfig(display, resources.res, setting.crtc, CurrentTime, setting.x, setting.y,
                         setting.mode, setting.rotation, outputs.data(), int(outputs.size()));
    XUngrabServer(display);
    const int error = trap.error();

    if (status == RRSetConfigInvalidConfigTime) {
        *staleConfig = true;
        return DisplayDriverFailed;
    }
    if (error == BadValue || error == BadMatch)
        return DisplayModeNotSupported;
    if (error != 0 || status != RRSetConfigSuccess)
        return DisplayDriverFailed;
    return DisplayChanged;
}

XRandRBackend::XRandRBackend(const QByteArray& displayName) : d(std::make_unique<Impl>()) {
    d->display = XOpenDisplay(displayName.isEmpty() ? nullptr : displayName.constData());
    if (!d->display)
        return;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (!XRRQueryExtension(d->display, &eventBase, &errorBase) ||
        !XRRQueryVersion(d->display, &major, &minor) || major < 1 || (major == 1 && minor < 3)) {
        XCloseDisplay(d->display);
        d->display = nullptr;
        return;
    }
    d->screen = DefaultScreen(d->display);
    d->root = RootWindow(d->display, d->screen);
    XRRSelectInput(d->display, d->root, RRScreenChangeNotifyMask);
    d->depth = DefaultDepth(d->display, d->screen);
    int count = 0;
    if (XPixmapFormatValues* formats = XListPixmapFormats(d->display, &count)) {
        for (int i = 0; i < count; ++i) {
            if (formats[i].depth == d->depth)
                d->bitsPerPixel = formats[i].bits_per_pixel;
        }
        XFree(formats);
    }
    if (!d->findOutput()) {
        XCloseDisplay(d->display);
        d->display = nullptr;
    }
}

XRandRBackend::~XRandRBackend() {
    if (d->display)
        XCloseDisplay(d->display);
}

bool XRandRBackend::isAvailable() const {
    return d->display != nullptr;
}

QByteArray XRandRBackend::outputName() const {
    return d->display ? d->outputName : QByteArray();
}

// XWayland lists modes but only pretends to switch them, for one client's
// window at a time; the compositor keeps the screen as it is.
bool XRandRBackend::canSwitch() {
    return isAvailable() && !outputName().startsWith("XWAYLAND");
}

QList<DisplayMode> XRandRBackend::modes() {
    QList<DisplayMode> list;
    if (!d->display)
        return list;
    Resources resources(d->display, d->root);
    if (!resources.res)
        return list;
    OutputInfo out(d->display, resources.res, d->output);
    if (!out.info)
        return list;
    for (int i = 0; i < out.info->nmode; ++i) {
        const XRRModeInfo* info = resources.mode(out.info->modes[i]);
        if (!info)
            continue;
        list << DisplayMode{int(info->width), int(info->height), d->depth,
                            d->bitsPerPixel,  refreshOf(*info),  quint64(info->id)};
    }
    return list;
}

std::optional<DisplayMode> XRandRBackend::currentMode() {
    if (!d->display)
        return std::nullopt;
    Resources resources(d->display, d->root);
    if (!resources.res)
        return std::nullopt;
    const std::optional<CrtcSetting> setting = d->currentSetting(resources);
    if (!setting)
        return std::nullopt;
    const XRRModeInfo* info = resources.mode(setting->mode);
    if (!info)
        return std::nullopt;
    return DisplayMode{int(info->width), int(info->height), d->depth,
                       d->bitsPerPixel,  refreshOf(*info),  quint64(info->id)};
}

int XRandRBackend::switchTo(const DisplayMode& mode) {
    if (!d->display)
        return DisplayDriverFailed;
    const QList<DisplayMode> offered = modes();
    const bool listed = std::any_of(offered.begin(), offered.end(),
                                    [&](const DisplayMode& m) { return m.id == mode.id; });
    if (!listed)
        return DisplayModeNotSupported;
    std::optional<CrtcSetting> setting;
    {
        Resources resources(d->display, d->root);
        if (!resources.res)
            return DisplayDriverFailed;
        setting = d->currentSetting(resources);
    }
    if (!setting)
        return DisplayDriverFailed;
    const CrtcSetting before = *setting;
    const bool firstSwitch = !d->saved;
    if (firstSwitch)
        d->saved = before;
    setting->mode = RRMode(mode.id);
    const int result = d->apply(*setting, false);
    if (result != DisplayChanged) {
        // A refused switch may have left the CRTC dark: put its setting back.
        d->apply(before, true);
        if (firstSwitch)
            d->saved.reset();
    }
    return result;
}

int XRandRBackend::restore() {
    if (!d->display || !d->saved)
        return DisplayChanged;
    const CrtcSetting saved = *d->saved;
    const int result = d->apply(saved, true);
    if (result == DisplayChanged)
        d->saved.reset();
    return result;
}
