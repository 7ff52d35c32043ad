#pragma once

#include <QImage>
#include <functional>

class QDialog;
class QWidget;

// Takes a picture of a stamp.
class Camera
{
public:
    virtual ~Camera() = default;

    virtual bool isAvailable() const = 0;
    // Does not block: done is called once, with the picture as taken (not edited) or a null image
    // when the collector cancelled.
    virtual void capture(QWidget* parent, std::function<void(const QImage&)> done) = 0;
};

// Qt Multimedia: a dialog with a live preview of the computer's camera.
class QtCamera final : public Camera
{
public:
    // A camera is connected and Qt Multimedia can use it.
    bool isAvailable() const override;
    // Without a camera the dialog says so and only cancels.
    void capture(QWidget* parent, std::function<void(const QImage&)> done) override;

    // The dialog capture shows, window-modal over parent and deleted once closed.
    static QDialog* openDialog(QWidget* parent, std::function<void(const QImage&)> done);

    // Whether Qt Multimedia can load the backend it would choose. Qt 6.4 ends the process on the
    // first use of its camera classes when it cannot, so nothing of them is touched without one.
    static bool hasMultimediaBackend();
};
