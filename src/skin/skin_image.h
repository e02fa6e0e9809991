#pragma once
// A borderless picture control laid over the skin: it shows its picture at
// its top-left corner and nothing elsewhere, so the window's background
// shows through. A button has a pressed bitmap in the skin folder that it
// shows only while a mouse button is held on it.
#include <QImage>
#include <QWidget>
#include <functional>

class SkinImage : public QWidget {
    Q_OBJECT
  public:
    // `pressedBitmap` is a file name in the skin folder ("bplay.bmp"), or
    // empty for a control without press feedback.
    explicit SkinImage(const QString& name, const QString& pressedBitmap = {},
                       QWidget* parent = nullptr);

    // Where the pressed bitmap is looked for; asked at every press.
    std::function<QString()> skinFolder;

    const QImage& picture() const { return picture_; }
    void setPicture(const QImage& picture);
    const QString& pressedBitmap() const { return pressedBitmap_; }

    // Drawn instead of a picture when the window has no skin picture.
    void setFallbackText(const QString& text) { fallbackText_ = text; }
    void setFallbackVisible(bool visible);

  Q_SIGNALS:
    // Any mouse button went down, with the keyboard modifiers held then.
    void pressed(Qt::KeyboardModifiers modifiers);
    // The left button was pressed and released over the control.
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QString pressedBitmapFile() const;

    QString pressedBitmap_;
    QImage picture_;
    QString fallbackText_;
    bool fallbackVisible_ = false;
    bool leftDown_ = false;
};
