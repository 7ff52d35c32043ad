#pragma once

#include "platform/gui/Camera.h"

// Stands in for the camera: answers at once with the picture a test chose, or a cancel.
class FakeCamera final : public Camera
{
public:
    bool isAvailable() const override { return m_available; }
    // Answers with the next picture, then goes back to cancelling. Without a camera the collector
    // can only cancel, as in the real dialog.
    void capture(QWidget*, std::function<void(const QImage&)> done) override
    {
        ++m_captureCount;
        const QImage picture = m_available ? m_nextPicture : QImage();
        m_nextPicture = QImage();
        done(picture);
    }

    void setAvailable(bool available) { m_available = available; }
    void setNextPicture(const QImage& picture) { m_nextPicture = picture; }
    void setNextCancel() { m_nextPicture = QImage(); }
    int captureCount() const { return m_captureCount; }

private:
    bool m_available = true;
    QImage m_nextPicture;
    int m_captureCount = 0;
};
