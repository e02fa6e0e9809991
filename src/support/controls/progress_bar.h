#pragma once
// The seek bar: a value between a minimum and a maximum shown as a partly
// filled bar drawn from two pictures (the empty background and the filled
// bar) with a centred caption; the user drags the value with the mouse.
//
// ProgressBarModel holds the numbers and the arithmetic and needs no widget;
// cpvProgressBar draws it and turns the mouse into values.
#include <QColor>
#include <QHash>
#include <QImage>
#include <QRect>
#include <QWidget>
#include <optional>

// Run-time error numbers of the player's controls; None is success.
enum class ControlError {
    None = 0,
    FileNotFound = 53,
    InvalidPropertyValue = 380,
    InvalidPicture = 481,
};
QString controlErrorText(ControlError error);

// The events a change of Value raises, in the order they are raised:
// ValueChanged, then ArrivedLast or ArrivedFirst.
struct ValueEvents {
    bool valueChanged = false;
    bool arrivedLast = false;
    bool arrivedFirst = false;
};

class ProgressBarModel {
  public:
    static constexpr int kHorizontal = 0; // fills left to right
    static constexpr int kVertical = 1;   // fills bottom to top

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    // Max - Min, at least 1; 64 bits as it spans the whole 32-bit range.
    qint64 range() const { return qint64(max_) - min_; }
    int CaptionFormat() const { return captionFormat_; }
    int Orientation() const { return orientation_; }

    // Refuses values outside Min..Max. A value other than the one last
    // drawn fills `events` (when given) with what it raises.
    ControlError setValue(int value, ValueEvents* events = nullptr);
    // Refuses a maximum not above Min. Value is left as it is, even above
    // the new maximum: the player sets a movie's length before its position.
    ControlError setMax(int maximum);
    // Refuses a minimum not below Max; otherwise Value moves to the new
    // minimum, with its events.
    ControlError setMin(int minimum, ValueEvents* events = nullptr);
    // Any number; unknown formats give an empty caption.
    void setCaptionFormat(int format) { captionFormat_ = format; }
    // Any number; unknown orientations draw no bar and ignore the mouse.
    void setOrientation(int orientation) { orientation_ = orientation; }

    // 0: Value; 1-3: Value / range; 4-6: (Value - Min) / range, as percent
    // with 0, 1 or 2 decimals, rounded half away from zero, with the
    // locale's decimal point.
    QString caption() const;
    // The part of the bar picture shown on a control of `size` pixels; it is
    // painted unscaled onto the same rectangle. Empty at Min.
    QRect barRect(QSize size) const;
    // The value a pointer at `pos` on a control of `size` pixels asks for,
    // kept within Min..Max; none for an unknown orientation or an empty
    // control.
    std::optional<int> valueAt(QPointF pos, QSize size) const;

  private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
    int drawnValue_ = 0;
    int captionFormat_ = 0;
    int orientation_ = kHorizontal;
};

// Pictures loaded from files, kept while the file's modification time and
// size stay the same, so that redraws do not go back to the disk.
class PictureFileCache {
  public:
    struct Loaded {
        QImage picture;
        ControlError error = ControlError::None;
    };
    // An empty path gives an empty picture. Missing files give FileNotFound,
    // files that are no picture InvalidPicture.
    Loaded load(const QString& path);
    // How many times a file was read and decoded.
    int diskLoads() const { return diskLoads_; }

  private:
    struct Entry {
        qint64 modifiedNs = 0;
        qint64 size = 0;
        Loaded loaded;
    };
    QHash<QString, Entry> entries_;
    int diskLoads_ = 0;
};

class cpvProgressBar : public QWidget {
    Q_OBJECT
  public:
    explicit cpvProgressBar(QWidget* parent = nullptr);

    // Setters return InvalidPropertyValue (380) and change nothing when the
    // value is refused; see ProgressBarModel for the rules.
    int Value() const { return model_.Value(); }
    // The user is holding the bar with the left button.
    bool isHeld() const { return dragging_; }
    ControlError setValue(int value);
    int Max() const { return model_.Max(); }
    ControlError setMax(int maximum);
    int Min() const { return model_.Min(); }
    ControlError setMin(int minimum);
    int CaptionFormat() const { return model_.CaptionFormat(); }
    void setCaptionFormat(int format);
    int Orientation() const { return model_.Orientation(); }
    void setOrientation(int orientation);
    // The caption's font is the widget's font(): setFont() redraws.
    QColor FontColor() const { return fontColor_; }
    void setFontColor(const QColor& color);
    const QImage& BarPicture() const { return barPicture_; }
    void setBarPicture(const QImage& picture);
    const QImage& BarPictureBack() const { return barPictureBack_; }
    void setBarPictureBack(const QImage& picture);

    // The files Refresh takes the pictures from: those the "PbarBack" and
    // "PbarBar" settings name; an empty name gives an empty picture. Until
    // this is called, Refresh keeps the pictures set directly.
    void setPictureFiles(const QString& backFile, const QString& barFile);

    // Loads the pictures (from the cache when the files are unchanged) and
    // redraws. A picture that cannot be loaded stops it there and is
    // returned; the widget then shows only its background picture.
    ControlError Refresh();

    const ProgressBarModel& model() const { return model_; }
    QString caption() const { return model_.caption(); }
    // Calls of Refresh so far, failed ones included.
    int redrawCount() const { return redraws_; }
    const PictureFileCache& pictureCache() const { return cache_; }

    QSize sizeHint() const override;

  Q_SIGNALS:
    // The left button was released over the bar after pressing on it.
    void Click();
    // After a change of Value has been drawn: ValueChanged, then
    // ArrivedLast when it is Max or ArrivedFirst when it is Min.
    void ArrivedFirst();
    void ArrivedLast();
    void ValueChanged();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    void raiseEvents(const ValueEvents& events);
    ControlError loadPictures();
    void draw(bool withBar);
    void fitToBackground();
    void dragTo(QPointF pos);

    ProgressBarModel model_;
    QColor fontColor_;
    QImage barPicture_;
    QImage barPictureBack_;
    // What the widget shows under the bar: BarPictureBack as of the last
    // Refresh.
    QImage background_;
    bool filesSet_ = false;
    QString backFile_;
    QString barFile_;
    PictureFileCache cache_;
    QImage surface_;
    bool dragging_ = false;
    bool fitting_ = false;
    int redraws_ = 0;
};
